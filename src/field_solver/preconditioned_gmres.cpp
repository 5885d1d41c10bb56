#include "field_solver/preconditioned_gmres.h"

#include <cmath>
#include <vector>

namespace velmoka::field_solver {

std::optional<Eigen::VectorXd> preconditioned_gmres(const Eigen::Ref<const Eigen::MatrixXd>& matrix,
                                                    const Factors& near, const Eigen::VectorXd& rhs, double tolerance,
                                                    int most_steps) {
    const double size = rhs.norm();
    if (size == 0.0) {
        return Eigen::VectorXd::Zero(rhs.size());
    }
    // The Krylov basis of matrix·near⁻¹, its Hessenberg matrix made triangular by Givens
    // rotations as it grows, and the rotated residual, whose last entry is the residual's size.
    Eigen::MatrixXd basis(rhs.size(), most_steps + 1);
    Eigen::MatrixXd hessenberg = Eigen::MatrixXd::Zero(most_steps + 1, most_steps);
    Eigen::VectorXd residual = Eigen::VectorXd::Zero(most_steps + 1);
    std::vector<double> cosines(most_steps);
    std::vector<double> sines(most_steps);
    basis.col(0) = rhs / size;
    residual[0] = size;
    for (int step = 0; step < most_steps; ++step) {
        Eigen::VectorXd next = matrix * near.solve(basis.col(step));
        // Gram-Schmidt twice, which keeps the basis orthogonal to rounding.
        for (int pass = 0; pass < 2; ++pass) {
            for (int j = 0; j <= step; ++j) {
                const double projection = basis.col(j).dot(next);
                hessenberg(j, step) += projection;
                next -= projection * basis.col(j);
            }
        }
        hessenberg(step + 1, step) = next.norm();
        basis.col(step + 1) = next / hessenberg(step + 1, step);
        for (int j = 0; j < step; ++j) {
            const double upper = cosines[j] * hessenberg(j, step) + sines[j] * hessenberg(j + 1, step);
            hessenberg(j + 1, step) = -sines[j] * hessenberg(j, step) + cosines[j] * hessenberg(j + 1, step);
            hessenberg(j, step) = upper;
        }
        const double diagonal = std::hypot(hessenberg(step, step), hessenberg(step + 1, step));
        cosines[step] = hessenberg(step, step) / diagonal;
        sines[step] = hessenberg(step + 1, step) / diagonal;
        hessenberg(step, step) = diagonal;
        hessenberg(step + 1, step) = 0.0;
        residual[step + 1] = -sines[step] * residual[step];
        residual[step] *= cosines[step];
        if (std::abs(residual[step + 1]) <= tolerance * size) {
            const int steps = step + 1;
            const Eigen::VectorXd y =
                hessenberg.topLeftCorner(steps, steps).triangularView<Eigen::Upper>().solve(residual.head(steps));
            return near.solve(basis.leftCols(steps) * y);
        }
    }
    return std::nullopt;
}

}  // namespace velmoka::field_solver

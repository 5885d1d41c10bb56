// GMRES preconditioned by a nearby matrix's factors: it reaches the direct solution in a few
// steps when the matrices differ by little of rank, and says so when its steps run out.

#include <QTest>

#include <Eigen/Dense>

#include <cstdlib>
#include <optional>

#include "field_solver/preconditioned_gmres.h"

using velmoka::field_solver::Factors;
using velmoka::field_solver::preconditioned_gmres;

class TestPreconditionedGmres : public QObject {
    Q_OBJECT

private slots:
    void nearbyMatrix_data();
    void nearbyMatrix();
};

// A matrix that differs from the preconditioner's by a term of rank 3 settles in 4 steps.
void TestPreconditionedGmres::nearbyMatrix_data() {
    QTest::addColumn<int>("mostSteps");
    QTest::addColumn<bool>("settles");

    QTest::newRow("steps enough") << 4 << true;
    QTest::newRow("steps too few") << 3 << false;
}

void TestPreconditionedGmres::nearbyMatrix() {
    QFETCH(int, mostSteps);
    QFETCH(bool, settles);

    constexpr int kSize = 60;
    constexpr double kResidual = 1e-13;
    std::srand(7);
    Eigen::MatrixXd near = Eigen::MatrixXd::Random(kSize, kSize) + kSize * Eigen::MatrixXd::Identity(kSize, kSize);
    const Eigen::MatrixXd matrix = near + Eigen::MatrixXd::Random(kSize, 3) * Eigen::MatrixXd::Random(3, kSize);
    const Eigen::VectorXd rhs = Eigen::VectorXd::Ones(kSize);
    const Factors factors(near);
    const std::optional<Eigen::VectorXd> solution = preconditioned_gmres(matrix, factors, rhs, kResidual, mostSteps);
    QCOMPARE(solution.has_value(), settles);
    if (settles) {
        QVERIFY((matrix * *solution - rhs).norm() <= kResidual * rhs.norm() * 10.0);
        QVERIFY((*solution - matrix.partialPivLu().solve(rhs)).norm() <= 1e-12 * solution->norm());
    }
}

QTEST_APPLESS_MAIN(TestPreconditionedGmres)
#include "test_preconditioned_gmres.moc"

#pragma once

#include <Eigen/Dense>

#include <optional>

// GMRES on a collocation system preconditioned by the factors of a nearby one: the odd mode's
// potentials differ from the even mode's only by twice the mirrors' potentials, so the even
// mode's factors bring the odd mode's charges in a few tens of steps, where factoring its own
// potentials would cost as much again.
namespace velmoka::field_solver {

using Factors = Eigen::PartialPivLU<Eigen::Ref<Eigen::MatrixXd>>;

// x with |matrix·x − rhs| <= tolerance·|rhs|, by GMRES preconditioned on the right by `near`
// (x = near⁻¹·y), or none if `most_steps` steps do not reach it.
std::optional<Eigen::VectorXd> preconditioned_gmres(const Eigen::Ref<const Eigen::MatrixXd>& matrix,
                                                    const Factors& near, const Eigen::VectorXd& rhs, double tolerance,
                                                    int most_steps);

}  // namespace velmoka::field_solver

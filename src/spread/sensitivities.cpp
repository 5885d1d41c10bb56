#include "spread/sensitivities.h"

#include "spread/impedances.h"

#include <algorithm>
#include <cmath>

namespace velmoka::spread {

std::vector<Sensitivity> sensitivities_of(const Request& request, const ToleranceBox& box) {
    std::vector<Sensitivity> sensitivities;
    std::vector<double> contributions;
    const Impedance of = impedance_of(request.nominal);
    for (std::size_t input = 0; input < kInputs; ++input) {
        if (!request.tolerances[input].given()) {
            continue;
        }
        Line above = request.nominal;
        Line below = request.nominal;
        above.values[input] = box.highest.values[input];
        below.values[input] = box.lowest.values[input];
        const double tolerance = request.tolerances[input].about(request.nominal.values[input]);
        const Sensitivity sensitivity{static_cast<Input>(input), tolerance, impedance(of, above), impedance(of, below),
                                      0.0};
        const double slope = (sensitivity.z0_above - sensitivity.z0_below) /
                             (above.values[input] - below.values[input]);  // ohms per unit of the input
        contributions.push_back(std::pow(slope * standard_deviation(request.distribution, tolerance), 2.0));
        sensitivities.push_back(sensitivity);
    }
    double variance = 0.0;
    for (const double contribution : contributions) {
        variance += contribution;
    }
    for (std::size_t index = 0; index < sensitivities.size(); ++index) {
        sensitivities[index].share = variance > 0.0 ? contributions[index] / variance : 0.0;
    }
    std::stable_sort(sensitivities.begin(), sensitivities.end(),
                     [](const Sensitivity& one, const Sensitivity& other) { return one.share > other.share; });
    return sensitivities;
}

double root_sum_square_of(const std::vector<Sensitivity>& sensitivities) {
    double squares = 0.0;
    for (const Sensitivity& sensitivity : sensitivities) {
        squares += std::pow((sensitivity.z0_above - sensitivity.z0_below) / 2.0, 2.0);
    }
    return std::sqrt(squares);
}

}  // namespace velmoka::spread

#include "maths/section_s_parameters.h"

#include <cmath>

namespace velmoka {

namespace {

bool is_finite(std::complex<double> z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

}  // namespace

std::optional<TwoPortS> section_s_parameters(const Propagation& line, double length, double z_ref) {
    if (!is_finite(line.gamma) || !is_finite(line.zc) || !(line.zc.real() > 0.0) || !(length >= 0.0) ||
        !std::isfinite(length) || !(z_ref > 0.0) || !std::isfinite(z_ref)) {
        return std::nullopt;
    }
    const std::complex<double> reflection = (line.zc - z_ref) / (line.zc + z_ref);
    const std::complex<double> passage = std::exp(-line.gamma * length);
    const std::complex<double> passage2 = passage * passage;
    const std::complex<double> reflection2 = reflection * reflection;
    const std::complex<double> denominator = 1.0 - reflection2 * passage2;
    const std::complex<double> s11 = reflection * (1.0 - passage2) / denominator;
    const std::complex<double> s21 = passage * (1.0 - reflection2) / denominator;
    return TwoPortS{s11, s21, s21, s11};
}

}  // namespace velmoka

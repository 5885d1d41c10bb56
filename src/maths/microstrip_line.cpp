#include "maths/microstrip_line.h"

#include <cmath>
#include <limits>

#include "maths/window_constants.h"

namespace velmoka {

namespace {

// f(u) of the impedance: 6 for a narrow strip, rising to 2π as the strip widens.
double impedance_width_factor(double u) {
    return 6.0 + (2.0 * kPi - 6.0) * std::exp(-std::pow(30.666 / u, 0.7528));
}

// x⁴ and x³ as the correctly rounded powers, without the logarithm and exponential that pow
// spends on them: each product is split exactly into its rounded value and its rounding error
// (fma), and the errors, far below the last bit, are summed before the one final rounding.
double fourth_power(double x) {
    const double square = x * x;
    const double square_error = std::fma(x, x, -square);
    const double fourth = square * square;
    const double fourth_error = std::fma(square, square, -fourth);
    return fourth + (fourth_error + 2.0 * square * square_error + square_error * square_error);
}

double cube(double x) {
    const double square = x * x;
    const double square_error = std::fma(x, x, -square);
    const double cubed = square * x;
    const double cubed_error = std::fma(square, x, -cubed);
    return cubed + (cubed_error + square_error * x);
}

// ln((u⁴ + (u/52)²) / (u⁴ + 0.432)): the narrow-strip term of the filling exponent a(u).
double narrow_strip_log(double u) {
    const double u4 = fourth_power(u);
    // Once u⁴ overflows the quotient is 1 to double precision, so its logarithm is 0.
    if (!std::isfinite(u4))
        return 0.0;
    return std::log((u4 + std::pow(u / 52.0, 2.0)) / (u4 + 0.432));
}

// ln(1 + (u/18.1)³): the wide-strip term of the filling exponent a(u).
double wide_strip_log(double u) {
    const double c = u / 18.1;
    const double c3 = cube(c);
    // Once the cube overflows the 1 beside it is negligible: ln(c³) = 3·ln(c).
    if (!std::isfinite(c3))
        return 3.0 * std::log(c);
    return std::log(1.0 + c3);
}

// a(u): how fast the field fills the dielectric as the strip widens.
double width_filling_exponent(double u) {
    return 1.0 + (1.0 / 49.0) * narrow_strip_log(u) + (1.0 / 18.7) * wide_strip_log(u);
}

// b(er): the permittivity dependence of the filling exponent.
double permittivity_filling_exponent(double er) {
    return 0.564 * std::pow((er - 0.9) / (er + 3.0), 0.053);
}

// sech(sqrt(er − 1)); on a very high-permittivity substrate exp overflows and sech is 0.
double edge_sech(double er) {
    const double y = std::sqrt(er - 1.0);
    return 2.0 / (std::exp(y) + std::exp(-y));
}

// Effective dielectric constant of a zero-thickness strip: between (er + 1)/2 and er.
double zero_thickness_e_eff(double u, const SubstrateTerms& substrate) {
    const double er = substrate.er;
    const double ab = width_filling_exponent(u) * substrate.filling_exponent;
    return (er + 1.0) / 2.0 + ((er - 1.0) / 2.0) * std::pow(1.0 + 10.0 / u, -ab);
}

// Impedance of a zero-thickness strip on the dielectric, ohms.
double zero_thickness_z0(double u, double e_eff) {
    return (kImpedanceConstant / std::sqrt(e_eff)) * air_impedance_log(u);
}


// Zero-thickness strip on a substrate whose terms are already worked out.
LineProperties zero_thickness_line(double u, const SubstrateTerms& substrate) {
    const double e_eff = zero_thickness_e_eff(u, substrate);
    return {zero_thickness_z0(u, e_eff), e_eff};
}

// Z1/Zr between the strip widened as in air and as on the dielectric. A strip so wide that
// its impedance rounds to 0 has no thickness correction left, so the ratio is 1.
double thickness_impedance_ratio(double z1, double zr) {
    return zr == 0.0 ? 1.0 : z1 / zr;
}

}  // namespace

double air_impedance_log(double u) {
    return std::log(impedance_width_factor(u) / u + std::sqrt(1.0 + (4.0 / u) / u));
}

double width_increment_in_air(double u, double t) {
    const double th = std::tanh(std::sqrt(6.517 * u));
    const double edge = kFourE * (th * th);
    // An infinitely thick strip: Δu1 tends to c/π.
    if (std::isinf(t))
        return edge / kPi;
    // A strip of no thickness gains no width: the limit of Δu1 as t → 0.
    if (t == 0.0)
        return 0.0;
    const double edge_over_t = edge / t;
    // Below t ≈ 6e-308 c/t overflows; ln(1 + c/t) is then ln c − ln t to double precision.
    if (std::isinf(edge_over_t))
        return (t / kPi) * (std::log(edge) - std::log(t));
    return (t / kPi) * std::log(1.0 + edge_over_t);
}

double width_increment_on_dielectric(double du1, const SubstrateTerms& substrate) {
    return du1 * (1.0 + substrate.edge_sech) / 2.0;
}

SubstrateTerms substrate_terms(double er) {
    // Strips worked out in bulk come many to a substrate: each thread keeps the terms of the
    // last substrate it was asked for, which the same er gives again bit for bit.
    thread_local SubstrateTerms last = {std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0};
    if (er != last.er) {
        last = {er, permittivity_filling_exponent(er), edge_sech(er)};
    }
    return last;
}

LineProperties zero_thickness_line(double u, double er) {
    return zero_thickness_line(u, substrate_terms(er));
}

LineProperties microstrip_line(double u, double t, double er) {
    return microstrip_line(u, t, substrate_terms(er));
}

LineProperties microstrip_line(double u, double t, const SubstrateTerms& substrate) {
    const double du1 = width_increment_in_air(u, t);
    const double dur = width_increment_on_dielectric(du1, substrate);
    const LineProperties widened = zero_thickness_line(u + dur, substrate);
    const double z1 = zero_thickness_line(u + du1, substrate).z0;
    const double ratio = thickness_impedance_ratio(z1, widened.z0);
    return {widened.z0, widened.e_eff * ratio * ratio};
}

double microstrip_impedance(double u, double t, const SubstrateTerms& substrate) {
    const double dur = width_increment_on_dielectric(width_increment_in_air(u, t), substrate);
    return zero_thickness_line(u + dur, substrate).z0;
}

}  // namespace velmoka

#include "maths/line_at_frequency.h"

#include <cmath>
#include <limits>

#include "maths/line_at_frequency_lanes.h"
#include "maths/microstrip_line.h"

namespace velmoka {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The calculator's own static model, to the last bit.
struct CalculatorStaticModel {
    LineProperties line(double u, double t, double er) const { return microstrip_line(u, t, er); }
    double air_impedance(double u, double t) const { return microstrip_impedance(u, t, substrate_terms(1.0)); }
};

LineAtFrequency refused(LineStatus status) {
    return {status, {}, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, {{kNaN, kNaN}, {kNaN, kNaN}},
            kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
}

}  // namespace

PreparedLine prepare_line(const Strip& strip, const Dielectric& dielectric, const Conductor& conductor) {
    PreparedLine line{};
    line.conductor = conductor;
    line.dielectric = fit_dielectric(dielectric);
    line.status = strip_admitted<ScalarLanes>(strip.width, strip.height, strip.thickness)
                      ? shared_status(line.dielectric, conductor)
                      : LineStatus::strip_not_admitted;
    if (line.status == LineStatus::ok) {
        CalculatorStaticModel model;
        line.terms = strip_terms_on<ScalarLanes>(model, strip.width, strip.height, strip.thickness, line.dielectric,
                                                 conductor);
    }
    return line;
}

LineAtFrequency line_at_frequency(const PreparedLine& line, double frequency) {
    if (line.status != LineStatus::ok)
        return refused(line.status);
    if (!(frequency >= 0.0) || !std::isfinite(frequency))
        return refused(LineStatus::frequency_not_admitted);
    CalculatorStaticModel model;
    const LineOutputsOf<double> o =
        line_at_frequency_on<ScalarLanes>(model, line.terms, line.dielectric, line.conductor, frequency);
    if (o.status != status_number(LineStatus::ok))
        return refused(LineStatus::no_finite_answer);
    return {LineStatus::ok,
            {static_cast<std::uint16_t>(o.warnings)},
            o.er,
            o.loss_tangent,
            o.z0,
            o.e_eff,
            o.alpha_c,
            o.alpha_d,
            o.alpha,
            {{o.gamma_re, o.gamma_im}, {o.zc_re, o.zc_im}},
            o.r,
            o.l,
            o.g,
            o.c,
            o.skin_depth,
            o.guided_wavelength,
            o.delay};
}

LineAtFrequency line_at_frequency(const Strip& strip, const Dielectric& dielectric, const Conductor& conductor,
                                  double frequency) {
    return line_at_frequency(prepare_line(strip, dielectric, conductor), frequency);
}

}  // namespace velmoka

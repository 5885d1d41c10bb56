#include "maths/width_at_frequency.h"

#include <cmath>
#include <limits>

#include "maths/width_search.h"

namespace velmoka {

WidthAtFrequency width_for_impedance(double z_want, double height, double thickness, const Dielectric& dielectric,
                                     const Conductor& conductor, double frequency) {
    // The width of W/H = e^log_u, raised by the ulp or two that keep its ratio to H from
    // rounding below the narrowest.
    const auto width_at = [&](double log_u) {
        double width = std::exp(log_u) * height;
        while (width / height < kNarrowestWidthRatio)
            width = std::nextafter(width, std::numeric_limits<double>::infinity());
        return width;
    };
    const auto line_of_ratio = [&](double log_u) {
        return line_at_frequency(prepare_line({width_at(log_u), height, thickness}, dielectric, conductor), frequency);
    };
    const auto answer = [&](WidthEnd end, double log_u, const LineAtFrequency& line, int passes) {
        return WidthAtFrequency{end, width_at(log_u), line, passes};
    };

    // Z0(f) falls as the strip widens: the residual z0 − z_want goes from positive to negative.
    double narrow = std::log(kNarrowestWidthRatio);
    double wide = std::log(kWidestWidthRatio);
    const LineAtFrequency narrowest = line_of_ratio(narrow);
    if (!(z_want > 0.0) || !std::isfinite(z_want) || narrowest.status != LineStatus::ok)
        return answer(WidthEnd::not_admitted, narrow, narrowest, 0);
    if (narrowest.z0 < z_want)
        return answer(WidthEnd::above_narrowest_strip, narrow, narrowest, 0);
    const LineAtFrequency widest = line_of_ratio(wide);
    if (widest.status != LineStatus::ok)
        return answer(WidthEnd::not_admitted, wide, widest, 0);
    if (widest.z0 > z_want)
        return answer(WidthEnd::below_widest_strip, wide, widest, 0);

    double narrow_residual = narrowest.z0 - z_want;
    double wide_residual = widest.z0 - z_want;
    int kept_side = 0;  // the end the last pass kept: −1 narrow, +1 wide
    for (int pass = 1; pass <= kMostWidthPasses; ++pass) {
        double probe = (narrow * wide_residual - wide * narrow_residual) / (wide_residual - narrow_residual);
        if (!(probe > narrow && probe < wide))
            probe = 0.5 * (narrow + wide);
        const LineAtFrequency line = line_of_ratio(probe);
        const double residual = line.z0 - z_want;
        if (line.status != LineStatus::ok || !std::isfinite(residual))
            return answer(WidthEnd::did_not_settle, probe, line, pass);
        if (std::abs(residual) <= kRelativeImpedanceTolerance * z_want)
            return answer(WidthEnd::met_tolerance, probe, line, pass);
        // Illinois: when the same end is kept twice running, its residual is halved, so the next
        // false-position step lands beyond the root rather than creeping up on it.
        if (residual > 0.0) {
            narrow = probe;
            narrow_residual = residual;
            if (kept_side == +1)
                wide_residual /= 2.0;
            kept_side = +1;
        } else {
            wide = probe;
            wide_residual = residual;
            if (kept_side == -1)
                narrow_residual /= 2.0;
            kept_side = -1;
        }
    }
    const double middle = 0.5 * (narrow + wide);
    return answer(WidthEnd::did_not_settle, middle, line_of_ratio(middle), kMostWidthPasses);
}

}  // namespace velmoka

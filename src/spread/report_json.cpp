#include "spread/report_json.h"

#include "common/json_text.h"
#include "text_rules/typed_value.h"

#include <array>
#include <cmath>
#include <limits>

namespace velmoka::spread {

namespace {

constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();

// A number in full: the shortest decimal that reads back as it; null where there is none.
void number(JsonText& json, std::string_view key, double value) {
    json.key(key);
    if (!std::isfinite(value)) {
        return json.null();
    }
    std::array<char, kLongestTypedText> text;
    json.number(std::string_view(text.data(), write_typed_value(text.data(), value)));
}

void count(JsonText& json, std::string_view key, std::uint64_t value) {
    json.key(key).number(std::to_string(value));
}

// The key of an impedance's figure: "z0_above" of a line, "z_diff_above" of a pair.
std::string keyed(Impedance of, std::string_view suffix) {
    return std::string(kImpedanceNames[static_cast<std::size_t>(of)]) + std::string(suffix);
}

void write_line(JsonText& json, std::string_view key, const Line& line, Impedance of) {
    json.key(key).open_object();
    for (std::size_t input = 0; input < inputs_of(of); ++input) {
        number(json, kInputNames[input], line.values[input]);
    }
    json.close_object();
}

void write_share(JsonText& json, std::string_view key, const Share& share) {
    json.key(key).open_object();
    number(json, "share", share.share);
    number(json, "lowest", share.lowest);
    number(json, "highest", share.highest);
    number(json, "confidence", kConfidence);
    json.close_object();
}

void write_nominal(JsonText& json, const Request& request, const Nominal& nominal, Impedance of) {
    json.key("nominal").open_object();
    write_line(json, "line", request.nominal, of);
    number(json, keyed(of, ""), nominal.z0);
    if (nominal.modes) {
        number(json, "z_even", nominal.modes->z_even);
        number(json, "z_odd", nominal.modes->z_odd);
        number(json, "er_eff_even", nominal.modes->e_eff_even);
        number(json, "er_eff_odd", nominal.modes->e_eff_odd);
    } else {
        number(json, "er_eff", nominal.e_eff);
    }
    number(json, "vel", nominal.velocity);
    number(json, "delay_ps_per_mm", nominal.delay_ps_per_mm);
    number(json, "delay_ps_per_inch", nominal.delay_ps_per_inch);
    if (nominal.phase) {
        number(json, "phase", *nominal.phase);
        number(json, "length", *request.length);
        number(json, "freq", *request.freq);
    } else {
        json.key("phase").null();
    }
    if (of == Impedance::z_diff) {
        number(json, "field_z_diff", request.field ? request.field->z_diff : kNoNumber);
        json.key("field_status");
        request.field ? json.string(request.field->status) : json.null();
    }
    json.close_object();
}

void write_sensitivities(JsonText& json, const std::vector<Sensitivity>& sensitivities, Impedance of) {
    json.key("sensitivities").open_list();
    for (const Sensitivity& sensitivity : sensitivities) {
        json.open_object();
        json.key("input").word(kInputNames[static_cast<std::size_t>(sensitivity.input)]);
        number(json, "tolerance", sensitivity.tolerance);
        number(json, keyed(of, "_above"), sensitivity.z0_above);
        number(json, keyed(of, "_below"), sensitivity.z0_below);
        number(json, "share", sensitivity.share);
        json.close_object();
    }
    json.close_list();
}

void write_worst_case(JsonText& json, const WorstCase& worst, Impedance of) {
    json.key("worst_case").open_object();
    number(json, "lowest", worst.lowest);
    number(json, "highest", worst.highest);
    write_line(json, "lowest_at", worst.lowest_at, of);
    write_line(json, "highest_at", worst.highest_at, of);
    json.key("monotone").open_object();
    for (std::size_t input = 0; input < inputs_of(of); ++input) {
        json.key(kInputNames[input]).boolean(worst.monotone[input]);
    }
    json.close_object();
    json.key("searched").boolean(worst.searched);
    json.close_object();
}

void write_percentiles(JsonText& json, const std::vector<double>& percentiles) {
    json.key("percentiles").open_object();
    for (std::size_t index = 0; index < kPercentiles.size(); ++index) {
        std::array<char, kLongestTypedText> percent;
        number(json, std::string_view(percent.data(), write_typed_value(percent.data(), kPercentiles[index])),
               percentiles[index]);
    }
    json.close_object();
}

void write_yield(JsonText& json, const Request& request, const std::optional<Share>& yield) {
    if (!yield) {
        return json.key("yield").null();
    }
    json.key("yield").open_object();
    number(json, "target", *request.target);
    number(json, "band", request.band->about(*request.target));
    write_share(json, "inside", *yield);
    json.close_object();
}

void write_monte_carlo(JsonText& json, const Request& request, const MonteCarlo& monte_carlo) {
    json.key("monte_carlo").open_object();
    number(json, "mean", monte_carlo.z0.mean);
    number(json, "standard_deviation", monte_carlo.z0.standard_deviation);
    count(json, "outside_model", monte_carlo.outside_model);
    write_percentiles(json, monte_carlo.percentiles);
    write_yield(json, request, monte_carlo.yield);
    json.close_object();
}

void write_corrected(JsonText& json, const Request& request, const std::optional<Corrected>& corrected) {
    if (!corrected) {
        return json.key("corrected").null();
    }
    json.key("corrected").open_object();
    number(json, "factor", corrected->factor);
    number(json, "mean", corrected->mean);
    number(json, "standard_deviation", corrected->standard_deviation);
    write_percentiles(json, corrected->percentiles);
    write_yield(json, request, corrected->yield);
    json.close_object();
}

void write_centring(JsonText& json, const Report& report, Impedance of) {
    const std::optional<Centring>& centring = report.centring;
    if (!centring) {
        return json.key("centring").null();
    }
    json.key("centring").open_object();
    number(json, "width_for_yield", centring->width_for_yield);
    write_share(json, "yield", centring->yield);
    number(json, "step", centring->step);
    number(json, "width_for_median", centring->width_for_median);
    write_share(json, "yield_at_median_width", centring->yield_at_median_width);
    count(json, "runs", static_cast<std::uint64_t>(centring->runs));
    if (of == Impedance::z_diff) {
        json.key("corrected").boolean(report.corrected.has_value());
    }
    json.close_object();
}

}  // namespace

std::string report_json(const Request& request, const Report& report, std::string_view units_name) {
    std::string out;
    JsonText json(out);
    json.open_object();
    json.key("units").word(units_name);
    json.key("distribution").word(kDistributionNames[static_cast<std::size_t>(request.distribution)]);
    count(json, "samples", report.monte_carlo.samples);
    count(json, "seed", report.monte_carlo.seed);
    const Impedance of = impedance_of(request.nominal);
    if (of == Impedance::z_diff) {
        json.key("quantity").word(kImpedanceNames[static_cast<std::size_t>(of)]);
    }
    write_nominal(json, request, report.nominal, of);
    write_sensitivities(json, report.sensitivities, of);
    write_worst_case(json, report.worst_case, of);
    number(json, "root_sum_square", report.root_sum_square);
    write_monte_carlo(json, request, report.monte_carlo);
    if (of == Impedance::z_diff) {
        write_corrected(json, request, report.corrected);
    }
    write_centring(json, report, of);
    json.key("model").string(model_limits(of));
    json.close_object();
    return out;
}

}  // namespace velmoka::spread

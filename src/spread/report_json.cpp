#include "spread/report_json.h"

#include "common/json_text.h"
#include "text_rules/typed_value.h"

#include <array>
#include <cmath>

namespace velmoka::spread {

namespace {

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

void write_line(JsonText& json, std::string_view key, const Line& line) {
    json.key(key).open_object();
    for (std::size_t input = 0; input < kInputs; ++input) {
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

void write_nominal(JsonText& json, const Request& request, const Nominal& nominal) {
    json.key("nominal").open_object();
    write_line(json, "line", request.nominal);
    number(json, "z0", nominal.z0);
    number(json, "er_eff", nominal.e_eff);
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
    json.close_object();
}

void write_sensitivities(JsonText& json, const std::vector<Sensitivity>& sensitivities) {
    json.key("sensitivities").open_list();
    for (const Sensitivity& sensitivity : sensitivities) {
        json.open_object();
        json.key("input").word(kInputNames[static_cast<std::size_t>(sensitivity.input)]);
        number(json, "tolerance", sensitivity.tolerance);
        number(json, "z0_above", sensitivity.z0_above);
        number(json, "z0_below", sensitivity.z0_below);
        number(json, "share", sensitivity.share);
        json.close_object();
    }
    json.close_list();
}

void write_worst_case(JsonText& json, const WorstCase& worst) {
    json.key("worst_case").open_object();
    number(json, "lowest", worst.lowest);
    number(json, "highest", worst.highest);
    write_line(json, "lowest_at", worst.lowest_at);
    write_line(json, "highest_at", worst.highest_at);
    json.key("monotone").open_object();
    for (std::size_t input = 0; input < kInputs; ++input) {
        json.key(kInputNames[input]).boolean(worst.monotone[input]);
    }
    json.close_object();
    json.key("searched").boolean(worst.searched);
    json.close_object();
}

void write_monte_carlo(JsonText& json, const Request& request, const MonteCarlo& monte_carlo) {
    json.key("monte_carlo").open_object();
    number(json, "mean", monte_carlo.z0.mean);
    number(json, "standard_deviation", monte_carlo.z0.standard_deviation);
    count(json, "outside_model", monte_carlo.outside_model);
    json.key("percentiles").open_object();
    for (std::size_t index = 0; index < kPercentiles.size(); ++index) {
        std::array<char, kLongestTypedText> percent;
        number(json, std::string_view(percent.data(), write_typed_value(percent.data(), kPercentiles[index])),
               monte_carlo.percentiles[index]);
    }
    json.close_object();
    if (monte_carlo.yield) {
        json.key("yield").open_object();
        number(json, "target", *request.target);
        number(json, "band", request.band->about(*request.target));
        write_share(json, "inside", *monte_carlo.yield);
        json.close_object();
    } else {
        json.key("yield").null();
    }
    json.close_object();
}

void write_centring(JsonText& json, const std::optional<Centring>& centring) {
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
    write_nominal(json, request, report.nominal);
    write_sensitivities(json, report.sensitivities);
    write_worst_case(json, report.worst_case);
    number(json, "root_sum_square", report.root_sum_square);
    write_monte_carlo(json, request, report.monte_carlo);
    write_centring(json, report.centring);
    json.key("model").string(kModelLimits);
    json.close_object();
    return out;
}

}  // namespace velmoka::spread

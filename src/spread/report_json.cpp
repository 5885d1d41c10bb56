#include "spread/report_json.h"

#include "text_rules/typed_value.h"

#include <array>
#include <cmath>

namespace velmoka::spread {

namespace {

// Writes one JSON object, field by field, and closes it when it goes out of scope.
class JsonObject {
public:
    explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }
    JsonObject(const JsonObject&) = delete;
    JsonObject& operator=(const JsonObject&) = delete;

    void number(std::string_view key, double value) { start(key) += number_text(value); }
    void count(std::string_view key, std::uint64_t value) { start(key) += std::to_string(value); }
    void word(std::string_view key, std::string_view value) { ((start(key) += '"') += value) += '"'; }
    void flag(std::string_view key, bool value) { start(key) += value ? "true" : "false"; }
    void null(std::string_view key) { start(key) += "null"; }
    // A field whose value the caller writes: an object or a list.
    std::string& field(std::string_view key) { return start(key); }

    static std::string number_text(double value) {
        if (!std::isfinite(value)) {
            return "null";
        }
        std::array<char, kLongestTypedText> text;
        return std::string(text.data(), write_typed_value(text.data(), value));
    }

private:
    std::string& start(std::string_view key) {
        if (!first_) {
            out_ += ',';
        }
        first_ = false;
        return ((out_ += '"') += key) += "\":";
    }

    std::string& out_;
    bool first_ = true;
};

void write_line(std::string& out, const Line& line) {
    JsonObject object(out);
    for (std::size_t input = 0; input < kInputs; ++input) {
        object.number(kInputNames[input], line.values[input]);
    }
}

void write_share(std::string& out, const Share& share) {
    JsonObject object(out);
    object.number("share", share.share);
    object.number("lowest", share.lowest);
    object.number("highest", share.highest);
    object.number("confidence", kConfidence);
}

void write_nominal(std::string& out, const Request& request, const Nominal& nominal) {
    JsonObject object(out);
    write_line(object.field("line"), request.nominal);
    object.number("z0", nominal.z0);
    object.number("er_eff", nominal.e_eff);
    object.number("vel", nominal.velocity);
    object.number("delay_ps_per_mm", nominal.delay_ps_per_mm);
    object.number("delay_ps_per_inch", nominal.delay_ps_per_inch);
    if (nominal.phase) {
        object.number("phase", *nominal.phase);
        object.number("length", *request.length);
        object.number("freq", *request.freq);
    } else {
        object.null("phase");
    }
}

void write_sensitivities(std::string& out, const std::vector<Sensitivity>& sensitivities) {
    out += '[';
    for (const Sensitivity& sensitivity : sensitivities) {
        if (&sensitivity != &sensitivities.front()) {
            out += ',';
        }
        JsonObject object(out);
        object.word("input", kInputNames[static_cast<std::size_t>(sensitivity.input)]);
        object.number("tolerance", sensitivity.tolerance);
        object.number("z0_above", sensitivity.z0_above);
        object.number("z0_below", sensitivity.z0_below);
        object.number("share", sensitivity.share);
    }
    out += ']';
}

void write_worst_case(std::string& out, const WorstCase& worst) {
    JsonObject object(out);
    object.number("lowest", worst.lowest);
    object.number("highest", worst.highest);
    write_line(object.field("lowest_at"), worst.lowest_at);
    write_line(object.field("highest_at"), worst.highest_at);
    {
        JsonObject monotone(object.field("monotone"));
        for (std::size_t input = 0; input < kInputs; ++input) {
            monotone.flag(kInputNames[input], worst.monotone[input]);
        }
    }
    object.flag("searched", worst.searched);
}

void write_monte_carlo(std::string& out, const Request& request, const MonteCarlo& monte_carlo) {
    JsonObject object(out);
    object.number("mean", monte_carlo.z0.mean);
    object.number("standard_deviation", monte_carlo.z0.standard_deviation);
    object.count("outside_model", monte_carlo.outside_model);
    {
        JsonObject percentiles(object.field("percentiles"));
        for (std::size_t index = 0; index < kPercentiles.size(); ++index) {
            percentiles.number(JsonObject::number_text(kPercentiles[index]), monte_carlo.percentiles[index]);
        }
    }
    if (monte_carlo.yield) {
        JsonObject yield(object.field("yield"));
        yield.number("target", *request.target);
        yield.number("band", request.band->about(*request.target));
        write_share(yield.field("inside"), *monte_carlo.yield);
    } else {
        object.null("yield");
    }
}

void write_centring(std::string& out, const Centring& centring) {
    JsonObject object(out);
    object.number("width_for_yield", centring.width_for_yield);
    write_share(object.field("yield"), centring.yield);
    object.number("step", centring.step);
    object.number("width_for_median", centring.width_for_median);
    write_share(object.field("yield_at_median_width"), centring.yield_at_median_width);
    object.count("runs", static_cast<std::uint64_t>(centring.runs));
}

}  // namespace

std::string report_json(const Request& request, const Report& report, std::string_view units_name) {
    std::string out;
    {
        JsonObject object(out);
        object.word("units", units_name);
        object.word("distribution", kDistributionNames[static_cast<std::size_t>(request.distribution)]);
        object.count("samples", report.monte_carlo.samples);
        object.count("seed", report.monte_carlo.seed);
        write_nominal(object.field("nominal"), request, report.nominal);
        write_sensitivities(object.field("sensitivities"), report.sensitivities);
        write_worst_case(object.field("worst_case"), report.worst_case);
        object.number("root_sum_square", report.root_sum_square);
        write_monte_carlo(object.field("monte_carlo"), request, report.monte_carlo);
        if (report.centring) {
            write_centring(object.field("centring"), *report.centring);
        } else {
            object.null("centring");
        }
        object.word("model", kModelLimits);
    }
    return out;
}

}  // namespace velmoka::spread

#include "command_line/spread_plot.h"

#include "command_line/spread_output.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace velmoka::command_line {

namespace {

// The picture's geometry, in SVG pixels.
constexpr double kWidth = 760.0;
constexpr double kHeight = 440.0;
constexpr double kPlotLeft = 70.0;
constexpr double kPlotRight = 500.0;
constexpr double kPlotTop = 70.0;
constexpr double kPlotBottom = 380.0;
constexpr double kBarsLeft = 590.0;
// Room right of the longest bar for its share, "100.0 %", in 13 px type.
constexpr double kShareLabelRoom = 56.0;
constexpr double kBarsRight = kWidth - 10.0 - kShareLabelRoom;
constexpr double kBarHeight = 26.0;
constexpr std::size_t kBins = 60;
constexpr int kTicks = 6;  // about as many ticks along Z0
// Of the samples, the share left out at either end of the histogram's span.
constexpr double kSpanTail = 0.0005;

constexpr std::string_view kBarColour = "#4a78b5";
constexpr std::string_view kBandColour = "#5fb35f";
constexpr std::string_view kNominalColour = "#c0392b";

// SVG attributes of numbers, one decimal: the picture needs no finer.
std::string at(double value) {
    return fixed(value, 1);
}

struct Span {
    double low;
    double high;
    double x_of(double value) const { return kPlotLeft + (value - low) / (high - low) * (kPlotRight - kPlotLeft); }
};

// Where the histogram runs: the samples but their outermost tails, and the nominal, target and
// band, with a little room.
Span span_of(const spread::Request& request, const spread::Report& report, std::vector<double> z0) {
    std::erase_if(z0, [](double value) { return !std::isfinite(value); });
    Span span{report.nominal.z0, report.nominal.z0};
    if (!z0.empty()) {
        const auto tail = static_cast<std::ptrdiff_t>(kSpanTail * static_cast<double>(z0.size()));
        std::nth_element(z0.begin(), z0.begin() + tail, z0.end());
        span.low = std::min(span.low, z0[static_cast<std::size_t>(tail)]);
        std::nth_element(z0.begin(), z0.end() - 1 - tail, z0.end());
        span.high = std::max(span.high, *(z0.end() - 1 - tail));
    }
    if (request.target) {
        const double band = request.band->about(*request.target);
        span.low = std::min(span.low, *request.target - band);
        span.high = std::max(span.high, *request.target + band);
    }
    const double room = std::max(0.05 * (span.high - span.low), 1e-9 * std::fabs(span.high));
    return {span.low - room, span.high + room};
}

// A step between ticks of 1, 2 or 5 times a power of ten, at least the rough step given.
double round_step(double rough) {
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double multiple : {1.0, 2.0, 5.0}) {
        if (multiple * power >= rough) {
            return multiple * power;
        }
    }
    return 10.0 * power;
}

// The decimals that show a tick step: none for 1 and above, one for 0.1 to 0.9.
int decimals_of(double step) {
    return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
}

}  // namespace

void write_spread_plot(std::ostream& out, const spread::Request& request, const spread::Report& report) {
    const bool pair = spread::impedance_of(request.nominal) == spread::Impedance::z_diff;
    const Span span = span_of(request, report, {report.sample_z0.begin(), report.sample_z0.end()});
    std::array<std::uint64_t, kBins> counts{};
    for (const double value : report.sample_z0) {
        if (std::isfinite(value) && value >= span.low && value < span.high) {
            ++counts[std::min(kBins - 1, static_cast<std::size_t>((value - span.low) / (span.high - span.low) *
                                                                  static_cast<double>(kBins)))];
        }
    }
    const double tallest =
        static_cast<double>(std::max<std::uint64_t>(1, *std::max_element(counts.begin(), counts.end())));

    out << R"(<?xml version="1.0" encoding="UTF-8"?>)"
        << "\n"
        << R"(<svg xmlns="http://www.w3.org/2000/svg" width=")" << at(kWidth) << R"(" height=")" << at(kHeight)
        << R"(" viewBox="0 0 )" << at(kWidth) << " " << at(kHeight)
        << R"(" font-family="Liberation Sans, Arial, sans-serif" font-size="13">)"
        << "\n"
        << R"(<rect width="100%" height="100%" fill="white"/>)"
        << "\n"
        << R"(<text x=")" << at(kPlotLeft) << R"(" y="28" font-size="16">)"
        << (pair ? "Spread of the differential impedance z_diff over " : "Spread of the impedance Z0 over ")
        << report.monte_carlo.samples << " boards</text>\n";
    if (request.target) {
        const double band = request.band->about(*request.target);
        out << R"(<rect x=")" << at(span.x_of(*request.target - band)) << R"(" y=")" << at(kPlotTop) << R"(" width=")"
            << at(span.x_of(*request.target + band) - span.x_of(*request.target - band)) << R"(" height=")"
            << at(kPlotBottom - kPlotTop) << R"(" fill=")" << kBandColour << R"(" fill-opacity="0.18"/>)"
            << "\n";
    }
    const double bin_width = (kPlotRight - kPlotLeft) / static_cast<double>(kBins);
    for (std::size_t bin = 0; bin < kBins; ++bin) {
        const double height = static_cast<double>(counts[bin]) / tallest * (kPlotBottom - kPlotTop);
        out << R"(<rect x=")" << at(kPlotLeft + static_cast<double>(bin) * bin_width) << R"(" y=")"
            << at(kPlotBottom - height) << R"(" width=")" << at(bin_width) << R"(" height=")" << at(height)
            << R"(" fill=")" << kBarColour << R"("/>)"
            << "\n";
    }
    // A line across the histogram at a value, its label above the plot, on the side given.
    const auto mark = [&](double value, std::string_view colour, std::string_view dashes, const std::string& label,
                          bool label_on_the_left) {
        const double x = span.x_of(value);
        out << R"(<line x1=")" << at(x) << R"(" y1=")" << at(kPlotTop) << R"(" x2=")" << at(x) << R"(" y2=")"
            << at(kPlotBottom) << R"(" stroke=")" << colour << R"(" stroke-width="2" stroke-dasharray=")" << dashes
            << R"("/>)"
            << "\n"
            << R"(<text x=")" << at(label_on_the_left ? x - 4 : x + 4) << R"(" y=")" << at(kPlotTop - 6)
            << R"(" text-anchor=")" << (label_on_the_left ? "end" : "start") << R"(" fill=")" << colour << R"(">)"
            << label << "</text>\n";
    };
    const bool target_below_nominal = request.target && *request.target < report.nominal.z0;
    mark(report.nominal.z0, kNominalColour, "6 4", "nominal " + fixed(report.nominal.z0, 2), !target_below_nominal);
    if (request.target) {
        mark(*request.target, kBandColour, "none",
             "target " + fixed(*request.target, 2) + " ± " + fixed(request.band->about(*request.target), 2),
             target_below_nominal);
    }
    out << R"(<line x1=")" << at(kPlotLeft) << R"(" y1=")" << at(kPlotBottom) << R"(" x2=")" << at(kPlotRight)
        << R"(" y2=")" << at(kPlotBottom) << R"(" stroke="black"/>)"
        << "\n";
    const double tick_step = round_step((span.high - span.low) / kTicks);
    for (double value = std::ceil(span.low / tick_step) * tick_step; value <= span.high; value += tick_step) {
        out << R"(<line x1=")" << at(span.x_of(value)) << R"(" y1=")" << at(kPlotBottom) << R"(" x2=")"
            << at(span.x_of(value)) << R"(" y2=")" << at(kPlotBottom + 5) << R"(" stroke="black"/>)"
            << "\n"
            << R"(<text x=")" << at(span.x_of(value)) << R"(" y=")" << at(kPlotBottom + 20)
            << R"(" text-anchor="middle">)" << fixed(value, decimals_of(tick_step)) << "</text>\n";
    }
    out << R"(<text x=")" << at((kPlotLeft + kPlotRight) / 2) << R"(" y=")" << at(kPlotBottom + 42)
        << R"(" text-anchor="middle">)" << (pair ? "z_diff" : "Z0") << " (ohms)</text>"
        << "\n";

    out << R"(<text x=")" << at(kBarsLeft - 40) << R"(" y=")" << at(kPlotTop + 14)
        << R"(">Share of the variance</text>)"
        << "\n";
    double y = kPlotTop + 30;
    for (const spread::Sensitivity& sensitivity : report.sensitivities) {
        const double length = sensitivity.share * (kBarsRight - kBarsLeft);
        out << R"(<text x=")" << at(kBarsLeft - 8) << R"(" y=")" << at(y + kBarHeight * 0.65)
            << R"(" text-anchor="end">)" << spread::kInputNames[static_cast<std::size_t>(sensitivity.input)]
            << "</text>\n"
            << R"(<rect x=")" << at(kBarsLeft) << R"(" y=")" << at(y) << R"(" width=")" << at(length) << R"(" height=")"
            << at(kBarHeight * 0.8) << R"(" fill=")" << kBarColour << R"("/>)"
            << "\n"
            << R"(<text x=")" << at(kBarsLeft + length + 4) << R"(" y=")" << at(y + kBarHeight * 0.65) << R"(">)"
            << fixed(100.0 * sensitivity.share, 1) << " %</text>\n";
        y += kBarHeight * 1.3;
    }
    out << "</svg>\n";
}

}  // namespace velmoka::command_line

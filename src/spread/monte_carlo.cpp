#include "spread/monte_carlo.h"

#include "calculator/in_parallel.h"
#include "spread/line_values.h"

#include <atomic>
#include <cmath>

namespace velmoka::spread {

SampleLines::SampleLines(const Line& nominal, const Tolerances& tolerances, Distribution distribution,
                         std::uint64_t seed)
    : nominal_(nominal), distribution_(distribution), draws_(seed) {
    for (std::size_t input = 0; input < kInputs; ++input) {
        tolerances_[input] = tolerances[input].about(nominal.values[input]);
    }
}

Line SampleLines::operator()(std::uint64_t sample) const {
    Line line = nominal_;
    for (std::size_t input = 0; input < kInputs; ++input) {
        if (tolerances_[input] != 0.0) {
            line.values[input] +=
                tolerances_[input] * draws_.deviation(sample, static_cast<Input>(input), distribution_);
        }
    }
    return line;
}

SampleColumn impedances_of(const SampleLines& lines, std::uint64_t count, std::array<SampleColumn, kInputs>* kept) {
    SampleColumn z0(count);
    if (kept == nullptr) {
        line_values(
            count, [&](std::size_t sample) { return lines(sample); }, z0.data(), nullptr);
        return z0;
    }
    for (SampleColumn& column : *kept) {
        column.resize(count);
    }
    line_values(
        count,
        [&](std::size_t sample) {
            const Line line = lines(sample);
            for (std::size_t input = 0; input < kInputs; ++input) {
                (*kept)[input][sample] = line.values[input];
            }
            return line;
        },
        z0.data(), nullptr);
    return z0;
}

std::uint64_t inside_band(std::span<const double> z0, double target, double band) {
    constexpr std::size_t kPiece = 1 << 16;
    std::atomic<std::uint64_t> inside{0};
    in_parallel(z0.size(), kPiece, [&](std::size_t begin, std::size_t end) {
        std::uint64_t piece = 0;
        for (std::size_t sample = begin; sample < end; ++sample) {
            piece += std::fabs(z0[sample] - target) <= band ? 1 : 0;  // NaN is never inside
        }
        inside += piece;
    });
    return inside;
}

}  // namespace velmoka::spread

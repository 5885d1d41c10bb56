#include "spread/monte_carlo.h"

#include "common/in_parallel.h"
#include "spread/impedances.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace velmoka::spread {

SampleLines::SampleLines(const Line& nominal, const Tolerances& tolerances, Distribution distribution,
                         std::uint64_t seed)
    : nominal_(nominal), impedance_(impedance_of(nominal)), distribution_(distribution), draws_(seed) {
    for (std::size_t input = 0; input < kInputs; ++input) {
        tolerances_[input] = tolerances[input].about(nominal.values[input]);
    }
}

void SampleLines::lines(std::uint64_t first, std::size_t count, const std::array<double*, kInputs>& to) const {
    for (std::size_t input = 0; input < inputs_of(impedance_); ++input) {
        double* const values = to[input];
        const double nominal = nominal_.values[input];
        const double tolerance = tolerances_[input];
        if (tolerance == 0.0) {
            std::fill_n(values, count, nominal);
            continue;
        }
        draws_.deviations(first, count, static_cast<Input>(input), distribution_, values);
        for (std::size_t sample = 0; sample < count; ++sample) {
            values[sample] = nominal + tolerance * values[sample];
        }
    }
}

SampleColumn impedances_of(const SampleLines& lines, std::uint64_t count, std::array<SampleColumn, kInputs>* kept) {
    SampleColumn z0(count);
    const std::size_t inputs = inputs_of(lines.impedance());
    if (kept != nullptr) {
        for (std::size_t input = 0; input < inputs; ++input) {
            (*kept)[input].resize(count);
        }
    }
    in_parallel(count, kLineBlock, [&](std::size_t begin, std::size_t end) {
        LineBlock block;
        std::array<double*, kInputs> line;
        for (std::size_t input = 0; input < kInputs; ++input) {
            line[input] = kept != nullptr && input < inputs ? (*kept)[input].data() + begin : block[input].data();
        }
        lines.lines(begin, end - begin, line);
        impedances_of_block(lines.impedance(), end - begin, line, z0.data() + begin);
    });
    return z0;
}

std::uint64_t inside_band(std::span<const double> z0, double target, double band, double scale) {
    constexpr std::size_t kPiece = 1 << 16;
    std::atomic<std::uint64_t> inside{0};
    in_parallel(z0.size(), kPiece, [&](std::size_t begin, std::size_t end) {
        inside += inside_band_here(z0.subspan(begin, end - begin), target, band, scale);
    });
    return inside;
}

}  // namespace velmoka::spread

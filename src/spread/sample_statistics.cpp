#include "spread/sample_statistics.h"

#include "common/in_parallel.h"
#include "maths/lines_over_arrays.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

namespace velmoka::spread {

namespace {

constexpr std::size_t kPiece = 1 << 16;  // values a thread takes at once
constexpr std::size_t kBins = 1 << 12;   // bins of the counting pass
// The standard normal quantile of 1 − (1 − kConfidence)/2: 95 % lie within ± this.
constexpr double kConfidenceQuantile = 1.959963984540054;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Σ (value − mean)² over the count finite values, less (Σ (value − mean))²/count: that term is
// nought for the exact mean and takes out the rounding of the one divided out (the corrected
// two-pass form).
double squares_about(double mean, std::uint64_t count, std::span<const double> values) {
    double squares = 0.0;
    double deviations = 0.0;
#pragma omp simd reduction(+ : squares, deviations)
    for (std::size_t index = 0; index < values.size(); ++index) {
        const double deviation = values[index] - mean;
        deviations += std::isfinite(values[index]) ? deviation : 0.0;
        squares += std::isfinite(values[index]) ? deviation * deviation : 0.0;
    }
    return std::max(0.0, squares - deviations * deviations / static_cast<double>(count));
}

}  // namespace

MomentSums moment_sums_of(std::span<const double> values) {
    // Each pass on SIMD lanes, the lanes' sums added at the end: no add waits for the last.
    std::uint64_t count = 0;
    double sum = 0.0;
    double lowest = kInfinity;
    double highest = -kInfinity;
#pragma omp simd reduction(+ : count, sum) reduction(min : lowest) reduction(max : highest)
    for (std::size_t index = 0; index < values.size(); ++index) {
        const double value = values[index];
        const bool counted = std::isfinite(value);
        count += counted ? 1 : 0;
        sum += counted ? value : 0.0;
        lowest = std::min(lowest, counted ? value : kInfinity);
        highest = std::max(highest, counted ? value : -kInfinity);
    }
    if (count == 0) {
        return {};
    }
    const double mean = sum / static_cast<double>(count);
    return {count, mean, squares_about(mean, count, values), lowest, highest};
}

Moments moments_joined(std::span<const MomentSums> blocks) {
    MomentSums total;
    for (const MomentSums& block : blocks) {
        if (block.count == 0) {
            continue;
        }
        const double count = static_cast<double>(total.count + block.count);
        const double step = block.mean - total.mean;
        total.mean += step * (static_cast<double>(block.count) / count);
        total.squares +=
            block.squares + step * step * (static_cast<double>(total.count) / count) * static_cast<double>(block.count);
        total.count += block.count;
        total.lowest = std::min(total.lowest, block.lowest);
        total.highest = std::max(total.highest, block.highest);
    }
    if (total.count == 0) {
        return {};
    }
    const double freedom = static_cast<double>(total.count - 1);
    return {total.count, total.mean, total.count > 1 ? std::sqrt(total.squares / freedom) : 0.0, total.lowest,
            total.highest};
}

Moments moments_of(std::span<const double> values) {
    // In blocks of the impedance pass's length, so that the moments it gathers as it goes and
    // these of its column are the same bits.
    const std::size_t blocks = (values.size() + kLineBlock - 1) / kLineBlock;
    std::vector<MomentSums> sums(blocks);
    in_parallel(values.size(), kLineBlock, [&](std::size_t begin, std::size_t end) {
        sums[begin / kLineBlock] = moment_sums_of(values.subspan(begin, end - begin));
    });
    return moments_joined(sums);
}

std::vector<double> percentiles_of(std::span<const double> values, const Moments& moments,
                                   std::span<const double> percents) {
    std::vector<double> found(percents.size(), std::numeric_limits<double>::quiet_NaN());
    if (moments.count == 0) {
        return found;
    }
    if (moments.lowest == moments.highest) {
        std::fill(found.begin(), found.end(), moments.lowest);
        return found;
    }
    const double bins_per_unit = static_cast<double>(kBins) / (moments.highest - moments.lowest);
    const auto bin_of = [&](double value) {
        return std::min(kBins - 1, static_cast<std::size_t>((value - moments.lowest) * bins_per_unit));
    };
    std::vector<std::uint64_t> counts(kBins);
    std::mutex adding;
    in_parallel(values.size(), kPiece, [&](std::size_t begin, std::size_t end) {
        std::vector<std::uint64_t> piece(kBins);
        for (std::size_t index = begin; index < end; ++index) {
            if (std::isfinite(values[index])) {
                ++piece[bin_of(values[index])];
            }
        }
        const std::scoped_lock lock(adding);
        std::transform(counts.begin(), counts.end(), piece.begin(), counts.begin(), std::plus<>());
    });
    // The ranks wanted (each percentile's two nearest), the bin of each, and the rank that
    // bin starts at.
    std::vector<std::uint64_t> ranks;
    for (const double percent : percents) {
        const double position = percent / 100.0 * static_cast<double>(moments.count - 1);
        const auto below = static_cast<std::uint64_t>(std::floor(position));
        ranks.push_back(below);
        ranks.push_back(std::min(below + 1, moments.count - 1));
    }
    std::vector<std::uint64_t> first_rank_of_bin(kBins);
    for (std::size_t bin = 1; bin < kBins; ++bin) {
        first_rank_of_bin[bin] = first_rank_of_bin[bin - 1] + counts[bin - 1];
    }
    std::vector<bool> wanted(kBins);
    for (const std::uint64_t rank : ranks) {
        wanted[static_cast<std::size_t>(std::upper_bound(first_rank_of_bin.begin(), first_rank_of_bin.end(), rank) -
                                        first_rank_of_bin.begin()) -
               1] = true;
    }
    // The values of the wanted bins, gathered on every core: in whatever order a bin's values
    // arrive, the value at a rank among them is the same.
    std::vector<std::vector<double>> held(kBins);
    in_parallel(values.size(), kPiece, [&](std::size_t begin, std::size_t end) {
        std::vector<std::vector<double>> piece(kBins);
        for (std::size_t index = begin; index < end; ++index) {
            if (std::isfinite(values[index]) && wanted[bin_of(values[index])]) {
                piece[bin_of(values[index])].push_back(values[index]);
            }
        }
        const std::scoped_lock lock(adding);
        for (std::size_t bin = 0; bin < kBins; ++bin) {
            held[bin].insert(held[bin].end(), piece[bin].begin(), piece[bin].end());
        }
    });
    const auto at_rank = [&](std::uint64_t rank) {
        const std::size_t bin =
            static_cast<std::size_t>(std::upper_bound(first_rank_of_bin.begin(), first_rank_of_bin.end(), rank) -
                                     first_rank_of_bin.begin()) -
            1;
        std::vector<double>& in_bin = held[bin];
        const auto nth = in_bin.begin() + static_cast<std::ptrdiff_t>(rank - first_rank_of_bin[bin]);
        std::nth_element(in_bin.begin(), nth, in_bin.end());
        return *nth;
    };
    for (std::size_t wanted_percent = 0; wanted_percent < percents.size(); ++wanted_percent) {
        const double position = percents[wanted_percent] / 100.0 * static_cast<double>(moments.count - 1);
        const double below = at_rank(ranks[2 * wanted_percent]);
        const double above = at_rank(ranks[2 * wanted_percent + 1]);
        found[wanted_percent] = below + (position - std::floor(position)) * (above - below);
    }
    return found;
}

Share share_of(std::uint64_t successes, std::uint64_t trials) {
    if (trials == 0) {
        return {std::numeric_limits<double>::quiet_NaN(), 0.0, 1.0};
    }
    const double z = kConfidenceQuantile;
    const double n = static_cast<double>(trials);
    const double share = static_cast<double>(successes) / n;
    const double spread = z * z / n;
    const double centre = (share + spread / 2.0) / (1.0 + spread);
    const double half_width = z * std::sqrt(share * (1.0 - share) / n + spread / (4.0 * n)) / (1.0 + spread);
    return {share, std::max(0.0, centre - half_width), std::min(1.0, centre + half_width)};
}

}  // namespace velmoka::spread

#include "spread/sample_statistics.h"

#include "common/in_parallel.h"

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

struct Sums {
    std::uint64_t count = 0;
    double sum = 0.0;
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();
};

}  // namespace

Moments moments_of(std::span<const double> values) {
    // Each piece's sums kept in its own place and added up in the pieces' order, not as threads
    // finish: the same values give the same bits on any number of cores, run after run.
    const std::size_t pieces = (values.size() + kPiece - 1) / kPiece;
    std::vector<Sums> piece_sums(pieces);
    in_parallel(values.size(), kPiece, [&](std::size_t begin, std::size_t end) {
        Sums& piece = piece_sums[begin / kPiece];
        for (std::size_t index = begin; index < end; ++index) {
            const double value = values[index];
            if (std::isfinite(value)) {
                ++piece.count;
                piece.sum += value;
                piece.lowest = std::min(piece.lowest, value);
                piece.highest = std::max(piece.highest, value);
            }
        }
    });
    Sums total;
    for (const Sums& piece : piece_sums) {
        total.count += piece.count;
        total.sum += piece.sum;
        total.lowest = std::min(total.lowest, piece.lowest);
        total.highest = std::max(total.highest, piece.highest);
    }
    Moments moments;
    moments.count = total.count;
    if (total.count == 0) {
        return moments;
    }
    moments.mean = total.sum / static_cast<double>(total.count);
    moments.lowest = total.lowest;
    moments.highest = total.highest;
    // The squares about the mean, a second pass: no cancellation between large sums.
    std::vector<double> piece_squares(pieces);
    in_parallel(values.size(), kPiece, [&](std::size_t begin, std::size_t end) {
        double& piece = piece_squares[begin / kPiece];
        for (std::size_t index = begin; index < end; ++index) {
            if (std::isfinite(values[index])) {
                piece += (values[index] - moments.mean) * (values[index] - moments.mean);
            }
        }
    });
    double squares = 0.0;
    for (const double piece : piece_squares) {
        squares += piece;
    }
    moments.standard_deviation = total.count > 1 ? std::sqrt(squares / static_cast<double>(total.count - 1)) : 0.0;
    return moments;
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
    // The values of the wanted bins, each bin's in order.
    std::vector<std::vector<double>> held(kBins);
    for (const double value : values) {
        if (std::isfinite(value) && wanted[bin_of(value)]) {
            held[bin_of(value)].push_back(value);
        }
    }
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

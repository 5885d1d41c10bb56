#include "spread/centring.h"

#include "common/in_parallel.h"
#include "maths/lines_over_arrays.h"
#include "maths/pair_search.h"
#include "spread/golden_section.h"
#include "spread/monte_carlo.h"
#include "spread/pair_values.h"
#include "spread/random_draws.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <functional>
#include <map>
#include <span>
#include <utility>

namespace velmoka::spread {

namespace {

constexpr int kMostMedianRuns = 8;     // of the secant search for the median on the target
constexpr double kMedianClose = 1e-4;  // relative to the target: the median found is on it
constexpr double kFirstStep = 0.01;    // the secant's second width, 1 % past the first
constexpr double kBracketBands = 1.0;  // the yield search spans the median ± this many bands
constexpr double kPolishStep = 2e-3;   // relative: the widths either side checked at the end
constexpr int kMostPolishSteps = 10;
// The golden-section search runs on the first samples alone, a sixteenth of them but no fewer
// than kFewestCoarseSamples: the polish, on every sample, takes it from there.
constexpr std::uint64_t kCoarseShare = 16;
constexpr std::uint64_t kFewestCoarseSamples = 1 << 16;

// The samples about any nominal width, their draws worked out once: each sample's H, T/H, er and
// a pair's S/H are the same for every width tried, and only its W moves with the nominal width.
class WidthTrials {
public:
    explicit WidthTrials(const Request& request)
        : request_(request),
          pair_(impedance_of(request.nominal) == Impedance::z_diff),
          h_(request.samples),
          t_ratio_(request.samples),
          er_(request.samples),
          w_deviation_(request.samples) {
        if (pair_) {
            g_ratio_.resize(request.samples);
        }
        const SampleLines others(request.nominal, without_width_tolerance(request.tolerances), request.distribution,
                                 request.seed);
        const RandomDraws draws(request.seed);
        in_parallel(request.samples, kLineBlock, [&](std::size_t begin, std::size_t end) {
            const std::size_t count = end - begin;
            std::array<double, kLineBlock> w;
            std::array<double, kLineBlock> t;
            std::array<double, kLineBlock> s;
            others.lines(begin, count, {w.data(), &h_[begin], t.data(), &er_[begin], s.data()});
            for (std::size_t index = 0; index < count; ++index) {
                t_ratio_[begin + index] = ratio_to(t[index], h_[begin + index]);
                if (pair_) {
                    g_ratio_[begin + index] = ratio_to(s[index], h_[begin + index]);
                }
            }
            draws.deviations(begin, count, Input::w, request.distribution, &w_deviation_[begin]);
        });
    }

    // The impedance of every sample about a nominal width, into z0.
    void impedances_at(double width, SampleColumn& z0) {
        z0.resize(request_.samples);
        over_blocks(width, request_.samples, [&](std::size_t begin, std::size_t count, const double* u) {
            impedances_of_block(begin, count, u, &z0[begin]);
        });
    }

    // Of the first `samples`, those whose impedance times scale lies within band of target about a
    // nominal width.
    std::uint64_t inside_band_at(double width, double target, double band, double scale, std::uint64_t samples) {
        std::atomic<std::uint64_t> inside{0};
        over_blocks(width, samples, [&](std::size_t begin, std::size_t count, const double* u) {
            std::array<double, kLineBlock> z0;
            impedances_of_block(begin, count, u, z0.data());
            inside += inside_band_here(std::span(z0.data(), count), target, band, scale);
        });
        return inside;
    }

    // The runs tried so far, in runs over every sample.
    int runs() const { return static_cast<int>((samples_tried_ + request_.samples - 1) / request_.samples); }

private:
    static Tolerances without_width_tolerance(Tolerances tolerances) {
        tolerances[static_cast<std::size_t>(Input::w)] = Tolerance{};
        return tolerances;
    }

    // The impedance of samples begin to begin + count − 1 of W/H u, into out.
    void impedances_of_block(std::size_t begin, std::size_t count, const double* u, double* out) const {
        if (pair_) {
            differential_impedances(count, u, &g_ratio_[begin], &t_ratio_[begin], &er_[begin], out);
            return;
        }
        std::array<double, kLineBlock> e_eff;
        microstrip_lines(count, u, &t_ratio_[begin], &er_[begin], out, e_eff.data());
    }

    // Each block of the first `samples`' W/H about a nominal width, handed to work(first, count, u).
    template <typename Work>
    void over_blocks(double width, std::uint64_t samples, const Work& work) {
        samples_tried_ += samples;
        const double w_tolerance = request_.tolerances[static_cast<std::size_t>(Input::w)].about(width);
        in_parallel(samples, kLineBlock, [&](std::size_t begin, std::size_t end) {
            std::array<double, kLineBlock> u;  // the first end − begin written, and no more read
            for (std::size_t sample = begin; sample < end; ++sample) {
                u[sample - begin] = ratio_to(width + w_tolerance * w_deviation_[sample], h_[sample]);
            }
            work(begin, end - begin, u.data());
        });
    }

    const Request& request_;
    bool pair_;
    SampleColumn h_;
    SampleColumn t_ratio_;
    SampleColumn er_;
    SampleColumn g_ratio_;  // of a pair
    SampleColumn w_deviation_;
    std::uint64_t samples_tried_ = 0;
};

double median_of(std::span<const double> z0) {
    constexpr std::array<double, 1> kMedian = {50.0};
    return percentiles_of(z0, moments_of(z0), kMedian).front();
}

// The width the line model, or the pair's closed form at the nominal gap, gives the impedance
// `target` for the nominal substrate: where the search starts.
double first_width(const Request& request, double target) {
    const double t = request.nominal[Input::t] / request.nominal[Input::h];
    const double er = request.nominal[Input::er];
    double u = 0.0;
    if (impedance_of(request.nominal) == Impedance::z_diff) {
        u = width_for_differential_impedance(target, request.nominal[Input::s] / request.nominal[Input::h], t, er)
                .ratio;
    } else {
        strip_width_ratios(1, &target, &t, &er, &u);
    }
    return std::isfinite(u) ? u * request.nominal[Input::h] : request.nominal[Input::w];
}

}  // namespace

Centring centre_width(const Request& request, double band, double scale) {
    const double target = *request.target;
    WidthTrials trials(request);
    SampleColumn z0;
    const auto median_at = [&](double width) {
        trials.impedances_at(width, z0);
        return scale * median_of(z0);
    };

    // The median falls as the width grows: a secant search on the logarithm of the width.
    double width = first_width(request, target / scale);
    double median = median_at(width);
    double other_width = width * (1.0 + kFirstStep);
    double other_median = median_at(other_width);
    for (int run = 0;
         run < kMostMedianRuns && std::fabs(other_median - target) > kMedianClose * target && other_median != median;
         ++run) {
        const double next =
            std::exp(std::log(other_width) -
                     (other_median - target) * (std::log(other_width) - std::log(width)) / (other_median - median));
        width = std::exchange(other_width, next);
        median = std::exchange(other_median, median_at(next));
    }
    const double width_for_median = other_width;  // the last width tried: z0 holds its impedances
    const double slope = (other_median - median) / (other_width - width);  // ohms per unit of W
    std::map<double, std::uint64_t> yields = {{width_for_median, inside_band(z0, target, band, scale)}};
    const auto yield_at = [&](double width) {
        const auto [known, added] = yields.try_emplace(width);
        if (added) {
            known->second = trials.inside_band_at(width, target, band, scale, request.samples);
        }
        return known->second;
    };

    // The yield is highest about the median's width: a golden-section search over the widths that
    // take the median a band either side of the target, down to the polishing step.
    const double step = kPolishStep * width_for_median;
    const double reach =
        std::isfinite(slope) && slope != 0.0 ? kBracketBands * band / std::fabs(slope) : width_for_median / 2.0;
    const std::uint64_t coarse_samples =
        std::min(request.samples, std::max(kFewestCoarseSamples, request.samples / kCoarseShare));
    const double coarse_best =
        golden_section(
            std::max(width_for_median - reach, width_for_median / 2.0), width_for_median + reach, 2.0 * step,
            [&](double width) { return trials.inside_band_at(width, target, band, scale, coarse_samples); },
            std::greater_equal<>())
            .first;
    // Then, on every sample, from the better of that width and the median's, a step either way
    // while that gains: no width a step away does better, nor any other width tried on every sample.
    double best_width = yield_at(coarse_best) >= yields.at(width_for_median) ? coarse_best : width_for_median;
    std::uint64_t best_yield = yields.at(best_width);
    for (int move = 0; move < kMostPolishSteps; ++move) {
        const std::uint64_t narrower = yield_at(best_width - step);
        const std::uint64_t wider = yield_at(best_width + step);
        if (std::max(narrower, wider) <= best_yield) {
            break;
        }
        best_width += narrower > wider ? -step : step;
        best_yield = std::max(narrower, wider);
    }
    return {best_width,
            share_of(best_yield, request.samples),
            step,
            width_for_median,
            share_of(yields.at(width_for_median), request.samples),
            trials.runs()};
}

}  // namespace velmoka::spread

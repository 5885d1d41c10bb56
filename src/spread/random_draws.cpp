#include "spread/random_draws.h"

#include "spread/draw_kernels.h"
#include "spread/draw_streams.h"

#include <cmath>
#include <random>
#include <vector>

namespace velmoka::spread {

namespace {

// The gap's streams lie this many steps along the counters from the strip's: past every stream of
// W, H, T and er of any run (four steps a sample, a few more for a rejected try of the
// ziggurat), so that these draw for a pair as for a single strip and share no word with the gap.
// The two keep the distance from a power of two, which the finaliser would see as one bit.
constexpr std::uint64_t kGapSteps = (std::uint64_t{1} << 62) + 2;

constexpr double kTailStart = 3.442619855899;  // the bottom layer's right edge
constexpr double kLayerArea = 9.91256303526217e-3;

// Word number `draw` of the stream that starts with `first` (draw 0 is first itself).
std::uint64_t word(std::uint64_t first, std::uint64_t draw) {
    return draw == 0 ? first : scattered(first + draw * kGoldenGamma);
}

double unit_of(std::uint64_t word) {
    return open_unit(static_cast<double>(top_bits(word)));
}

// Standard normal, mean 0 and standard deviation 1, by the ziggurat method.
double standard_normal(std::uint64_t first) {
    const Ziggurat& layers = ziggurat();
    for (std::uint64_t draw = 0;; draw += 3) {
        const std::uint64_t bits = word(first, draw);
        const double u = centred_unit(static_cast<double>(top_bits(bits)));
        const std::size_t layer = layer_of(bits);
        if (std::fabs(u) < layers.inner[layer]) {
            return u * layers.edge[layer];  // inside the layer's rectangle: most draws end here
        }
        if (layer == 0) {
            // The tail beyond kTailStart, by Marsaglia's method.
            for (std::uint64_t tail = draw + 1;; tail += 2) {
                const double x = std::log(unit_of(word(first, tail))) / kTailStart;
                const double y = std::log(unit_of(word(first, tail + 1)));
                if (-2.0 * y >= x * x) {
                    return u < 0.0 ? x - kTailStart : kTailStart - x;
                }
            }
        }
        // The wedge between the rectangle and the density.
        const double x = u * layers.edge[layer];
        const double outer = std::exp(-0.5 * (layers.edge[layer] * layers.edge[layer] - x * x));
        const double next = std::exp(-0.5 * (layers.edge[layer + 1] * layers.edge[layer + 1] - x * x));
        if (next + unit_of(word(first, draw + 1)) * (outer - next) < 1.0) {
            return x;
        }
    }
}

double deviation_of(std::uint64_t counter, Distribution distribution) {
    const std::uint64_t first = scattered(counter);
    return distribution == Distribution::normal ? normal_deviation(first)
                                                : centred_unit(static_cast<double>(top_bits(first)));
}

void deviations_one_by_one(std::uint64_t counter, std::size_t count, Distribution distribution, double* out) {
    for (std::size_t sample = 0; sample < count; ++sample, counter += kSampleStride) {
        out[sample] = deviation_of(counter, distribution);
    }
}

const DrawKernels& fastest_kernels() {
    static const DrawKernels& fastest = runnable_draw_kernels().front();
    return fastest;
}

}  // namespace

const Ziggurat& ziggurat() {
    static const Ziggurat layers = [] {
        Ziggurat made;
        double density = std::exp(-0.5 * kTailStart * kTailStart);
        made.edge[0] = kLayerArea / density;
        made.edge[1] = kTailStart;
        made.edge[kLayers] = 0.0;
        for (std::size_t layer = 2; layer < kLayers; ++layer) {
            made.edge[layer] = std::sqrt(-2.0 * std::log(kLayerArea / made.edge[layer - 1] + density));
            density = std::exp(-0.5 * made.edge[layer] * made.edge[layer]);
        }
        for (std::size_t layer = 0; layer < kLayers; ++layer) {
            made.inner[layer] = made.edge[layer + 1] / made.edge[layer];
        }
        return made;
    }();
    return layers;
}

double normal_deviation(std::uint64_t first) {
    return standard_normal(first) / kSigmasInANormalTolerance;
}

extern const DrawKernels kScalarDrawKernels{"scalar", deviations_one_by_one};

std::span<const DrawKernels> runnable_draw_kernels() {
    static const std::vector<DrawKernels> runnable = [] {
        std::vector<DrawKernels> kernels;
#ifdef VELMOKA_DRAW_LANES
        if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq"))
            kernels.push_back(kAvx512DrawKernels);
        if (__builtin_cpu_supports("avx2"))
            kernels.push_back(kAvx2DrawKernels);
#endif
        kernels.push_back(kScalarDrawKernels);
        return kernels;
    }();
    return runnable;
}

RandomDraws::RandomDraws(std::uint64_t seed) : scrambled_seed_(scattered(seed)) {}

std::uint64_t RandomDraws::counter(std::uint64_t sample, Input input) const {
    const std::uint64_t step = input == Input::s ? kGapSteps + sample * kStripInputs
                                                 : sample * kStripInputs + static_cast<std::uint64_t>(input);
    return scrambled_seed_ + step * kGoldenGamma;
}

double RandomDraws::deviation(std::uint64_t sample, Input input, Distribution distribution) const {
    return deviation_of(counter(sample, input), distribution);
}

void RandomDraws::deviations(std::uint64_t first, std::size_t count, Input input, Distribution distribution,
                             double* out) const {
    fastest_kernels().deviations(counter(first, input), count, distribution, out);
}

std::uint64_t fresh_seed() {
    std::random_device source;
    return (static_cast<std::uint64_t>(source()) << 32) ^ source();
}

}  // namespace velmoka::spread

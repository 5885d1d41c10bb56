#include "spread/random_draws.h"

#include <array>
#include <cmath>
#include <random>

namespace velmoka::spread {

namespace {

// The normal ziggurat of Marsaglia and Tsang in Doornik's form (2005): 128 layers of equal
// area under the density, the bottom one with the tail beyond kTailStart.
constexpr std::size_t kLayers = 128;
constexpr double kTailStart = 3.442619855899;
constexpr double kLayerArea = 9.91256303526217e-3;

struct Ziggurat {
    std::array<double, kLayers + 1> edge;  // x of each layer's right edge
    std::array<double, kLayers> inner;     // the share of a layer below the next one's edge
};

const Ziggurat kZiggurat = [] {
    Ziggurat ziggurat;
    double density = std::exp(-0.5 * kTailStart * kTailStart);
    ziggurat.edge[0] = kLayerArea / density;
    ziggurat.edge[1] = kTailStart;
    ziggurat.edge[kLayers] = 0.0;
    for (std::size_t layer = 2; layer < kLayers; ++layer) {
        ziggurat.edge[layer] = std::sqrt(-2.0 * std::log(kLayerArea / ziggurat.edge[layer - 1] + density));
        density = std::exp(-0.5 * ziggurat.edge[layer] * ziggurat.edge[layer]);
    }
    for (std::size_t layer = 0; layer < kLayers; ++layer) {
        ziggurat.inner[layer] = ziggurat.edge[layer + 1] / ziggurat.edge[layer];
    }
    return ziggurat;
}();

}  // namespace

RandomDraws::RandomDraws(std::uint64_t seed) : seed_(seed), scrambled_seed_(scattered(seed)) {}

double RandomDraws::normal(std::uint64_t first) {
    for (std::uint64_t draw = 0;; draw += 3) {
        const std::uint64_t bits = word(first, draw);
        const double u = 2.0 * open_unit(bits) - 1.0;
        const std::size_t layer = bits & (kLayers - 1);  // the low bits, apart from u's 53 high ones
        if (std::fabs(u) < kZiggurat.inner[layer]) {
            return u * kZiggurat.edge[layer];  // inside the layer's rectangle: most draws end here
        }
        if (layer == 0) {
            // The tail beyond kTailStart, by Marsaglia's method.
            for (std::uint64_t tail = draw + 1;; tail += 2) {
                const double x = std::log(open_unit(word(first, tail))) / kTailStart;
                const double y = std::log(open_unit(word(first, tail + 1)));
                if (-2.0 * y >= x * x) {
                    return u < 0.0 ? x - kTailStart : kTailStart - x;
                }
            }
        }
        // The wedge between the rectangle and the density.
        const double x = u * kZiggurat.edge[layer];
        const double outer = std::exp(-0.5 * (kZiggurat.edge[layer] * kZiggurat.edge[layer] - x * x));
        const double next = std::exp(-0.5 * (kZiggurat.edge[layer + 1] * kZiggurat.edge[layer + 1] - x * x));
        if (next + open_unit(word(first, draw + 1)) * (outer - next) < 1.0) {
            return x;
        }
    }
}

std::uint64_t fresh_seed() {
    std::random_device source;
    return (static_cast<std::uint64_t>(source()) << 32) ^ source();
}

}  // namespace velmoka::spread

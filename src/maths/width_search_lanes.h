#pragma once

#include <cstddef>
#include <cstdint>

#include "maths/window_constants.h"
#include "maths/line_array_inputs.h"
#include "maths/line_model_lanes.h"
#include "maths/width_search.h"

// The width search of width_search.cpp on SIMD lanes. Each lane carries one wanted impedance
// through its passes; a lane whose search has ended takes the next wanted impedance at once,
// so the lanes stay busy however many passes each search takes.
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

// estimated_width_ratio on lanes.
template <typename Lanes>
Vector<Lanes> estimated_width_ratio_lanes(Vector<Lanes> z_want, Vector<Lanes> er) {
    const Vector<Lanes> B = kRoundedFreeSpaceImpedance * kPi / (2.0 * z_want * Lanes::sqrt(er));
    const Vector<Lanes> C = ((er - 1.0) / (2.0 * er)) * (Lanes::log(B - 1.0) + 0.39 - 0.61 / er);
    const Vector<Lanes> ratio = (2.0 / kPi) * (B - 1.0 - Lanes::log(2.0 * B - 1.0) + C);
    return Lanes::select(B > 1.0, ratio, Lanes::splat(kNarrowestWidthRatio));
}

// The wanted impedances of one stretch of the arrays, with what each search starts from,
// worked out a vector at a time.
template <typename Lanes>
struct SearchStarts {
    // Short enough for the stack; a whole number of vectors.
    static constexpr std::size_t kLength = 512;
    static_assert(kLength % Lanes::kCount == 0);

    double z_want[kLength], t[kLength], er[kLength];
    double filling_exponent[kLength], edge_sech[kLength];
    double u[kLength];  // the closed-form estimate
    bool admitted[kLength];

    // The first n <= kLength elements of the arrays; the places beyond them are not admitted.
    void fill(std::size_t n, const double* z_want_in, const double* t_in, const double* er_in) {
        for (std::size_t i = 0; i < kLength; ++i) {
            z_want[i] = i < n ? z_want_in[i] : 0.0;
            t[i] = i < n ? t_in[i] : 0.0;
            er[i] = i < n ? er_in[i] : 1.0;
        }
        SubstrateOfLastLanes<Lanes> substrate;
        for (std::size_t i = 0; i < kLength; i += Lanes::kCount) {
            const Vector<Lanes> er_lanes = Lanes::load(er + i);
            const SubstrateLanes<Lanes>& terms = substrate.terms(er_lanes);
            Lanes::store(filling_exponent + i, terms.filling_exponent);
            Lanes::store(edge_sech + i, terms.edge_sech);
            Lanes::store(u + i, estimated_width_ratio_lanes<Lanes>(Lanes::load(z_want + i), er_lanes));
        }
        for (std::size_t i = 0; i < kLength; ++i)
            admitted[i] = search_is_admitted(z_want[i], t[i], er[i]);
    }
};

// The searches under way, one a lane, kept element by element so that a lane can change hands.
template <typename Lanes>
struct SearchLanes {
    static constexpr std::size_t kCount = Lanes::kCount;

    double z_want[kCount], t[kCount], er[kCount], filling_exponent[kCount], edge_sech[kCount];
    double u[kCount];  // the ratio the next pass starts from
    double pass[kCount];
    std::size_t element[kCount];  // where in the arrays the answer goes
    bool busy[kCount];

    // Puts the search of starts' place i, the arrays' element, on the lane.
    void start(std::size_t lane, const SearchStarts<Lanes>& starts, std::size_t i, std::size_t element_index) {
        z_want[lane] = starts.z_want[i];
        t[lane] = starts.t[i];
        er[lane] = starts.er[i];
        filling_exponent[lane] = starts.filling_exponent[i];
        edge_sech[lane] = starts.edge_sech[i];
        u[lane] = starts.u[i];
        pass[lane] = 1.0;
        element[lane] = element_index;
        busy[lane] = true;
    }
};

// One stream of searches through the whole arrays: the lanes run dry only at their end.
template <typename Lanes>
[[gnu::flatten]] void strip_width_ratios_on_lanes(std::size_t n, const double* z_want, const double* t,
                                                  const double* er, double* u_out) {
    constexpr std::size_t kCount = Lanes::kCount;
    const Vector<Lanes> nan = Lanes::splat(__builtin_nan(""));

    SearchStarts<Lanes> starts;
    std::size_t stretch = 0;         // where the stretch in starts begins in the arrays
    std::size_t stretch_length = 0;  // how many elements it holds
    std::size_t next = 0;            // the stretch's next element for a lane
    SearchLanes<Lanes> lanes{};      // a lane that no element reaches works on zeros, never written out
    // Gives the lane the next admitted element, writing NaN for those passed over.
    const auto take_next = [&](std::size_t lane) {
        for (;; ++next) {
            if (next == stretch_length) {
                if (stretch + stretch_length == n) {
                    lanes.busy[lane] = false;
                    return;
                }
                stretch += stretch_length;
                stretch_length =
                    n - stretch < SearchStarts<Lanes>::kLength ? n - stretch : SearchStarts<Lanes>::kLength;
                starts.fill(stretch_length, z_want + stretch, t + stretch, er + stretch);
                next = 0;
            }
            if (starts.admitted[next])
                break;
            u_out[stretch + next] = __builtin_nan("");
        }
        lanes.start(lane, starts, next, stretch + next);
        ++next;
    };
    for (std::size_t lane = 0; lane < kCount; ++lane)
        take_next(lane);

    bool any_busy = lanes.busy[0];
    while (any_busy) {
        const Vector<Lanes> z = Lanes::load(lanes.z_want);
        const Vector<Lanes> t_lanes = Lanes::load(lanes.t);
        const SubstrateLanes<Lanes> substrate{Lanes::load(lanes.er), Lanes::load(lanes.filling_exponent),
                                              Lanes::load(lanes.edge_sech)};
        const Vector<Lanes> u = Lanes::load(lanes.u);
        const Vector<Lanes> pass = Lanes::load(lanes.pass);

        const Vector<Lanes> u0 = Lanes::select(u < kNarrowestWidthRatio, Lanes::splat(kNarrowestWidthRatio), u);
        const Vector<Lanes> za = impedance_lanes<Lanes>(u0, t_lanes, substrate);
        const Vector<Lanes> u_probe = u0 * kProbeFactor;
        const Vector<Lanes> residual = z - za;
        const auto met = (residual < kImpedanceTolerance) & (residual > -kImpedanceTolerance);
        const Vector<Lanes> zb = impedance_lanes<Lanes>(u_probe, t_lanes, substrate);
        const Vector<Lanes> u_next = u0 + (z - zb) * u0 * kProbeStep / (zb - za);
        // A next ratio that floors back to this pass's one would only repeat this pass until the
        // pass limit: the search ends now as it would end then, with no width.
        const Vector<Lanes> next_u0 =
            Lanes::select(u_next < kNarrowestWidthRatio, Lanes::splat(kNarrowestWidthRatio), u_next);
        const auto gives_up = ~((u_next < kInfinity) & (u_next > -kInfinity)) |
                              (pass == static_cast<double>(kMostSearchPasses)) | (next_u0 == u0);
        const auto ended = met | gives_up;
        const Vector<Lanes> answer = Lanes::select(met, u_probe, nan);

        Lanes::store(lanes.u, u_next);
        Lanes::store(lanes.pass, pass + 1.0);
        if (Lanes::any(ended)) {
            double answers[kCount];
            Lanes::store(answers, answer);
            const std::uint64_t ended_lanes = Lanes::lanes_set(ended);
            for (std::size_t lane = 0; lane < kCount; ++lane) {
                if (lanes.busy[lane] && (ended_lanes >> lane & 1u)) {
                    u_out[lanes.element[lane]] = answers[lane];
                    take_next(lane);
                }
            }
        }
        any_busy = false;
        for (std::size_t lane = 0; lane < kCount; ++lane)
            any_busy = any_busy || lanes.busy[lane];
    }
}

}  // namespace
}  // namespace velmoka

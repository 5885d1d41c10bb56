#pragma once

#include <span>
#include <string_view>

// Which SIMD lanes a set of array kernels runs on: the fastest the processor runs, unless the
// environment variable VELMOKA_LANES names others, "avx512", "avx2" or "scalar" (to measure the
// AVX2 lanes on a processor with AVX-512, say). A name the processor cannot run, or no name of
// lanes at all, leaves the fastest, with one line on stderr that says so for each set of kernels.
namespace velmoka {

// VELMOKA_LANES as the process first reads it, read once; empty where it is not set.
std::string_view requested_lanes();

// The line on stderr: `work` runs on `taken`, not on the lanes `requested` names.
void report_lanes_not_taken(std::string_view work, std::string_view requested, std::string_view taken);

// Of runnable, the fastest first, the kernels whose instruction_set is `requested`; the fastest
// where none is.
template <typename Kernels>
const Kernels& kernels_named(std::span<const Kernels> runnable, std::string_view requested) {
    for (const Kernels& kernels : runnable) {
        if (kernels.instruction_set == requested)
            return kernels;
    }
    return runnable.front();
}

// The kernels `work` (its name for the line on stderr) runs on, as VELMOKA_LANES asks.
template <typename Kernels>
const Kernels& chosen_kernels(std::span<const Kernels> runnable, std::string_view work) {
    const std::string_view requested = requested_lanes();
    const Kernels& chosen = kernels_named(runnable, requested);
    if (!requested.empty() && chosen.instruction_set != requested)
        report_lanes_not_taken(work, requested, chosen.instruction_set);
    return chosen;
}

}  // namespace velmoka

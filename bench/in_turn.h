#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <iterator>

// Times evaluate(input) once an iteration, taking the inputs in turn, so that a figure is the
// mean over a spread of inputs rather than over one the processor has learnt.
template <typename Inputs, typename Evaluate>
void evaluate_in_turn(benchmark::State& state, const Inputs& inputs, Evaluate evaluate) {
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(evaluate(inputs[next]));
        next = next + 1 == std::size(inputs) ? 0 : next + 1;
    }
}

#pragma once

#include "calculator/boxes.h"
#include "command_line/row_text.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace velmoka::command_line {

// The options only `velmoka-cli spread` takes: the tolerances, their spread, the Monte Carlo run,
// the band the yield is counted in, the centring, and where samples and the picture go.
struct SpreadOptions {
    std::array<std::string, 4> tolerances;  // w, h, t, er: a number or a number with %
    std::string distribution = "normal";
    std::uint64_t samples = 100'000;
    std::uint64_t seed = 0;
    std::string target;
    std::string band;
    bool centre = false;
    std::string samples_out;
    std::string plot;
    // To tell which were given.
    std::array<CLI::Option*, 4> tolerance_options{};
    CLI::Option* seed_option = nullptr;
    CLI::Option* target_option = nullptr;
    CLI::Option* band_option = nullptr;
    std::vector<CLI::Option*> options;  // every one of them
};

void add_spread_options(CLI::App& app, SpreadOptions& spread);

// The name of the first spread option given, for a command that takes none; empty when none was.
std::optional<std::string> spread_option_given(const SpreadOptions& spread);

// The values of the box options given, by box, as given: spread reads W, H, T, er, the frequency
// and the length from them.
using GivenBoxes = std::array<std::optional<std::string>, kBoxCount>;

// Runs `velmoka-cli spread`; returns the exit status. Throws UsageError, with nothing written on
// out, for what it cannot take.
int run_spread(const SpreadOptions& spread, const GivenBoxes& given, Units units, Format format, std::ostream& out);

}  // namespace velmoka::command_line

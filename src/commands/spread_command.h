#pragma once

#include "commands/command.h"
#include "spread/budget.h"

#include <array>
#include <cstdint>
#include <string>

// The tolerance budget of a line or of a pair, as velmoka-cli spread and velmoka.spread take it:
// one request, one report, never a row per value. Its parameters are declared once here and so is
// every check of them; the faces read the values and hand them over as given.
namespace velmoka::commands {

extern const Command kSpread;

enum SpreadParameter : int {
    spread_w,
    spread_h,
    spread_t,
    spread_er,
    spread_length,
    spread_freq,
    spread_s,
    tol_w,
    tol_h,
    tol_t,
    tol_er,
    tol_s,
    spread_dist,
    spread_samples,
    spread_seed,
    spread_target,
    spread_band,
    spread_centre,
    spread_samples_out,
    spread_plot,
};

// A value as a face read it: a number (a tolerance's amount, a choice's place), whether a
// tolerance was a percentage, a whole number, or a path.
struct GivenValue {
    bool given = false;
    double number = kNotGiven;
    bool percent = false;
    std::uint64_t count = 0;
    std::string path;
};
using GivenValues = std::array<GivenValue, kMostParameters>;

// The request of the values given, the opening window's line where asked for and nothing else
// is given, and of a pair the field solution at its nominal; throws RequestFault, keyed, for what
// no budget can be drawn for.
spread::Request spread_request(const GivenValues& given, LengthUnit units, bool opening_window);

}  // namespace velmoka::commands

#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmoka::command_line {

// A value the command line cannot take: the message names the option and the text.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The texts one value option stands for: its one value, each value of a comma list (blanks after
// a comma allowed), or each step of a range START:STOP:STEP, which includes STOP within rounding.
// Two whole numbers with nothing but a comma between them (4,5) are refused: they could as well
// be one number written with a decimal comma. A range's values are
// worked out as they are asked for, so a range of a million steps takes no room.
class SweptValues {
public:
    // Reads the text given to an option (named as given, --er-eff); throws UsageError when any
    // value is not a decimal number or the range cannot be walked.
    static SweptValues read(std::string_view option, std::string_view given);

    std::uint64_t count() const { return listed_.empty() ? steps_ : listed_.size(); }
    bool is_range() const { return listed_.empty(); }

    // The value at index, as its box reads it: a listed value as given, a step of a range as
    // written with as many decimals as its start and step show (0.1:0.5:0.1 gives 0.3, never
    // 0.30000000000000004).
    double value(std::uint64_t index) const;

private:
    std::vector<double> listed_;  // a single value or a comma list; empty for a range
    double start_ = 0.0;
    double step_ = 0.0;
    std::uint64_t steps_ = 0;
    int decimals_ = 0;
};

}  // namespace velmoka::command_line

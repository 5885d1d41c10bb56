#include "command_line/run.h"

namespace velmoka::command_line {

Result carry_out(const Run& run) {
    Result result{run.command, Calculator(), std::nullopt};
    result.calculator.set_units(run.units);
    for (std::size_t box = 0; box < kBoxCount; ++box) {
        if (const std::optional<std::string>& text = run.given[box]) {
            // A decimal number's text, ASCII, as the box takes it.
            result.calculator.edit(static_cast<Box>(box), std::u16string(text->begin(), text->end()));
        }
    }
    result.stop = result.calculator.press(run.command).stop;
    return result;
}

}  // namespace velmoka::command_line

#include "calculator/calculator.h"

#include "calculator/press.h"

namespace velmoka {

Outcome Calculator::edit(Box box, std::u16string_view text) {
    Outcome outcome;
    boxes_.edit(box, text, outcome);
    return outcome;
}

Outcome Calculator::press(Command command) {
    // Room for the writes of the longest press: Synth.Pi or Synth. T with its width synthesis.
    constexpr std::size_t kRoomForWrites = 24;
    Outcome outcome;
    outcome.writes.reserve(kRoomForWrites);
    WrittenTexts texts(boxes_, outcome);
    const CommandEnd end = Press(texts, units_).run(command);
    outcome.ending = ending_of(end, first_message_left(outcome.writes));
    return outcome;
}

}  // namespace velmoka

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
    Press press(boxes_, units_, outcome);
    switch (command) {
        case Command::analysis:
            press.analysis();
            break;
        case Command::synthesis:
            press.synthesis();
            break;
        case Command::synthpi:
            press.synthpi();
            break;
        case Command::syntht:
            press.syntht();
            break;
    }
    return outcome;
}

}  // namespace velmoka

#include "calculator/calculator.h"

#include "calculator/press.h"

namespace velmoka {

Outcome Calculator::edit(Box box, std::u16string_view text) {
    Outcome outcome;
    boxes_.edit(box, text, outcome);
    return outcome;
}

Outcome Calculator::press(Command command) {
    constexpr std::size_t kMostWritesOfAPress = 24;  // Synth.Pi and Synth. T with the width synthesis
    Outcome outcome;
    outcome.writes.reserve(kMostWritesOfAPress);
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

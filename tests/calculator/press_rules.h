#pragma once

// The rules that every press of a command keeps, whatever the boxes held before it:
// - it writes only the boxes the command may write (the window's "written by" table);
// - what it writes is a number in one of the window's pictures or one of its messages, so no
//   box ever shows the digits of a value that is not finite;
// - the impedance box reads between 0.5 and 150 ohms or shows " Invalid Z0";
// - a press that stops ends with the message it reports, in the box it reports;
// - a press reported ok leaves no message in place of a result in any box it wrote.
// The random-press test and the command fuzz target both press through press_and_check.

#include "calculator/calculator.h"
#include "text_rules/leading_numeric.h"
#include "text_rules/messages.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace press_rules {

using velmoka::Box;
using velmoka::Command;

inline constexpr double kLowestImpedanceOhms = 0.5;
inline constexpr double kHighestImpedanceOhms = 150.0;

inline bool may_write(Command command, Box box) {
    switch (command) {
        case Command::analysis:
            return box != Box::length1_txt && box != Box::freq_txt;
        case Command::synthesis: {
            constexpr std::array writable = {Box::er_txt, Box::h_txt,      Box::t_txt,   Box::w_txt,
                                             Box::z0_txt, Box::er_eff_txt, Box::vel_txt, Box::length1_txt};
            return std::ranges::find(writable, box) != writable.end();
        }
        case Command::synthpi:
        case Command::syntht:
            return box != Box::freq_txt;
    }
    return false;
}

inline bool is_message(std::u16string_view text) {
    using namespace velmoka::message;
    for (std::string_view message : {kRaisedPermittivity, kThinConductor, kInvalidH, kInvalidW, kTooSmall, kInfinity,
                                     kZ0TooLow, kZ0TooHi, kZ0Error, kInvalidZ0}) {
        if (std::ranges::equal(text, message)) {
            return true;
        }
    }
    return false;
}

inline bool all_digits(std::u16string_view text) {
    return std::ranges::all_of(text, [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// A number as the window's pictures write it: one leading blank and two decimals, or two
// leading blanks and two to four decimals; integer digits without leading zeros; a minus sign
// in front only when some digit shown is not zero.
inline bool is_picture_number(std::u16string_view text) {
    const bool negative = text.starts_with(u'-');
    const std::u16string_view unsigned_text = text.substr(negative ? 1 : 0);
    const std::size_t blanks = unsigned_text.find_first_not_of(u' ');
    const std::u16string_view digits = unsigned_text.substr(std::min(blanks, unsigned_text.size()));
    const std::size_t point = digits.find(u'.');
    if ((blanks != 1 && blanks != 2) || point == std::u16string_view::npos || point == 0) {
        return false;
    }
    const std::u16string_view integer = digits.substr(0, point);
    const std::u16string_view decimals = digits.substr(point + 1);
    const std::size_t most_decimals = blanks == 1 ? 2 : 4;
    return all_digits(integer) && all_digits(decimals) && (integer.size() == 1 || integer[0] != u'0') &&
           decimals.size() >= 2 && decimals.size() <= most_decimals &&
           (!negative || digits.find_first_of(u"123456789") != std::u16string_view::npos);
}

// Long texts are cut in reports, so a failure stays readable.
inline std::string quoted(std::u16string_view text) {
    constexpr std::size_t kShownCharacters = 60;
    std::string shown = "\"";
    for (char16_t c : text.substr(0, kShownCharacters)) {
        shown += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
    }
    return shown + (text.size() > kShownCharacters ? "...\"" : "\"");
}

inline std::string name(Box box) {
    return std::string(velmoka::name_of(box));
}

// The first rule the press broke, described; empty when it kept them all.
inline std::string broken_rule(Command command, const velmoka::Outcome& outcome, const velmoka::Calculator& after) {
    const std::string pressed(velmoka::name_of(command));
    for (const velmoka::Write& write : outcome.writes) {
        if (!may_write(command, write.box)) {
            return pressed + " wrote " + quoted(write.text) + " into " + name(write.box) + ", which it may not write";
        }
        if (!is_picture_number(write.text) && !is_message(write.text)) {
            return pressed + " wrote " + quoted(write.text) + " into " + name(write.box) +
                   ", neither a picture's number nor a message";
        }
    }
    const std::u16string& z0 = after.text(Box::z0_txt);
    const double z0_ohms = velmoka::leading_numeric(z0);
    if (!std::ranges::equal(z0, velmoka::message::kInvalidZ0) &&
        !(z0_ohms >= kLowestImpedanceOhms && z0_ohms <= kHighestImpedanceOhms)) {
        return "after " + pressed + ", z0_txt shows " + quoted(z0);
    }
    const velmoka::Ending& ending = outcome.ending;
    if (ending.status == velmoka::Status::stopped) {
        const auto last = std::ranges::find_if(outcome.writes.rbegin(), outcome.writes.rend(),
                                               [](const velmoka::Write& write) { return !write.by_entry_check; });
        if (last == outcome.writes.rend() || last->box != ending.message->box ||
            !std::ranges::equal(last->text, ending.message->message)) {
            return pressed + " reports a stop at " + std::string(ending.message->message) + " in " +
                   name(ending.message->box) + ", which is not its last write";
        }
    }
    if (ending.status == velmoka::Status::ok) {
        for (const velmoka::Write& write : outcome.writes) {
            const std::u16string& shown = after.text(write.box);
            if (std::ranges::any_of(velmoka::message::kInPlaceOfValue,
                                    [&](std::string_view message) { return std::ranges::equal(shown, message); })) {
                return pressed + " is ok, but " + name(write.box) + " shows " + quoted(shown);
            }
        }
    }
    return {};
}

struct CheckedPress {
    velmoka::Outcome outcome;
    std::string broken_rule;  // the first rule the press broke; empty when it kept them all
};

// Presses the command and checks the rules.
inline CheckedPress press_and_check(velmoka::Calculator& calculator, Command command) {
    CheckedPress press{calculator.press(command), {}};
    press.broken_rule = broken_rule(command, press.outcome, calculator);
    return press;
}

}  // namespace press_rules

// The calculator core's own answers, for the web page's tests to hold the WebAssembly core and
// the page against. Reads steps from standard input, one a line:
//
//   fresh                 the calculator as its window opens
//   units NAME            microns or mils
//   edit BOX HEX          BOX's text becomes HEX, UTF-16 code units as four hex digits each
//   press COMMAND         analysis, synthesis, synthpi or syntht
//
// and answers each with one line of JSON: what the step did, as the web page's binding gives
// it, and every box's text after it:
//
//   {"writes":[{"box":..,"text":..,"changed":..,"byEntryCheck":..}],"selectImpedance":..,
//    "status":..,"message":..,"messageBox":..,"units":..,"texts":{"length1_txt":..,...}}

#include "calculator/calculator.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

namespace {

using velmoka::Box;

std::u16string from_hex(const std::string& hex) {
    std::u16string text;
    for (std::size_t at = 0; at + 4 <= hex.size(); at += 4) {
        text.push_back(static_cast<char16_t>(std::stoul(hex.substr(at, 4), nullptr, 16)));
    }
    return text;
}

std::string json(std::string_view text) {
    std::string out = "\"";  // names and messages: ASCII without quotes
    out += text;
    return out + "\"";
}

// A box's text as a JSON string: every code unit outside printable ASCII escaped.
std::string json(const std::u16string& text) {
    std::string out = "\"";
    for (const char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F && unit != '"' && unit != '\\') {
            out.push_back(static_cast<char>(unit));
        } else {
            char escaped[7];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(unit));
            out += escaped;
        }
    }
    return out + "\"";
}

std::string json(bool value) {
    return value ? "true" : "false";
}

std::string answer(const velmoka::Calculator& calculator, const velmoka::Outcome& outcome) {
    std::string line = "{\"writes\":[";
    for (const velmoka::Write& write : outcome.writes) {
        line += &write == outcome.writes.data() ? "{\"box\":" : ",{\"box\":";
        line += json(velmoka::name_of(write.box)) + ",\"text\":" + json(write.text) +
                ",\"changed\":" + json(write.changed) + ",\"byEntryCheck\":" + json(write.by_entry_check) + "}";
    }
    const std::optional<velmoka::Stop>& message = outcome.ending.message;
    line += "],\"selectImpedance\":" + json(outcome.select_impedance()) +
            ",\"status\":" + json(velmoka::name_of(outcome.ending.status)) +
            ",\"message\":" + (message ? json(message->message) : "null") +
            ",\"messageBox\":" + (message ? json(velmoka::name_of(message->box)) : "null") +
            ",\"units\":" + json(velmoka::name_of(calculator.units())) + ",\"texts\":{";
    for (std::size_t box = 0; box < velmoka::kBoxCount; ++box) {
        line += box == 0 ? "" : ",";
        line += json(velmoka::kBoxNames[box]) + ":" + json(calculator.text(static_cast<Box>(box)));
    }
    return line + "}}";
}

}  // namespace

int main() {
    velmoka::Calculator calculator;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream step(line);
        std::string kind, name, hex;
        step >> kind >> name >> hex;
        velmoka::Outcome outcome;
        if (kind == "fresh") {
            calculator = {};
        } else if (kind == "units" && velmoka::units_named(name)) {
            calculator.set_units(*velmoka::units_named(name));
        } else if (kind == "edit" && velmoka::box_named(name)) {
            outcome = calculator.edit(*velmoka::box_named(name), from_hex(hex));
        } else if (kind == "press" && velmoka::command_named(name)) {
            outcome = calculator.press(*velmoka::command_named(name));
        } else {
            std::cerr << "core_replay: unreadable step: " << line << '\n';
            return 2;
        }
        std::cout << answer(calculator, outcome) << '\n';
    }
    return 0;
}

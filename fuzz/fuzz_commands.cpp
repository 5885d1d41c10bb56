// Fuzzer bytes as a session at the calculator. The first fourteen lines are the texts of the
// boxes (UTF-8), in the order of the window's design table; a fifteenth line "mils" selects
// mils, anything else microns; every byte after it presses a command: 'a' Analysis,
// 's' Solve Microstrip, 'p' Synth.Pi, 't' Synth. T, any other byte the command of its value.
// Every press must keep the rules of press_rules.h.

#include "calculator/press_rules.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kMostPressesPerInput = 32;

// UTF-8 as a pasted text reaches a box, each malformed sequence a replacement character.
std::u16string utf16_of(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String();
}

velmoka::Command command_of(std::uint8_t byte) {
    switch (byte) {
        case 'a':
            return velmoka::Command::analysis;
        case 's':
            return velmoka::Command::synthesis;
        case 'p':
            return velmoka::Command::synthpi;
        case 't':
            return velmoka::Command::syntht;
        default:
            return static_cast<velmoka::Command>(byte % velmoka::kCommandNames.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    velmoka::Calculator calculator;
    std::size_t start = 0;
    for (std::size_t box = 0; box < velmoka::kBoxCount; ++box) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        calculator.edit(static_cast<velmoka::Box>(box), utf16_of(input.substr(start, end - start)));
        start = std::min(end + 1, input.size());
    }
    const std::size_t units_end = input.find('\n', start);
    const std::string_view units = input.substr(start, std::min(units_end, input.size()) - start);
    calculator.set_units(units == "mils" ? velmoka::Units::mils : velmoka::Units::microns);
    const std::string_view presses =
        units_end == std::string_view::npos ? std::string_view() : input.substr(units_end + 1, kMostPressesPerInput);
    for (const char byte : presses) {
        const std::string broken =
            press_rules::press_and_check(calculator, command_of(static_cast<std::uint8_t>(byte))).broken_rule;
        if (!broken.empty()) {
            std::fprintf(stderr, "%s\n", broken.c_str());
            std::abort();
        }
    }
    return 0;
}

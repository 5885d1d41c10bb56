#pragma once

#include "common/length_units.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// What the calculator is made of: its fourteen text boxes, its four command buttons and the
// two units of the dimension boxes, each with the name the window gives its control.
namespace velmoka {

enum class Box : std::uint8_t {
    length1_txt,  // physical line length, display unit
    w_txt,        // strip width, display unit
    ct_txt,       // T network shunt capacitance, pF
    lpi_txt,      // pi network series inductance, nH
    lt_txt,       // T network series inductance, nH
    cpi_txt,      // pi network shunt capacitance, pF
    z0_txt,       // characteristic impedance, ohms
    er_eff_txt,   // effective dielectric constant
    vel_txt,      // relative velocity
    length2_txt,  // phase length, degrees
    er_txt,       // substrate relative dielectric constant
    h_txt,        // dielectric thickness, display unit
    t_txt,        // conductor thickness, display unit
    freq_txt,     // frequency, GHz
};

enum class Command : std::uint8_t {
    analysis,   // "Analysis": from the geometry to the line
    synthesis,  // "Solve Microstrip": the strip width for a wanted impedance
    synthpi,    // "Synth.Pi": the line a pi network's series inductance stands for
    syntht,     // "Synth. T": the line a T network's shunt capacitance stands for
};

enum class Units : std::uint8_t { microns, mils };

inline constexpr std::array<std::string_view, 14> kBoxNames = {
    "length1_txt", "w_txt",   "ct_txt",      "lpi_txt", "lt_txt", "cpi_txt", "z0_txt",
    "er_eff_txt",  "vel_txt", "length2_txt", "er_txt",  "h_txt",  "t_txt",   "freq_txt",
};
inline constexpr std::array<std::string_view, 4> kCommandNames = {"analysis", "synthesis", "synthpi", "syntht"};
inline constexpr std::array<std::string_view, 2> kUnitsNames = {"microns", "mils"};

inline constexpr std::size_t kBoxCount = kBoxNames.size();

// The texts of the window as it opens, box by box, blanks as they stand.
inline constexpr std::array<std::string_view, kBoxCount> kOpeningTexts = {
    " 0.00",     // length1_txt
    "  70.00",   // w_txt
    "  0.0000",  // ct_txt
    "  0.0000",  // lpi_txt
    "  0.0000",  // lt_txt
    "  0.0000",  // cpi_txt
    " 50.0",     // z0_txt
    " 1.00 ",    // er_eff_txt
    " 1.00 ",    // vel_txt
    " 0.00",     // length2_txt
    " 12.9",     // er_txt
    " 100.0",    // h_txt
    " 4.00",     // t_txt
    " 1.00",     // freq_txt
};

// The length unit of the window's units.
constexpr LengthUnit length_unit_of(Units units) {
    return units == Units::mils ? LengthUnit::mils : LengthUnit::microns;
}

constexpr std::size_t index_of(Box box) {
    return static_cast<std::size_t>(box);
}

constexpr std::string_view name_of(Box box) {
    return kBoxNames[index_of(box)];
}

constexpr std::string_view name_of(Command command) {
    return kCommandNames[static_cast<std::size_t>(command)];
}

constexpr std::string_view name_of(Units units) {
    return kUnitsNames[static_cast<std::size_t>(units)];
}

template <typename Thing, std::size_t Count>
constexpr std::optional<Thing> find_named(const std::array<std::string_view, Count>& names, std::string_view name) {
    for (std::size_t i = 0; i < Count; ++i) {
        if (names[i] == name) {
            return static_cast<Thing>(i);
        }
    }
    return std::nullopt;
}

// The box, command or units a name stands for, as the window names its controls; empty for
// any other name.
constexpr std::optional<Box> box_named(std::string_view name) {
    return find_named<Box>(kBoxNames, name);
}

constexpr std::optional<Command> command_named(std::string_view name) {
    return find_named<Command>(kCommandNames, name);
}

constexpr std::optional<Units> units_named(std::string_view name) {
    return find_named<Units>(kUnitsNames, name);
}

}  // namespace velmoka

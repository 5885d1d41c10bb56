#pragma once

#include "common/length_units.h"

#include <cstdint>
#include <string_view>

namespace velmoka::commands {

// What a parameter or a result measures, and so the unit the faces read and write it in.
enum class Quantity : std::uint8_t {
    none,         // a pure number: a ratio, a relative permittivity or velocity, a count
    length,       // in the length unit of the run
    frequency,    // GHz
    impedance,    // ohms
    inductance,   // nH
    capacitance,  // pF
    degrees,      // a phase
};

// The unit a face shows beside a quantity; empty for none.
constexpr std::string_view unit_word(Quantity quantity, LengthUnit units) {
    switch (quantity) {
        case Quantity::length:
            return name_of(units).name;
        case Quantity::frequency:
            return "GHz";
        case Quantity::impedance:
            return "ohms";
        case Quantity::inductance:
            return "nH";
        case Quantity::capacitance:
            return "pF";
        case Quantity::degrees:
            return "degrees";
        case Quantity::none:
            break;
    }
    return "";
}

}  // namespace velmoka::commands

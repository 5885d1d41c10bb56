#pragma once

#include "common/length_units.h"

#include <cstdint>
#include <string_view>

namespace velmoka::commands {

// What a parameter or a result measures, and so the unit the faces read and write it in.
enum class Quantity : std::uint8_t {
    none,                    // a pure number: a ratio, a relative permittivity or velocity, a count
    length,                  // in the length unit of the run
    frequency,               // GHz
    impedance,               // ohms
    inductance,              // nH
    capacitance,             // pF
    degrees,                 // a phase
    conductivity,            // S/m
    attenuation,             // dB/m
    decibels,                // dB
    delay,                   // ps/mm
    resistance_per_length,   // ohms/m
    inductance_per_length,   // nH/m
    conductance_per_length,  // S/m
    capacitance_per_length,  // pF/m
    per_square_micron,       // a count on a square micron of surface
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
        case Quantity::conductivity:
        case Quantity::conductance_per_length:
            return "S/m";
        case Quantity::attenuation:
            return "dB/m";
        case Quantity::decibels:
            return "dB";
        case Quantity::delay:
            return "ps/mm";
        case Quantity::resistance_per_length:
            return "ohms/m";
        case Quantity::inductance_per_length:
            return "nH/m";
        case Quantity::capacitance_per_length:
            return "pF/m";
        case Quantity::per_square_micron:
            return "per square micron";
        case Quantity::none:
            break;
    }
    return "";
}

}  // namespace velmoka::commands

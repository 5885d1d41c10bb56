#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The length units of the machine faces, each with the metres it holds. Everything inside the
// program below the faces is in metres; a face reads and writes lengths in the unit chosen.
namespace velmoka {

enum class LengthUnit : std::uint8_t { microns, mils, millimetres, inches };

struct LengthUnitName {
    LengthUnit unit;
    std::string_view name;   // as the faces write it
    std::string_view alias;  // a shorter spelling they also read
    double metres;           // in one of the unit
};

inline constexpr double kMetresPerMicron = 1e-6;
inline constexpr double kMetresPerMil = 25.4e-6;  // a thousandth of the international inch
inline constexpr double kMetresPerMillimetre = 1e-3;
inline constexpr double kMetresPerInch = 0.0254;  // the international inch, 1959

inline constexpr std::array<LengthUnitName, 4> kLengthUnits = {{
    {LengthUnit::microns, "microns", "um", kMetresPerMicron},
    {LengthUnit::mils, "mils", "mil", kMetresPerMil},
    {LengthUnit::millimetres, "mm", "millimetres", kMetresPerMillimetre},
    {LengthUnit::inches, "inches", "in", kMetresPerInch},
}};

constexpr const LengthUnitName& name_of(LengthUnit unit) {
    return kLengthUnits[static_cast<std::size_t>(unit)];
}

constexpr double metres_per(LengthUnit unit) {
    return name_of(unit).metres;
}

// The unit a name or its alias stands for; empty for any other text.
constexpr std::optional<LengthUnit> length_unit_named(std::string_view name) {
    for (const LengthUnitName& unit : kLengthUnits) {
        if (unit.name == name || unit.alias == name) {
            return unit.unit;
        }
    }
    return std::nullopt;
}

inline constexpr double kHertzPerGigahertz = 1e9;
inline constexpr double kHertzPerMegahertz = 1e6;
inline constexpr double kPicosecondsPerSecond = 1e12;

}  // namespace velmoka

#pragma once

#include "calculator/boxes.h"

#include <array>
#include <optional>
#include <string_view>

// How the faces other than the window name the boxes: by short keys that serve as velmoka-cli's
// options, input columns and output keys, and as the Python module's keywords (er_eff for the
// effective dielectric constant, phase for the phase length), in the order the faces list them,
// each with the caption the window shows for it.
namespace velmoka {

struct BoxField {
    Box box;
    std::string_view key;
    std::string_view caption;
    std::string_view unit;  // empty where the caption names it or there is none
    bool dimension;         // shown in the display unit, microns or mils
};

inline constexpr std::array<BoxField, kBoxCount> kBoxFields = {{
    {Box::length1_txt, "length", "Length", "", true},
    {Box::w_txt, "w", "Width", "", true},
    {Box::h_txt, "h", "Dielectric Thickness", "", true},
    {Box::t_txt, "t", "Conductor Thickness", "", true},
    {Box::er_txt, "er", "Dielectric Constant", "", false},
    {Box::freq_txt, "freq", "Frequency (GHz)", "", false},
    {Box::z0_txt, "z0", "Impedance", "ohms", false},
    {Box::er_eff_txt, "er_eff", "Effective Dielectric", "", false},
    {Box::vel_txt, "vel", "Relative Velocity", "", false},
    {Box::length2_txt, "phase", "Phase Length (degrees)", "", false},
    {Box::lpi_txt, "lpi", "L(nH)-Pi", "", false},
    {Box::cpi_txt, "cpi", "C(pF)-Pi", "", false},
    {Box::lt_txt, "lt", "L(nH)-T", "", false},
    {Box::ct_txt, "ct", "C(pF)-T", "", false},
}};

constexpr const BoxField& field_of(Box box) {
    for (const BoxField& field : kBoxFields) {
        if (field.box == box) {
            return field;
        }
    }
    return kBoxFields.front();
}

constexpr std::string_view key_of(Box box) {
    return field_of(box).key;
}

// The box of a key; empty for any other text.
constexpr std::optional<Box> box_keyed(std::string_view key) {
    for (const BoxField& field : kBoxFields) {
        if (field.key == key) {
            return field.box;
        }
    }
    return std::nullopt;
}

}  // namespace velmoka

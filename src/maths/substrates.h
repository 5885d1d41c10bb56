#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "common/length_units.h"
#include "maths/dielectric.h"

// Substrates an engineer names instead of typing er and tan δ: published laminate and
// ceramic data, each at the frequency its data sheet gives, with the wideband model.
namespace velmoka {

struct Substrate {
    std::string_view name;         // the key a face reads, lower case
    std::string_view description;  // what it is, in a few words
    Dielectric dielectric;
};

// er and tan δ at the frequency of each maker's data sheet (test method in brackets).
inline constexpr std::array kSubstrates = {
    // Epoxy–E-glass to IPC-4101/21; makers' sheets give 4.2 to 4.6 and 0.015 to 0.025 at 1 GHz.
    Substrate{"fr4", "generic FR-4 epoxy-glass laminate", {4.4, 0.02, 1 * kHertzPerGigahertz}},
    // Rogers RO4000 series data sheet, process Dk (IPC-TM-650 2.5.5.5, clamped stripline).
    Substrate{"ro4350b", "Rogers RO4350B hydrocarbon-ceramic laminate", {3.48, 0.0037, 10 * kHertzPerGigahertz}},
    Substrate{"ro4003c", "Rogers RO4003C hydrocarbon-ceramic laminate", {3.38, 0.0027, 10 * kHertzPerGigahertz}},
    // Rogers RT/duroid 5870/5880 data sheet (IPC-TM-650 2.5.5.5).
    Substrate{
        "rt5880", "Rogers RT/duroid 5880 PTFE glass-microfibre laminate", {2.20, 0.0009, 10 * kHertzPerGigahertz}},
    // Rogers RO3000 series data sheet (IPC-TM-650 2.5.5.5).
    Substrate{"ro3003", "Rogers RO3003 PTFE-ceramic laminate", {3.00, 0.0010, 10 * kHertzPerGigahertz}},
    // Panasonic MEGTRON 6 (R-5775) data sheet (IPC-TM-650 2.5.5.9).
    Substrate{
        "megtron6", "Panasonic MEGTRON 6 low-loss high-speed digital laminate", {3.71, 0.002, 1 * kHertzPerGigahertz}},
    // Thick-film alumina, e.g. Kyocera A473 (ASTM D150).
    Substrate{"alumina96", "96 % alumina ceramic", {9.4, 0.0003, 1 * kHertzPerMegahertz}},
    // Thin-film alumina, e.g. CoorsTek Superstrate 996 (ASTM D150).
    Substrate{"alumina996", "99.6 % alumina ceramic, thin-film grade", {9.9, 0.0001, 1 * kHertzPerMegahertz}},
    // Pozar, Microwave Engineering, 4th ed. (2012), appendix of dielectric constants.
    Substrate{"fused_silica", "fused silica (quartz glass)", {3.78, 0.0001, 10 * kHertzPerGigahertz}},
    // Semi-insulating GaAs as MMIC foundries give it.
    Substrate{"gaas", "semi-insulating gallium arsenide", {12.9, 0.0006, 10 * kHertzPerGigahertz}},
    // er 11.68 measured by Krupka et al., IEEE Trans. MTT 54(11), 2006; tan δ = σ/(ω·ε0·er) of
    // 10 kΩ·cm silicon at 10 GHz, a conductor's loss, which falls as 1/f.
    Substrate{"hr_silicon", "high-resistivity silicon, 10 kΩ·cm", {11.7, 0.0015, 10 * kHertzPerGigahertz}},
};

// The keys of the substrates, in the table's order.
inline constexpr std::array<std::string_view, kSubstrates.size()> kSubstrateNames = [] {
    std::array<std::string_view, kSubstrates.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        names[i] = kSubstrates[i].name;
    }
    return names;
}();

// The substrate of that name, in any mix of upper and lower case; empty for any other name,
// which a face answers with kSubstrateNames.
std::optional<Substrate> substrate_named(std::string_view name);

}  // namespace velmoka

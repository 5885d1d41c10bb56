#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "maths/dielectric.h"

// Substrates an engineer names instead of typing er and tan δ: published laminate and
// ceramic data, each at the frequency its data sheet gives, with the wideband model.
namespace velmoka {

struct Substrate {
    std::string_view name;         // the key a face reads, lower case
    std::string_view description;  // what it is, in a few words
    Dielectric dielectric;
};

std::span<const Substrate> known_substrates();

// The substrate of that name, in any mix of upper and lower case; empty for any other name,
// which a face answers with the names of known_substrates().
std::optional<Substrate> substrate_named(std::string_view name);

}  // namespace velmoka

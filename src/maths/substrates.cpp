#include "maths/substrates.h"

#include <algorithm>
#include <array>

namespace velmoka {

namespace {

bool same_name(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::optional<Substrate> substrate_named(std::string_view name) {
    const auto found = std::find_if(kSubstrates.begin(), kSubstrates.end(),
                                    [&](const Substrate& s) { return same_name(s.name, name); });
    if (found == kSubstrates.end()) {
        return std::nullopt;
    }
    return *found;
}

}  // namespace velmoka

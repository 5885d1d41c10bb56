#pragma once

#include <string_view>

namespace velmoka {

namespace detail {

template <typename Char>
constexpr std::basic_string_view<Char> without_blanks_around(std::basic_string_view<Char> text) {
    const auto is_blank = [](Char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace detail

// A text without the blanks and tabs at either end: a field of a CSV line, a box's text.
constexpr std::string_view trimmed(std::string_view text) {
    return detail::without_blanks_around(text);
}

constexpr std::u16string_view trimmed(std::u16string_view text) {
    return detail::without_blanks_around(text);
}

}  // namespace velmoka

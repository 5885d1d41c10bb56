#include "common/json_text.h"

namespace velmoka {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr std::string_view kReplacementCharacter = "\\ufffd";

// The length of the UTF-8 character that starts text, or 0 where its bytes are none.
std::size_t utf8_length(std::string_view text) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || text.size() < length) {
        return 0;
    }
    for (std::size_t at = 1; at < length; ++at) {
        if ((byte(at) & 0xC0) != 0x80) {
            return 0;
        }
    }
    // No overlong form, no surrogate, nothing above U+10FFFF.
    const unsigned char second = byte(1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90)) {
        return 0;
    }
    return length;
}

}  // namespace

JsonText& JsonText::key(std::string_view key) {
    word(key);
    out_ += ':';
    after_key_ = true;
    return *this;
}

std::string& JsonText::value() {
    if (after_key_) {
        after_key_ = false;
    } else {
        if ((holds_a_value_ & 1U) != 0) {
            out_ += ',';
        }
        holds_a_value_ |= 1U;
    }
    return out_;
}

void JsonText::open(char bracket) {
    value() += bracket;
    holds_a_value_ <<= 1;
}

void JsonText::close(char bracket) {
    holds_a_value_ >>= 1;
    out_ += bracket;
}

void JsonText::string(std::string_view text) {
    value() += '"';
    for (std::size_t at = 0; at < text.size();) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c == '"' || c == '\\') {
            (out_ += '\\') += static_cast<char>(c);
        } else if (c < 0x20) {
            ((out_ += "\\u00") += kHexDigits[c >> 4]) += kHexDigits[c & 0xf];
        } else if (c >= 0x80) {
            const std::size_t length = utf8_length(text.substr(at));
            if (length == 0) {
                out_ += kReplacementCharacter;
                ++at;
                continue;
            }
            out_ += text.substr(at, length);
            at += length;
            continue;
        } else {
            out_ += static_cast<char>(c);
        }
        ++at;
    }
    out_ += '"';
}

}  // namespace velmoka

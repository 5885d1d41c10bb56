#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmoka {

// JSON text appended to a string, value after value: objects and lists open and close around
// the values written between them, and a key comes before each value of an object. Any text
// makes a valid JSON string: quotes, backslashes and control characters are escaped, and a byte
// that belongs to no UTF-8 character becomes U+FFFD. Numbers come as the texts their callers
// formed; this file knows no number format. The velmoka-cli rows and the tolerance budget's
// report are both written with it.
class JsonText {
public:
    explicit JsonText(std::string& out) : out_(out) {}

    JsonText& key(std::string_view key);
    void open_object() { open('{'); }
    void close_object() { close('}'); }
    void open_list() { open('['); }
    void close_list() { close(']'); }
    void number(std::string_view text) { value() += text; }
    void string(std::string_view text);
    // A word of the program's own (a key, a status, a unit), which needs no escaping.
    void word(std::string_view word) { ((value() += '"') += word) += '"'; }
    void null() { value() += "null"; }
    void boolean(bool value_given) { value() += value_given ? "true" : "false"; }

private:
    // The text, after the comma that goes before any value but the first of its object or list.
    std::string& value();
    void open(char bracket);
    void close(char bracket);

    std::string& out_;
    std::uint64_t holds_a_value_ = 0;  // a bit for each open object or list, innermost lowest
    bool after_key_ = false;
};

}  // namespace velmoka

#pragma once

#include "calculator/outcome.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace velmoka::command_line {

enum class Format { text, csv, json };

// The keys every row of csv or json ends with: how its run ended.
inline constexpr std::array<std::string_view, 3> kEndingKeys = {"status", "message", "box"};

// One row of csv or json, field by field in the order of its keys. The row is written into a
// buffer of its own and appended to the text whole at its end, since a million rows are a
// million times the few dozen appends of one.
class RowText {
public:
    RowText(std::string& out, Format format);

    // null is nothing at all in csv.
    void null_field(std::string_view key) {
        start(key);
        if (json_) {
            put("null");
        }
    }
    void number_field(std::string_view key, std::string_view number) {
        start(key);
        put(number);
    }
    void text_field(std::string_view key, std::string_view text);
    // A word of the program's own (a command, units, a status, a key): nothing to quote.
    void word_field(std::string_view key, std::string_view word) {
        start(key);
        if (json_) {
            put('"');
            put(word);
            put('"');
        } else {
            put(word);
        }
    }
    void end() {
        put(json_ ? "}\n" : "\n");
        flush();
    }

private:
    // Room in the buffer for the longest field but one: a number's longest text, or a message
    // with every character escaped.
    static constexpr std::size_t kRowRoom = 2048;

    // The separator and, in json, the key of a field.
    void start(std::string_view key) {
        if (!first_) {
            put(',');
        }
        first_ = false;
        if (json_) {
            put('"');
            put(key);
            put("\":");
        }
    }
    void put_json_string(std::string_view text);
    void put_csv_text(std::string_view text);
    void put(char c) {
        if (at_ == row_.data() + row_.size()) {
            flush();
        }
        *at_++ = c;
    }
    void put(std::string_view text) {
        if (static_cast<std::size_t>(row_.data() + row_.size() - at_) < text.size()) {
            put_long(text);
            return;
        }
        at_ = std::copy(text.begin(), text.end(), at_);
    }
    // A text longer than the room left: the row so far goes out first.
    void put_long(std::string_view text);
    void flush() {
        out_.append(row_.data(), static_cast<std::size_t>(at_ - row_.data()));
        at_ = row_.data();
    }

    std::string& out_;
    const bool json_;
    bool first_ = true;
    std::array<char, kRowRoom> row_;
    char* at_ = row_.data();
};

// The header of csv: the keys of a row's values, then the ending's keys; nothing in the other
// formats.
void append_header_of(std::string& out, Format format, std::span<const std::string_view> keys);

// The row of an input line that cannot be read: what is wrong alone, for people; else null for
// every key of the values, the status error and the message.
void append_error_row(std::string& out, Format format, std::span<const std::string_view> keys, std::string_view message,
                      std::uint64_t row);

// A line of the text for people: two blanks, the caption, the value right-aligned after it and,
// where there is one, its unit.
void append_captioned_line(std::string& out, std::string_view caption, std::string_view value, std::string_view unit);

// The last line of a row of text for people: how the run ended and, unless it is ok, its message
// and the caption of the box it is in, where it is in one.
void append_ending_line(std::string& out, Status status, std::string_view message, std::string_view caption);

}  // namespace velmoka::command_line

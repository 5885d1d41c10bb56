#pragma once

#include "calculator/outcome.h"

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
    void null_field(std::string_view key);
    void number_field(std::string_view key, std::string_view number);
    void text_field(std::string_view key, std::string_view text);
    // A word of the program's own (a command, units, a status, a key): nothing to quote.
    void word_field(std::string_view key, std::string_view word);
    void end();

private:
    // Room in the buffer for the longest field but one: a number's longest text, or a message
    // with every character escaped.
    static constexpr std::size_t kRowRoom = 2048;

    // The separator and, in json, the key of a field.
    void start(std::string_view key);
    void put_json_string(std::string_view text);
    void put_csv_text(std::string_view text);
    void put(char c);
    void put(std::string_view text);
    void flush();

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

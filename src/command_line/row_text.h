#pragma once

#include "common/json_text.h"
#include "common/verdict.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

namespace velmoka::command_line {

enum class Format { text, csv, json };

// One row of csv, field by field in the order of the header: a text is quoted only where a reader
// would take it apart otherwise. The row is written into a buffer of its own and appended to the
// text whole at its end, since a million rows are a million times the few dozen appends of one.
class CsvRow {
public:
    explicit CsvRow(std::string& out) : out_(out) {}

    void null(std::string_view) { start(); }
    void number(std::string_view, std::string_view number) {
        start();
        put(number);
    }
    void text(std::string_view key, std::string_view text);
    // A word of the program's own (a command, units, a status, a key): nothing to quote.
    void word(std::string_view key, std::string_view word) { number(key, word); }
    // Texts joined by "; ": empty for none.
    void texts(std::string_view key, std::span<const std::string_view> texts);
    void end() {
        put('\n');
        flush();
    }

private:
    // Room in the buffer for the longest field but one: a number's longest text, or a message
    // with every character quoted.
    static constexpr std::size_t kRowRoom = 2048;

    void start() {
        if (!first_) {
            put(',');
        }
        first_ = false;
    }
    void put(char c) {
        if (at_ == row_.data() + row_.size()) {
            flush();
        }
        *at_++ = c;
    }
    void put(std::string_view text) {
        if (static_cast<std::size_t>(row_.data() + row_.size() - at_) < text.size()) {
            flush();
            if (text.size() > row_.size()) {
                out_ += text;
                return;
            }
        }
        at_ = std::copy(text.begin(), text.end(), at_);
    }
    void flush() {
        out_.append(row_.data(), static_cast<std::size_t>(at_ - row_.data()));
        at_ = row_.data();
    }

    std::string& out_;
    bool first_ = true;
    std::array<char, kRowRoom> row_;
    char* at_ = row_.data();
};

// One row of json: an object on a line of its own, its keys in the order of the csv header.
class JsonRow {
public:
    explicit JsonRow(std::string& out) : out_(out), json_(out) { json_.open_object(); }

    void null(std::string_view key) { json_.key(key).null(); }
    void number(std::string_view key, std::string_view number) { json_.key(key).number(number); }
    void text(std::string_view key, std::string_view text) { json_.key(key).string(text); }
    void word(std::string_view key, std::string_view word) { json_.key(key).word(word); }
    void texts(std::string_view key, std::span<const std::string_view> texts);
    void end() {
        json_.close_object();
        out_ += '\n';
    }

private:
    std::string& out_;
    JsonText json_;
};

// A line of the text for people: two blanks, the caption, the value right-aligned after it and,
// where there is one, its unit.
void append_captioned_line(std::string& out, std::string_view caption, std::string_view value, std::string_view unit);

// The last lines of a row of text for people: its warnings, each on a line, then how the run
// ended and, unless it is ok, its message and the caption of what it concerns, where it concerns
// something.
void append_ending_lines(std::string& out, const Verdict& verdict, std::string_view message, std::string_view caption,
                         std::span<const std::string_view> warnings);

}  // namespace velmoka::command_line

#include "command_line/input_rows.h"

#include "command_line/decimal.h"
#include "command_line/fields.h"
#include "text_rules/trimmed.h"

#include <algorithm>
#include <istream>
#include <limits>

namespace velmoka::command_line {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A field is quoted in a message up to this many characters.
constexpr std::size_t kQuotedCharacters = 40;

// A field's text for a message: printable ASCII as it stands, any other byte as '?', cut short.
std::string quoted(std::string_view text) {
    std::string shown = "'";
    for (const char c : text.substr(0, kQuotedCharacters)) {
        shown += c >= ' ' && c <= '~' ? c : '?';
    }
    return shown + (text.size() > kQuotedCharacters ? "...'" : "'");
}

// The fields of a line, split at commas; a field in double quotes may hold commas, and "" in
// it stands for one quote. Empty when a quote is left open.
std::optional<std::vector<std::string>> fields_of(std::string_view line) {
    std::vector<std::string> fields(1);
    bool in_quotes = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (in_quotes) {
            if (c != '"') {
                fields.back() += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                in_quotes = false;
            }
        } else if (c == '"') {
            in_quotes = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (in_quotes) {
        return std::nullopt;
    }
    for (std::string& field : fields) {
        field = trimmed(field);
    }
    return fields;
}

}  // namespace

InputRows::InputRows(std::istream& in, const Design& defaults, std::optional<Command> command, std::size_t longest_line,
                     const InputColumns& columns)
    : in_(in), defaults_(defaults), command_(command), allowed_(columns), buffer_(longest_line + 1) {}

bool InputRows::may_wait() const {
    return skip_rest_ || in_.rdbuf()->in_avail() <= 0;
}

std::optional<InputRows::Line> InputRows::read_line() {
    if (skip_rest_) {
        in_.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        skip_rest_ = false;
    }
    in_.getline(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    const auto read = static_cast<std::size_t>(in_.gcount());
    if (in_.bad()) {
        return std::nullopt;  // a read failed: nothing more comes
    }
    if (in_.eof()) {
        // The last line, without its line end; nothing at all at the end of the input.
        return read == 0 ? std::nullopt : std::optional<Line>(Line{{buffer_.data(), read}, false});
    }
    if (in_.fail()) {
        // The bound was reached before the line's end.
        in_.clear();
        skip_rest_ = true;
        return Line{{buffer_.data(), read}, true};
    }
    return Line{{buffer_.data(), read - 1}, false};  // without the line end
}

std::optional<InputRows::Line> InputRows::next_line() {
    while (std::optional<Line> line = read_line()) {
        ++line_number_;
        if (line_number_ == 1 && line->text.starts_with(kByteOrderMark)) {
            line->text.remove_prefix(kByteOrderMark.size());
        }
        if (line->text.ends_with('\r')) {
            line->text.remove_suffix(1);
        }
        if (line->overlong || (!trimmed(line->text).empty() && !line->text.starts_with('#'))) {
            return line;
        }
    }
    return std::nullopt;
}

std::optional<InputRows::Row> InputRows::failed_read() {
    if (!in_.bad() || read_failure_reported_) {
        return std::nullopt;
    }
    read_failure_reported_ = true;
    return Unreadable{"line " + std::to_string(line_number_ + 1) + ": the input cannot be read"};
}

std::string InputRows::overlong_message() const {
    return "longer than " + std::to_string(buffer_.size() - 1) + " bytes";
}

std::optional<InputRows::Row> InputRows::next() {
    if (!header_read_) {
        const std::optional<Line> header = next_line();
        if (!header) {
            return failed_read();
        }
        header_read_ = true;
        if (header->overlong) {
            header_fault_ = "the header is " + overlong_message();
            return Unreadable{"line " + std::to_string(line_number_) + ": " + overlong_message()};
        }
        read_header(header->text);
    }
    const std::optional<Line> line = next_line();
    if (!line) {
        return failed_read();
    }
    const std::string at = "line " + std::to_string(line_number_) + ": ";
    if (line->overlong) {
        return Unreadable{at + overlong_message()};
    }
    if (!header_fault_.empty()) {
        return Unreadable{at + header_fault_};
    }
    const std::optional<std::vector<std::string>> fields = fields_of(line->text);
    if (!fields) {
        return Unreadable{at + "a quote is left open"};
    }
    if (fields->size() != columns_.size()) {
        return Unreadable{at + std::to_string(fields->size()) + " fields where the header names " +
                          std::to_string(columns_.size())};
    }
    Row row = row_of(*fields);
    if (Unreadable* unreadable = std::get_if<Unreadable>(&row)) {
        unreadable->message.insert(0, at);
    }
    return row;
}

void InputRows::read_header(std::string_view line) {
    const std::optional<std::vector<std::string>> names = fields_of(line);
    if (!names) {
        header_fault_ = "the header leaves a quote open";
        return;
    }
    for (const std::string& name : *names) {
        ColumnKind column{Column::box, Box::length1_txt};
        const std::optional<Box> box = box_with_key(name);
        if (name == "command" && allowed_.command) {
            column.kind = Column::command;
        } else if (name == "units") {
            column.kind = Column::units;
        } else if (box && std::find(allowed_.boxes.begin(), allowed_.boxes.end(), *box) != allowed_.boxes.end()) {
            column.box = *box;
        } else {
            header_fault_ =
                "field " + quoted(name) + " of the header is no column " + std::string(allowed_.reader) + " knows";
            return;
        }
        for (const ColumnKind& earlier : columns_) {
            if (earlier.kind == column.kind && (column.kind != Column::box || earlier.box == column.box)) {
                header_fault_ = "field " + quoted(name) + " of the header names a column twice";
                return;
            }
        }
        columns_.push_back(column);
    }
}

InputRows::Row InputRows::row_of(const std::vector<std::string>& fields) const {
    Design design = defaults_;
    std::optional<Command> command = command_;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        if (field.empty()) {
            continue;
        }
        switch (columns_[i].kind) {
            case Column::command:
                command = command_from_word(field);
                if (!command) {
                    return Unreadable{"field command: " + quoted(field) +
                                      " is not analysis, solve, synth-pi or synth-t"};
                }
                break;
            case Column::units: {
                const std::optional<Units> units = units_named(field);
                if (!units) {
                    return Unreadable{"field units: " + quoted(field) + " is not microns or mils"};
                }
                design.units = *units;
                break;
            }
            case Column::box: {
                const std::optional<double> value = strict_decimal(field);
                if (!value) {
                    return Unreadable{"field " + std::string(field_of(columns_[i].box).key) + ": " + quoted(field) +
                                      " is not a decimal number"};
                }
                design.value(columns_[i].box) = value;
                break;
            }
        }
    }
    if (allowed_.command) {
        if (!command) {
            return Unreadable{"no command: give one on the command line or in a command column"};
        }
        design.command = *command;
    }
    return design;
}

}  // namespace velmoka::command_line

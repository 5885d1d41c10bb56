#include "command_line/input_rows.h"

#include "command_line/decimal.h"
#include "command_line/fields.h"
#include "command_line/trimmed.h"

#include <istream>

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

InputRows::InputRows(std::istream& in, const Run& defaults, std::optional<Command> command)
    : in_(in), defaults_(defaults), command_(command) {}

std::optional<std::string> InputRows::next_line() {
    std::string line;
    while (std::getline(in_, line)) {
        ++line_number_;
        if (line_number_ == 1 && line.starts_with(kByteOrderMark)) {
            line.erase(0, kByteOrderMark.size());
        }
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        if (!trimmed(line).empty() && !line.starts_with('#')) {
            return line;
        }
    }
    return std::nullopt;
}

std::optional<InputRows::Row> InputRows::next() {
    if (!header_read_) {
        const std::optional<std::string> header = next_line();
        if (!header) {
            return std::nullopt;
        }
        read_header(*header);
        header_read_ = true;
    }
    const std::optional<std::string> line = next_line();
    if (!line) {
        return std::nullopt;
    }
    const std::string at = "line " + std::to_string(line_number_) + ": ";
    if (!header_fault_.empty()) {
        return Unreadable{at + header_fault_};
    }
    const std::optional<std::vector<std::string>> fields = fields_of(*line);
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

void InputRows::read_header(const std::string& line) {
    const std::optional<std::vector<std::string>> names = fields_of(line);
    if (!names) {
        header_fault_ = "the header leaves a quote open";
        return;
    }
    for (const std::string& name : *names) {
        ColumnKind column{Column::box, Box::length1_txt};
        if (name == "command") {
            column.kind = Column::command;
        } else if (name == "units") {
            column.kind = Column::units;
        } else if (const std::optional<Box> box = box_with_key(name)) {
            column.box = *box;
        } else {
            header_fault_ = "field " + quoted(name) + " of the header is no column velmoka-cli knows";
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
    Run run = defaults_;
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
                run.units = *units;
                break;
            }
            case Column::box:
                if (!strict_decimal(field)) {
                    return Unreadable{"field " + std::string(field_of(columns_[i].box).key) + ": " + quoted(field) +
                                      " is not a decimal number"};
                }
                run.value(columns_[i].box) = field;
                break;
        }
    }
    if (!command) {
        return Unreadable{"no command: give one on the command line or in a command column"};
    }
    run.command = *command;
    return run;
}

}  // namespace velmoka::command_line

#include "command_line/input_rows.h"

#include "command_line/cli_names.h"
#include "command_line/decimal.h"
#include "command_line/swept_values.h"
#include "commands/commands.h"
#include "commands/window_commands.h"
#include "text_rules/trimmed.h"

#include <algorithm>
#include <istream>
#include <limits>
#include <utility>

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

// A column's name as a key: in lower case, with - for _.
std::string key_of_column(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        c = c == '-' ? '_' : static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return key;
}

// The keys velmoka-cli writes in a command's rows but does not read from an input.
bool written_not_read(const commands::Command& command, std::string_view key) {
    constexpr std::array<std::string_view, 5> kEveryRows = {"line", "status", "message", "box", "warnings"};
    return std::find(kEveryRows.begin(), kEveryRows.end(), key) != kEveryRows.end() ||
           std::any_of(command.columns.begin(), command.columns.end(),
                       [&](const commands::Column& column) { return column.key == key; });
}

}  // namespace

InputRows::InputRows(std::istream& in, const commands::RowRequest& defaults, std::size_t longest_line)
    : in_(in), defaults_(defaults), buffer_(longest_line + 1) {}

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

std::optional<Row> InputRows::failed_read() {
    if (!in_.bad() || read_failure_reported_) {
        return std::nullopt;
    }
    read_failure_reported_ = true;
    ++line_number_;
    return unreadable("the input cannot be read");
}

std::string InputRows::overlong_message() const {
    return "longer than " + std::to_string(buffer_.size() - 1) + " bytes";
}

Row InputRows::unreadable(std::string message) const {
    Row row;
    row.request.command = defaults_.command;
    row.line = line_number_;
    row.unreadable = "line " + std::to_string(line_number_) + ": " + std::move(message);
    return row;
}

void InputRows::read_header() {
    header_read_ = true;
    const std::optional<Line> header = next_line();
    if (!header) {
        return;
    }
    if (header->overlong) {
        header_fault_ = "the header is " + overlong_message();
        header_row_ = unreadable(overlong_message());
        return;
    }
    read_names(header->text);
    const commands::Command* command = defaults_.command;
    if (!header_fault_.empty() || command == nullptr || defaults_.opening_window) {
        return;
    }
    for (std::size_t i = 0; i < command->parameters.size(); ++i) {
        const int parameter = static_cast<int>(i);
        const bool in_a_column = std::any_of(columns_.begin(), columns_.end(), [&](const ColumnKind& column) {
            return column.kind == Column::parameter && column.parameter == parameter;
        });
        if (command->parameters[i].need == commands::Need::required && !in_a_column && !defaults_.given(parameter)) {
            throw UsageError(option_name(command->parameters[i].key) +
                             ": a value is required, on the command line or in a column of the input");
        }
    }
}

void InputRows::read_names(std::string_view line) {
    const std::optional<std::vector<std::string>> names = fields_of(line);
    if (!names) {
        header_fault_ = "the header leaves a quote open";
        return;
    }
    const commands::Command& command = defaults_.command != nullptr ? *defaults_.command : commands::kAnalysis;
    const bool window = commands::is_window_command(command);
    for (const std::string& name : *names) {
        const std::string key = key_of_column(name);
        ColumnKind column{Column::carried};
        if (key == "command") {
            if (!window) {
                header_fault_ = "field 'command' of the header: velmoka-cli " + std::string(command.word) +
                                " takes no command column";
                return;
            }
            column.kind = Column::command;
        } else if (key == "units") {
            column.kind = Column::units;
        } else if (const std::optional<int> parameter = command.parameter_keyed(key);
                   parameter && command.parameters[static_cast<std::size_t>(*parameter)].form != commands::Form::path) {
            column = {Column::parameter, *parameter};
        } else if (written_not_read(command, key)) {
            column.kind = Column::passed_over;
        }
        for (const ColumnKind& earlier : columns_) {
            if (column.kind != Column::carried && column.kind != Column::passed_over && earlier.kind == column.kind &&
                earlier.parameter == column.parameter) {
                header_fault_ = "field " + quoted(name) + " of the header names a column twice";
                return;
            }
        }
        if (column.kind == Column::carried) {
            carried_names_.push_back(name);
        }
        columns_.push_back(column);
    }
}

std::optional<Row> InputRows::next() {
    if (!header_read_) {
        read_header();
    }
    if (header_row_) {
        return std::exchange(header_row_, std::nullopt);
    }
    const std::optional<Line> line = next_line();
    if (!line) {
        return failed_read();
    }
    if (line->overlong) {
        return unreadable(overlong_message());
    }
    if (!header_fault_.empty()) {
        return unreadable(header_fault_);
    }
    const std::optional<std::vector<std::string>> fields = fields_of(line->text);
    if (!fields) {
        return unreadable("a quote is left open");
    }
    if (fields->size() != columns_.size()) {
        return unreadable(std::to_string(fields->size()) + " fields where the header names " +
                          std::to_string(columns_.size()));
    }
    return row_of(*fields);
}

Row InputRows::row_of(const std::vector<std::string>& fields) const {
    Row row{defaults_, line_number_};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (columns_[i].kind == Column::carried) {
            row.carried.push_back(fields[i]);
        }
    }
    // A line that cannot be read still carries its fields through.
    const auto unreadable = [&](std::string message) {
        Row failed = this->unreadable(std::move(message));
        failed.carried = std::move(row.carried);
        return failed;
    };
    commands::RowRequest& request = row.request;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        const ColumnKind& column = columns_[i];
        if (field.empty() || column.kind == Column::passed_over || column.kind == Column::carried) {
            continue;
        }
        switch (column.kind) {
            case Column::command:
                request.command = commands::command_worded(field);
                if (request.command == nullptr || !commands::is_window_command(*request.command)) {
                    return unreadable("field command: " + quoted(field) +
                                      " is not analysis, solve, synth-pi or synth-t");
                }
                break;
            case Column::units: {
                const commands::Command& command = request.command != nullptr ? *request.command : commands::kAnalysis;
                const std::optional<LengthUnit> units = units_read_by(command, field);
                if (!units) {
                    return unreadable("field units: " + quoted(field) + " is not " + units_listed(command));
                }
                request.units = *units;
                break;
            }
            case Column::parameter: {
                const commands::Parameter& parameter =
                    (request.command != nullptr ? *request.command : commands::kAnalysis)
                        .parameters[static_cast<std::size_t>(column.parameter)];
                if (parameter.form == commands::Form::choice) {
                    const std::optional<double> place = choice_place(parameter, field);
                    if (!place) {
                        return unreadable("field " + std::string(parameter.key) + ": " + quoted(field) + " is not " +
                                          choices_listed(parameter));
                    }
                    request.values[static_cast<std::size_t>(column.parameter)] = *place;
                    break;
                }
                const std::optional<double> value = strict_decimal(field);
                if (!value) {
                    return unreadable("field " + std::string(parameter.key) + ": " + quoted(field) +
                                      " is not a decimal number");
                }
                if (const std::optional<std::string_view> fault = commands::fault_in(parameter, *value)) {
                    return unreadable("field " + std::string(parameter.key) + ": " + quoted(field) + " " +
                                      std::string(*fault));
                }
                request.values[static_cast<std::size_t>(column.parameter)] = *value;
                break;
            }
            case Column::passed_over:
            case Column::carried:
                break;
        }
    }
    if (request.command == nullptr) {
        return unreadable("no command: give one on the command line or in a command column");
    }
    if (const std::optional<int> missing = commands::complete(request)) {
        const std::string_view key = request.command->parameters[static_cast<std::size_t>(*missing)].key;
        return unreadable("no " + std::string(key) + ": give it in its column or on the command line");
    }
    if (const std::optional<Fault> fault = commands::checked_together(request)) {
        return unreadable(std::string(fault->key) + ": " + std::string(fault->message));
    }
    return row;
}

}  // namespace velmoka::command_line

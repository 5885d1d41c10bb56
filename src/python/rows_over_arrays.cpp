// The commands answered row by row, over numpy arrays: each element one row, its values taken
// from the arguments broadcast together, answered by the command's declaration on every core with
// the GIL released, and given back as one float64 column per key of the command's rows and a few
// bytes an element for its verdict.

#include "python/rows_over_arrays.h"
#include "calculator/box_keys.h"
#include "commands/commands.h"
#include "common/in_parallel.h"
#include "python/arguments.h"
#include "python/broadcast.h"
#include "python/column_memory.h"
#include "python/numpy_text.h"
#include "python/results.h"
#include "text_rules/picture_format.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>

namespace velmoka::python {

namespace {

constexpr std::size_t kRowsPerPiece = 256;

// The keys whose texts are asked for: none, every one (True), or those listed.
std::vector<const BoxField*> texts_asked(const commands::Command& command, const py::object& texts) {
    std::vector<const BoxField*> fields;
    if (py::isinstance<py::bool_>(texts)) {
        if (texts.cast<bool>() && commands::is_window_command(command)) {
            for (const BoxField& field : kBoxFields) {
                fields.push_back(&field);
            }
        }
        return fields;
    }
    if (py::isinstance<py::str>(texts)) {
        throw py::type_error("texts: expected True, False or a list of box keys, got a str");
    }
    for (const py::handle key : texts) {
        const std::optional<Box> box = box_keyed(key.cast<std::string>());
        if (!box) {
            throw py::value_error("texts: '" + key.cast<std::string>() + "' is no box key");
        }
        fields.push_back(&field_of(*box));
    }
    return fields;
}

// The words of this command's verdicts: its own messages, then those of the checks of its values.
std::shared_ptr<Vocabulary> vocabulary_of(const commands::Command& command) {
    auto words = std::make_shared<Vocabulary>();
    for (const std::string_view message : command.messages) {
        words->messages.push_back({std::string(message), false});
    }
    const auto add_check = [&](std::string_view message) {
        const bool known = std::any_of(words->messages.begin(), words->messages.end(),
                                       [&](const Vocabulary::Message& m) { return m.after_key && m.text == message; });
        if (!known && !message.empty()) {
            words->messages.push_back({std::string(message), true});
        }
    };
    add_check(commands::kNotFinite);
    for (const commands::Parameter& parameter : command.parameters) {
        add_check(parameter.range.fault);
        words->keys.emplace_back(parameter.key);
    }
    for (const commands::Column& column : command.columns) {
        if (std::find(words->keys.begin(), words->keys.end(), column.key) == words->keys.end()) {
            words->keys.emplace_back(column.key);
        }
    }
    words->warnings.assign(command.warnings.begin(), command.warnings.end());
    if (words->warnings.size() > kMostWarnings) {
        throw std::logic_error("a command of more warnings than a Results tells");
    }
    return words;
}

// Where an element's answer goes, taken while the GIL is held.
struct Columns {
    std::vector<double*> numbers;   // in the order of the command's columns
    std::vector<TextColumn> texts;  // in the order asked
    std::uint8_t* status = nullptr;
    std::uint8_t* message = nullptr;
    std::uint8_t* key = nullptr;
    std::uint32_t* warnings = nullptr;
};

// The parameters given, by their place among the command's, and how the call is answered.
struct Call {
    const commands::Command& command;
    std::vector<std::size_t> parameters;  // of the broadcast arguments, in their order
    // Every element's request before its own values: the unit, the words chosen and what is not
    // given completed, the same for every element.
    commands::RowRequest blank;
    const Vocabulary& words;
    std::vector<const BoxField*> texts;
};

// The blank request of a call: what the broadcast arguments give left open, every other value
// completed as commands::complete completes it.
commands::RowRequest blank_request(const Call& call, LengthUnit units, bool opening_window,
                                   std::span<const std::pair<std::size_t, double>> choices) {
    commands::RowRequest blank;
    blank.command = &call.command;
    blank.units = units;
    blank.opening_window = opening_window;
    for (const auto& [parameter, place] : choices) {
        blank.values[parameter] = place;
    }
    for (const std::size_t parameter : call.parameters) {
        blank.values[parameter] = 0.0;  // a stand-in, so that complete leaves it open
    }
    commands::complete(blank);
    for (const std::size_t parameter : call.parameters) {
        blank.values[parameter] = commands::kNotGiven;
    }
    return blank;
}

// 1 + the place of a text in the vocabulary; 0 for one it has not, as for none.
template <typename Texts, typename Same>
std::uint8_t code_of(const Texts& texts, const Same& same) {
    const auto found = std::find_if(texts.begin(), texts.end(), same);
    return found == texts.end() ? 0 : static_cast<std::uint8_t>(1 + (found - texts.begin()));
}

// The row of one element: its values, each checked; an error verdict where one cannot be taken.
commands::RowRequest request_at(const Call& call, const Broadcast::Walk& walk, Verdict& verdict) {
    commands::RowRequest request = call.blank;
    for (std::size_t argument = 0; argument < call.parameters.size(); ++argument) {
        const std::size_t parameter = call.parameters[argument];
        const double value = walk.value(argument);
        const commands::Parameter& declared = call.command.parameters[parameter];
        if (const std::optional<std::string_view> fault = commands::fault_in(declared, value)) {
            verdict = {Status::error, Fault{*fault, declared.key, true}, 0};
            return request;
        }
        request.values[parameter] = value;
    }
    if (const std::optional<Fault> fault = commands::checked_together(request)) {
        verdict = {Status::error, *fault, 0};
    }
    return request;
}

// The numbers of a piece's elements, from begin on, column by column: each column's stores run
// on, where an element at a time would spread its stores over thirty columns at once.
void write_numbers(const Call& call, std::span<const commands::RowRequest> requests,
                   std::span<const commands::RowAnswer> answers, Columns& columns, std::size_t begin) {
    const std::span<const commands::Column> keys = call.command.columns;
    for (std::size_t column = 0; column < keys.size(); ++column) {
        double* const to = columns.numbers[column] + begin;
        for (std::size_t i = 0; i < answers.size(); ++i) {
            to[i] = answers[i].verdict.status == Status::error
                        ? commands::kNotGiven
                        : commands::shown_value(requests[i], answers[i], keys[column]);
        }
    }
}

// An element's texts and verdict written into the columns.
void write_element(const Call& call, const commands::RowAnswer& answer, Columns& columns, std::size_t index) {
    if (answer.boxes) {
        std::array<char, kLongestPictureText> text;
        for (std::size_t asked = 0; asked < call.texts.size(); ++asked) {
            const std::size_t length = (*answer.boxes)[call.texts[asked]->box].write_text(text.data());
            columns.texts[asked].write(index, std::string_view(text.data(), length));
        }
    }
    const Verdict& verdict = answer.verdict;
    columns.status[index] = static_cast<std::uint8_t>(verdict.status);
    columns.warnings[index] = verdict.warnings;
    if (verdict.fault) {
        const Fault& fault = *verdict.fault;
        columns.message[index] = code_of(call.words.messages, [&](const Vocabulary::Message& message) {
            return message.after_key == fault.after_key && message.text == fault.message;
        });
        columns.key[index] = code_of(call.words.keys, [&](const std::string& key) { return key == fault.key; });
    }
}

// The elements of a piece: each one's request, every request that passed its checks answered
// together (a command may answer many at once faster than one by one), then each written.
void answer_piece(const Call& call, const Broadcast& broadcast, Columns& columns, std::size_t begin, std::size_t end) {
    std::vector<commands::RowRequest> requests(end - begin);
    std::vector<commands::RowAnswer> answers(end - begin);
    bool all_passed = true;
    Broadcast::Walk walk(broadcast, begin);
    for (std::size_t i = 0; i < requests.size(); ++i, walk.next()) {
        requests[i] = request_at(call, walk, answers[i].verdict);
        all_passed = all_passed && answers[i].verdict.status != Status::error;
    }
    if (all_passed) {
        commands::answer_rows(call.command, requests, answers);  // answered in place
    } else {
        std::vector<commands::RowRequest> checked;  // the requests that passed their checks
        std::vector<std::size_t> checked_at;
        for (std::size_t i = 0; i < requests.size(); ++i) {
            if (answers[i].verdict.status != Status::error) {
                checked.push_back(requests[i]);
                checked_at.push_back(i);
            }
        }
        std::vector<commands::RowAnswer> checked_answers(checked.size());
        commands::answer_rows(call.command, checked, checked_answers);
        for (std::size_t i = 0; i < checked.size(); ++i) {
            answers[checked_at[i]] = checked_answers[i];
        }
    }
    write_numbers(call, requests, answers, columns, begin);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        write_element(call, answers[i], columns, begin + i);
    }
}

// The longest text of each box asked for, over every element: the width of its column.
std::vector<std::size_t> longest_texts(const Call& call, const Broadcast& broadcast) {
    std::vector<std::atomic<std::size_t>> longest(call.texts.size());
    in_parallel(broadcast.size(), kRowsPerPiece, [&](std::size_t begin, std::size_t end) {
        std::vector<std::size_t> piece_longest(call.texts.size());
        std::array<char, kLongestPictureText> text;
        Broadcast::Walk walk(broadcast, begin);
        for (std::size_t index = begin; index < end; ++index, walk.next()) {
            commands::RowAnswer answer;
            const commands::RowRequest request = request_at(call, walk, answer.verdict);
            if (answer.verdict.status == Status::error) {
                continue;
            }
            call.command.answer(request, answer);
            for (std::size_t asked = 0; asked < call.texts.size(); ++asked) {
                piece_longest[asked] =
                    std::max(piece_longest[asked], (*answer.boxes)[call.texts[asked]->box].write_text(text.data()));
            }
        }
        for (std::size_t asked = 0; asked < call.texts.size(); ++asked) {
            std::size_t seen = longest[asked];
            while (seen < piece_longest[asked] && !longest[asked].compare_exchange_weak(seen, piece_longest[asked])) {
            }
        }
    });
    return {longest.begin(), longest.end()};
}

// The place of the word a choice is given as, for every element alike; ValueError for another.
double place_of_choice(const commands::Command& command, const commands::Parameter& parameter,
                       const py::object& value) {
    const std::string word = py::isinstance<py::str>(value) ? value.cast<std::string>() : std::string();
    const auto found = std::find(parameter.choices.begin(), parameter.choices.end(), word);
    if (found == parameter.choices.end()) {
        std::string choices;
        for (const std::string_view choice : parameter.choices) {
            choices += (choices.empty() ? "'" : " or '") + std::string(choice) + "'";
        }
        throw py::value_error(std::string(command.python_name) + "(): " + std::string(parameter.key) + " is " +
                              choices + ", not " + py::repr(value).cast<std::string>());
    }
    return static_cast<double>(found - parameter.choices.begin());
}

template <typename Number>
py::array_t<Number> codes_shaped(const Broadcast& broadcast) {
    return zeroed_array(py::dtype::of<Number>(), broadcast.shape());
}

}  // namespace

py::object rows_over_arrays(const commands::Command& command, const std::string& units, bool opening_window,
                            const py::object& texts_wanted, const py::args& args, const py::kwargs& keywords) {
    const Matched matched = matched_arguments(command, args, keywords, opening_window);
    const std::shared_ptr<Vocabulary> words = vocabulary_of(command);
    Call call{command, {}, {}, *words, texts_asked(command, texts_wanted)};
    std::vector<std::pair<std::size_t, double>> choices;  // the words chosen, by their places
    std::vector<std::pair<std::string, py::object>> named;
    for (const auto& [parameter, value] : matched) {
        if (value.is_none()) {
            continue;  // as not given
        }
        const commands::Parameter& declared = command.parameters[parameter];
        if (declared.form == commands::Form::choice) {
            choices.emplace_back(parameter, place_of_choice(command, declared, value));
            continue;
        }
        call.parameters.push_back(parameter);
        named.emplace_back(declared.key, value);
    }
    call.blank = blank_request(call, units_of_call(command, units), opening_window, choices);
    const Broadcast broadcast(named);

    std::vector<std::size_t> text_widths;
    if (!call.texts.empty()) {
        py::gil_scoped_release released;
        text_widths = longest_texts(call, broadcast);
    }
    py::dict columns;
    Columns memory;
    for (const commands::Column& column : command.columns) {
        py::array_t<double> numbers = doubles_shaped(broadcast);
        memory.numbers.push_back(numbers.mutable_data());
        columns[std::string(column.key).c_str()] = numbers;
    }
    py::dict text_arrays;
    for (std::size_t asked = 0; asked < call.texts.size(); ++asked) {
        py::array array = texts_shaped(broadcast.shape(), text_widths[asked]);
        memory.texts.emplace_back(array);
        text_arrays[std::string(call.texts[asked]->key).c_str()] = array;
    }
    Endings endings{codes_shaped<std::uint8_t>(broadcast), codes_shaped<std::uint8_t>(broadcast),
                    codes_shaped<std::uint8_t>(broadcast), codes_shaped<std::uint32_t>(broadcast)};
    memory.status = endings.status.mutable_data();
    memory.message = endings.message.mutable_data();
    memory.key = endings.key.mutable_data();
    memory.warnings = endings.warnings.mutable_data();
    {
        py::gil_scoped_release released;
        in_parallel(broadcast.size(), command.rows_per_batch < kRowsPerPiece ? 1 : kRowsPerPiece,
                    [&](std::size_t begin, std::size_t end) { answer_piece(call, broadcast, memory, begin, end); });
    }
    return py::cast(Results(std::string(command.python_name), columns, std::move(endings), words, text_arrays,
                            broadcast.all_scalars()));
}

void define_rows_function(py::module_& module, const commands::Command& command, const std::string& document) {
    using namespace pybind11::literals;
    // The signature in the document's first line is the declaration's, read by inspect and help.
    py::options options;
    options.disable_function_signatures();
    const std::string name(command.python_name);
    if (commands::is_window_command(command)) {
        module.def(
            name.c_str(),
            [&command](const py::args& args, const std::string& units, bool opening_window, const py::object& texts,
                       const py::kwargs& keywords) {
                return rows_over_arrays(command, units, opening_window, texts, args, keywords);
            },
            "units"_a = "microns", "opening_window"_a = false, "texts"_a = false, document.c_str());
        return;
    }
    module.def(
        name.c_str(),
        [&command](const py::args& args, const std::string& units, const py::kwargs& keywords) {
            return rows_over_arrays(command, units, false, py::bool_(false), args, keywords);
        },
        "units"_a = "microns", document.c_str());
}

}  // namespace velmoka::python

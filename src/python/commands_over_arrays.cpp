// velmoka.analysis, solve, synth_pi and synth_t: the window's four commands over arrays of
// designs, each element a fresh calculator with its values typed in and the button pressed once,
// pressed on the calculator core's bulk path with the work spread over every core.

#include "calculator/box_keys.h"
#include "calculator/design.h"
#include "common/in_parallel.h"
#include "python/broadcast.h"
#include "python/column_memory.h"
#include "python/faces.h"
#include "python/numpy_text.h"
#include "python/results.h"
#include "text_rules/messages.h"
#include "text_rules/picture_format.h"
#include "text_rules/trimmed.h"

#include <pybind11/pybind11.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmoka::python {

using namespace pybind11::literals;

namespace {

constexpr std::size_t kRowsPerPiece = 1024;

// The arguments as given: the boxes by key, in the order of the keywords.
struct Arguments {
    std::vector<std::pair<std::string, py::object>> named;
    std::vector<Box> boxes;
};

Arguments boxes_given(const std::string& function, const py::kwargs& keywords) {
    Arguments arguments;
    for (const auto& [keyword, value] : keywords) {
        const std::string key = keyword.cast<std::string>();
        const std::optional<Box> box = box_keyed(key);
        if (!box) {
            throw py::type_error(function + "() got an unexpected keyword argument '" + key +
                                 "'; the boxes are length, w, h, t, er, freq, z0, er_eff, vel, phase, "
                                 "lpi, cpi, lt and ct");
        }
        arguments.named.emplace_back(key, py::reinterpret_borrow<py::object>(value));
        arguments.boxes.push_back(*box);
    }
    return arguments;
}

// The keys whose texts are asked for: none, every one (True), or those listed.
std::vector<const BoxField*> texts_asked(const py::object& texts) {
    std::vector<const BoxField*> fields;
    if (py::isinstance<py::bool_>(texts)) {
        if (texts.cast<bool>()) {
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

// What one element of the arrays is: a design, or a value that cannot be typed.
struct Element {
    Design design;
    std::optional<std::size_t> not_finite;  // the argument whose value is NaN or infinite
};

Element element_at(const Broadcast::Walk& walk, const Arguments& arguments, Command command, Units units) {
    Element element;
    element.design.command = command;
    element.design.units = units;
    for (std::size_t argument = 0; argument < arguments.boxes.size(); ++argument) {
        const double value = walk.value(argument);
        if (!std::isfinite(value)) {
            element.not_finite = argument;
            return element;
        }
        element.design.value(arguments.boxes[argument]) = value;
    }
    return element;
}

// How an element ended, kept in three bytes while the elements are worked out, and written as
// text once the widths its columns need are known.
struct ElementEnding {
    Status status;
    bool error = false;        // a value could not be typed: its box is named, nothing pressed
    std::uint8_t message = 0;  // 1 + the message's place in message::kInPlaceOfValue; 0 for none
    std::uint8_t box = 0;      // 1 + the box; 0 for none
};

constexpr std::string_view kNotFinite = " is not a finite number";

std::string_view status_text(const ElementEnding& ending) {
    return ending.error ? Results::kStatuses.back() : name_of(ending.status);
}

std::string message_text(const ElementEnding& ending) {
    if (ending.error) {
        return std::string(key_of(static_cast<Box>(ending.box - 1))) + std::string(kNotFinite);
    }
    if (ending.message == 0) {
        return {};
    }
    return std::string(trimmed(message::kInPlaceOfValue[ending.message - 1U]));
}

std::string_view box_text(const ElementEnding& ending) {
    return ending.box == 0 ? std::string_view() : key_of(static_cast<Box>(ending.box - 1));
}

// The columns' memory, taken while the GIL is held.
struct Columns {
    std::array<double*, kBoxCount> numbers;  // in the order of kBoxFields
    std::vector<TextColumn> texts;           // in the order asked
    std::span<ElementEnding> endings;
};

void write_element(const Element& element, const Arguments& arguments, Columns& columns,
                   const std::vector<const BoxField*>& texts, std::size_t index) {
    ElementEnding& ending = columns.endings[index];
    if (element.not_finite) {
        for (double* numbers : columns.numbers) {
            numbers[index] = std::numeric_limits<double>::quiet_NaN();
        }
        ending.error = true;
        ending.box = static_cast<std::uint8_t>(1 + index_of(arguments.boxes[*element.not_finite]));
        return;
    }
    const PressedDesign pressed = press_design(element.design);
    for (std::size_t field = 0; field < kBoxFields.size(); ++field) {
        columns.numbers[field][index] = pressed.boxes[kBoxFields[field].box].shown_number();
    }
    std::array<char, kLongestPictureText> text;
    for (std::size_t asked = 0; asked < texts.size(); ++asked) {
        const std::size_t length = pressed.boxes[texts[asked]->box].write_text(text.data());
        columns.texts[asked].write(index, std::string_view(text.data(), length));
    }
    ending.status = pressed.ending.status;
    if (const std::optional<Stop>& message = pressed.ending.message) {
        const auto place =
            std::find(message::kInPlaceOfValue.begin(), message::kInPlaceOfValue.end(), message->message);
        ending.message = static_cast<std::uint8_t>(1 + (place - message::kInPlaceOfValue.begin()));
        ending.box = static_cast<std::uint8_t>(1 + index_of(message->box));
    }
}

// The kinds of endings among the elements, one of each: the widths of the columns come from them.
std::vector<ElementEnding> kinds_of(std::span<const ElementEnding> endings) {
    constexpr std::size_t kMessages = message::kInPlaceOfValue.size() + 1;
    constexpr std::size_t kBoxes = kBoxCount + 1;
    std::vector<bool> seen(2 * Results::kStatuses.size() * kMessages * kBoxes);
    std::vector<ElementEnding> kinds;
    for (const ElementEnding& ending : endings) {
        const std::size_t kind = ((static_cast<std::size_t>(ending.error) * Results::kStatuses.size() +
                                   static_cast<std::size_t>(ending.status)) *
                                      kMessages +
                                  ending.message) *
                                     kBoxes +
                                 ending.box;
        if (!seen[kind]) {
            seen[kind] = true;
            kinds.push_back(ending);
        }
    }
    return kinds;
}

// A text column of one text per element, no wider than its longest text.
template <typename Text>
py::array text_column_of(const Broadcast& broadcast, std::span<const ElementEnding> endings,
                         const std::vector<ElementEnding>& kinds, const Text& text_of) {
    std::size_t width = 0;
    for (const ElementEnding& kind : kinds) {
        width = std::max(width, std::string_view(text_of(kind)).size());
    }
    py::array array = texts_shaped(broadcast.shape(), width);
    const TextColumn column(array);
    py::gil_scoped_release released;
    in_parallel(endings.size(), kRowsPerPiece, [&](std::size_t begin, std::size_t end) {
        for (std::size_t index = begin; index < end; ++index) {
            column.write(index, text_of(endings[index]));
        }
    });
    return array;
}

// The longest text of each box asked for, over every element: the width of its column.
std::vector<std::size_t> longest_texts(const Broadcast& broadcast, const Arguments& arguments, Command command,
                                       Units units, const std::vector<const BoxField*>& texts) {
    std::vector<std::atomic<std::size_t>> longest(texts.size());
    in_parallel(broadcast.size(), kRowsPerPiece, [&](std::size_t begin, std::size_t end) {
        std::vector<std::size_t> piece_longest(texts.size());
        std::array<char, kLongestPictureText> text;
        Broadcast::Walk walk(broadcast, begin);
        for (std::size_t index = begin; index < end; ++index, walk.next()) {
            const Element element = element_at(walk, arguments, command, units);
            if (element.not_finite) {
                continue;
            }
            const PressedDesign pressed = press_design(element.design);
            for (std::size_t asked = 0; asked < texts.size(); ++asked) {
                piece_longest[asked] =
                    std::max(piece_longest[asked], pressed.boxes[texts[asked]->box].write_text(text.data()));
            }
        }
        for (std::size_t asked = 0; asked < texts.size(); ++asked) {
            std::size_t seen = longest[asked];
            while (seen < piece_longest[asked] && !longest[asked].compare_exchange_weak(seen, piece_longest[asked])) {
            }
        }
    });
    return {longest.begin(), longest.end()};
}

py::object press_over_arrays(Command command, const std::string& function, const std::string& units_name,
                             const py::object& texts_wanted, const py::kwargs& keywords) {
    const Units units = units_called(units_name);
    const Arguments arguments = boxes_given(function, keywords);
    const std::vector<const BoxField*> texts = texts_asked(texts_wanted);
    const Broadcast broadcast(arguments.named);

    std::vector<std::size_t> text_widths;
    if (!texts.empty()) {
        py::gil_scoped_release released;
        text_widths = longest_texts(broadcast, arguments, command, units, texts);
    }
    py::dict columns;
    Columns memory;
    const ColumnMemory endings(broadcast.size() * sizeof(ElementEnding));
    memory.endings = {static_cast<ElementEnding*>(endings.data()), broadcast.size()};
    std::uninitialized_value_construct(memory.endings.begin(), memory.endings.end());
    for (std::size_t field = 0; field < kBoxFields.size(); ++field) {
        py::array_t<double> numbers = doubles_shaped(broadcast);
        memory.numbers[field] = numbers.mutable_data();
        columns[std::string(kBoxFields[field].key).c_str()] = numbers;
    }
    py::dict text_arrays;
    for (std::size_t asked = 0; asked < texts.size(); ++asked) {
        py::array array = texts_shaped(broadcast.shape(), text_widths[asked]);
        memory.texts.emplace_back(array);
        text_arrays[std::string(texts[asked]->key).c_str()] = array;
    }
    {
        py::gil_scoped_release released;
        in_parallel(broadcast.size(), kRowsPerPiece, [&](std::size_t begin, std::size_t end) {
            Broadcast::Walk walk(broadcast, begin);
            for (std::size_t index = begin; index < end; ++index, walk.next()) {
                write_element(element_at(walk, arguments, command, units), arguments, memory, texts, index);
            }
        });
    }
    const std::vector<ElementEnding> kinds = kinds_of(memory.endings);
    columns["status"] = text_column_of(broadcast, memory.endings, kinds, status_text);
    columns["message"] = text_column_of(broadcast, memory.endings, kinds, message_text);
    columns["box"] = text_column_of(broadcast, memory.endings, kinds, box_text);
    std::array<std::size_t, Results::kStatuses.size()> counts{};
    for (const ElementEnding& ending : memory.endings) {
        ++counts[ending.error ? counts.size() - 1 : static_cast<std::size_t>(ending.status)];
    }
    return py::cast(Results(function, columns, text_arrays, broadcast.all_scalars(), counts));
}

// The parameters, returns and errors shared by the four functions' documents.
constexpr const char* kCommandParameters = R"(

Parameters
----------
**boxes : float or array_like
    Values typed into the boxes of a fresh window, by key: ``length``, ``w``, ``h``, ``t``,
    ``er``, ``freq``, ``z0``, ``er_eff``, ``vel``, ``phase``, ``lpi``, ``cpi``, ``lt``, ``ct``
    (dimensions in the unit chosen, frequency in GHz, impedance in ohms, inductance in nH,
    capacitance in pF, phase in degrees). Each is a number or an array-like of real numbers;
    they broadcast together under numpy's rules. A box not given keeps the window's opening
    text. Each value is typed as its shortest decimal text, as velmoka-cli types its values,
    and the impedance entry check runs on ``z0``. An element whose value is NaN or infinite
    is not pressed: its status is ``'error'``.
units : {'microns', 'mils'}, optional
    The unit of the dimension boxes (``length``, ``w``, ``h``, ``t``); ``'microns'`` as the
    window opens.
texts : bool or list of str, optional
    Also give the boxes' texts exactly as the window shows them: ``True`` for every box, or a
    list of keys. Off by default, since a million texts cost more than a million numbers.

Returns
-------
Results
    Per box key a float64 array of what the box shows as a number (NaN where it shows a
    message); per element its ``status`` (``'ok'``, ``'incomplete'``, ``'stopped'`` or
    ``'error'``), ``message`` and ``box``; ``texts`` where asked. ``to_dict()`` and
    ``to_structured()`` convert it.

Raises
------
TypeError
    For a keyword that is no box key, or a value that is not real numbers (complex numbers,
    text, objects).
ValueError
    For shapes that do not broadcast together, or units other than microns and mils.

Examples
--------
)";

}  // namespace

void add_commands_over_arrays(py::module_& module) {
    struct CommandFunction {
        Command command;
        const char* summary;
        const char* examples;
    };
    const std::array<CommandFunction, 4> functions = {{
        {Command::analysis,
         "Analysis over arrays: from the geometry to the impedance, effective dielectric constant,\n"
         "velocity, phase length and the lumped pi and T networks, as the window's \"Analysis\" shows them.",
         ">>> r = velmoka.analysis(units='mils', w=[10, 15, 20], h=8, t=1.4, er=4.3)\n"
         ">>> r.z0\narray([60.4 , 48.83, 41.16])\n>>> r.status\narray(['ok', 'ok', 'ok'], dtype='<U2')"},
        {Command::synthesis,
         "Solve Microstrip over arrays: the strip width for each wanted impedance, with the\n"
         "effective dielectric constant, velocity and physical length, as the window shows them.",
         ">>> r = velmoka.solve(units='mils', z0=[50, 75], h=8, t=1.4, er=4.3)\n>>> r.w\narray([14.38,  6.09])"},
        {Command::synthpi,
         "Synth.Pi over arrays: the line section whose pi network has the series inductance lpi\n"
         "(nH), with its width, lengths and the other elements of both networks.",
         ">>> r = velmoka.synth_pi(lpi=5, z0=50)\n>>> float(r.cpi), float(r.lt), float(r.ct)\n"
         "(1.1249, 2.8122, 2.0)"},
        {Command::syntht,
         "Synth. T over arrays: the line section whose T network has the shunt capacitance ct\n"
         "(pF), with its width, lengths and the other elements of both networks.",
         ">>> r = velmoka.synth_t(units='mils', er_eff=9.354, z0=139.28)\n>>> str(r.status), str(r.message), "
         "str(r.box)\n('incomplete', 'Too Small', 'w')"},
    }};
    for (const CommandFunction& function : functions) {
        const std::string name(python_name_of(function.command));
        module.def(
            name.c_str(),
            [command = function.command, name](const std::string& units, const py::object& texts,
                                               const py::kwargs& boxes) {
                return press_over_arrays(command, name, units, texts, boxes);
            },
            py::kw_only(), "units"_a = "microns", "texts"_a = false,
            (std::string(function.summary) + kCommandParameters + function.examples + "\n").c_str());
    }
}

}  // namespace velmoka::python

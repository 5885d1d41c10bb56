// The calculator core as the web page calls it, through a C interface of the WebAssembly module:
// boxes, commands and units named as the window names its controls, given as UTF-16 texts in
// buffers the module keeps for its caller (velmoka_argument). Each call leaves its answer in one
// reply, JSON in ASCII (velmoka_reply), and returns the reply's length: an edit's or a press's
// outcome as an object, a text or name as a string, null for a name the core does not know.
// Only conversions live here; velmoka_core.js calls it.

#include "calculator/box_keys.h"
#include "calculator/calculator.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace {

using velmoka::Box;
using velmoka::Calculator;

std::array<std::u16string, 2> arguments;
std::string reply;

// The core's names are ASCII: a text with any other letter names nothing.
std::optional<std::string> ascii(const char16_t* name, std::size_t length) {
    std::string text(length, '\0');
    for (std::size_t at = 0; at < length; ++at) {
        if (name[at] > 0x7F) {
            return std::nullopt;
        }
        text[at] = static_cast<char>(name[at]);
    }
    return text;
}

template <typename Thing>
std::optional<Thing> named(std::optional<Thing> (*find)(std::string_view), const char16_t* name, std::size_t length) {
    const std::optional<std::string> text = ascii(name, length);
    return text ? find(*text) : std::nullopt;
}

// A text as a JSON string in ASCII: every code unit outside printable ASCII escaped, a lone
// surrogate too.
template <typename Unit>
void add_string(std::basic_string_view<Unit> text) {
    static constexpr std::string_view kHex = "0123456789abcdef";
    reply += '"';
    for (const Unit letter : text) {
        const auto unit = static_cast<unsigned>(static_cast<std::make_unsigned_t<Unit>>(letter));
        if (unit >= 0x20 && unit < 0x7F && unit != '"' && unit != '\\') {
            reply += static_cast<char>(unit);
        } else {
            reply += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) {
                reply += kHex[(unit >> shift) & 0xF];
            }
        }
    }
    reply += '"';
}

void add_name_or_null(std::optional<std::string_view> name) {
    if (name) {
        add_string(*name);
    } else {
        reply += "null";
    }
}

void add_bool(bool value) {
    reply += value ? "true" : "false";
}

std::size_t answer_null() {
    reply = "null";
    return reply.size();
}

// { writes: [{ box, text, changed, byEntryCheck }], selectImpedance, status, message, messageBox }
std::size_t answer(const velmoka::Outcome& outcome) {
    reply = "{\"writes\":[";
    for (const velmoka::Write& write : outcome.writes) {
        reply += &write == outcome.writes.data() ? "{\"box\":" : ",{\"box\":";
        add_string(velmoka::name_of(write.box));
        reply += ",\"text\":";
        add_string(std::u16string_view(write.text));
        reply += ",\"changed\":";
        add_bool(write.changed);
        reply += ",\"byEntryCheck\":";
        add_bool(write.by_entry_check);
        reply += '}';
    }
    const std::optional<velmoka::Stop>& message = outcome.ending.message;
    reply += "],\"selectImpedance\":";
    add_bool(outcome.select_impedance());
    reply += ",\"status\":";
    add_string(velmoka::name_of(outcome.ending.status));
    reply += ",\"message\":";
    add_name_or_null(message ? std::optional(message->message) : std::nullopt);
    reply += ",\"messageBox\":";
    add_name_or_null(message ? std::optional(velmoka::name_of(message->box)) : std::nullopt);
    reply += '}';
    return reply.size();
}

template <typename Unit>
std::size_t answer_string(std::basic_string_view<Unit> text) {
    reply.clear();
    add_string(text);
    return reply.size();
}

}  // namespace

extern "C" {

// A buffer of length UTF-16 code units for the caller's argument 0 or 1, valid until the next
// call for the same argument.
EMSCRIPTEN_KEEPALIVE char16_t* velmoka_argument(int which, std::size_t length) {
    std::u16string& argument = arguments[static_cast<std::size_t>(which)];
    argument.resize(length);
    return argument.data();
}

// The last call's answer, as many bytes as it returned.
EMSCRIPTEN_KEEPALIVE const char* velmoka_reply() {
    return reply.data();
}

// A calculator as the window opens, until deleted.
EMSCRIPTEN_KEEPALIVE Calculator* velmoka_new() {
    return new Calculator;
}

EMSCRIPTEN_KEEPALIVE void velmoka_delete(Calculator* calculator) {
    delete calculator;
}

EMSCRIPTEN_KEEPALIVE std::size_t velmoka_edit(Calculator* calculator, const char16_t* box, std::size_t box_length,
                                              const char16_t* text, std::size_t text_length) {
    const std::optional<Box> named_box = named(velmoka::box_named, box, box_length);
    return named_box ? answer(calculator->edit(*named_box, std::u16string_view(text, text_length))) : answer_null();
}

EMSCRIPTEN_KEEPALIVE std::size_t velmoka_press(Calculator* calculator, const char16_t* command, std::size_t length) {
    const std::optional<velmoka::Command> named_command = named(velmoka::command_named, command, length);
    return named_command ? answer(calculator->press(*named_command)) : answer_null();
}

// true where units names microns or mils, which then become the calculator's units; else false.
EMSCRIPTEN_KEEPALIVE std::size_t velmoka_set_units(Calculator* calculator, const char16_t* units, std::size_t length) {
    const std::optional<velmoka::Units> named_units = named(velmoka::units_named, units, length);
    if (named_units) {
        calculator->set_units(*named_units);
    }
    reply.clear();
    add_bool(named_units.has_value());
    return reply.size();
}

EMSCRIPTEN_KEEPALIVE std::size_t velmoka_units(const Calculator* calculator) {
    return answer_string(velmoka::name_of(calculator->units()));
}

EMSCRIPTEN_KEEPALIVE std::size_t velmoka_text(const Calculator* calculator, const char16_t* box, std::size_t length) {
    const std::optional<Box> named_box = named(velmoka::box_named, box, length);
    return named_box ? answer_string(std::u16string_view(calculator->text(*named_box))) : answer_null();
}

// The box a key of velmoka-cli names (length, w, er_eff or er-eff, ...), by its control's name.
EMSCRIPTEN_KEEPALIVE std::size_t velmoka_box_keyed(const char16_t* key, std::size_t length) {
    std::optional<std::string> text = ascii(key, length);
    if (text) {
        std::replace(text->begin(), text->end(), '-', '_');
    }
    const std::optional<Box> box = text ? velmoka::box_keyed(*text) : std::nullopt;
    return box ? answer_string(velmoka::name_of(*box)) : answer_null();
}

// velmoka-cli's keys of the fourteen boxes, in the order it lists them, as an array.
EMSCRIPTEN_KEEPALIVE std::size_t velmoka_box_keys() {
    reply = "[";
    for (const velmoka::BoxField& field : velmoka::kBoxFields) {
        reply += &field == velmoka::kBoxFields.data() ? "" : ",";
        add_string(field.key);
    }
    reply += ']';
    return reply.size();
}
}

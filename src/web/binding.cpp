// The calculator core as the web page calls it, through embind: boxes, commands and units named
// as the window names its controls, texts as JavaScript strings (UTF-16, as the core keeps
// them), and an edit's or a press's outcome as a plain object. Only conversions live here.

#include "calculator/box_keys.h"
#include "calculator/calculator.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace {

using emscripten::val;
using velmoka::Box;

val name_or_null(std::optional<std::string_view> name) {
    return name ? val(std::string(*name)) : val::null();
}

// { writes: [{ box, text, changed, byEntryCheck }], selectImpedance, status, message, messageBox }
val outcome_object(const velmoka::Outcome& outcome) {
    val writes = val::array();
    for (const velmoka::Write& write : outcome.writes) {
        val shown = val::object();
        shown.set("box", std::string(velmoka::name_of(write.box)));
        shown.set("text", write.text);
        shown.set("changed", write.changed);
        shown.set("byEntryCheck", write.by_entry_check);
        writes.call<void>("push", shown);
    }
    const std::optional<velmoka::Stop>& message = outcome.ending.message;
    val object = val::object();
    object.set("writes", writes);
    object.set("selectImpedance", outcome.select_impedance());
    object.set("status", std::string(velmoka::name_of(outcome.ending.status)));
    object.set("message", name_or_null(message ? std::optional(message->message) : std::nullopt));
    object.set("messageBox", name_or_null(message ? std::optional(velmoka::name_of(message->box)) : std::nullopt));
    return object;
}

// A calculator whose boxes, commands and units are named by strings; a name it does not know
// changes nothing and answers null.
class NamedCalculator {
public:
    val edit(const std::string& box, const std::u16string& text) {
        const std::optional<Box> named = velmoka::box_named(box);
        return named ? outcome_object(core_.edit(*named, text)) : val::null();
    }

    val press(const std::string& command) {
        const std::optional<velmoka::Command> named = velmoka::command_named(command);
        return named ? outcome_object(core_.press(*named)) : val::null();
    }

    // Whether units names microns or mils, which then become the calculator's units.
    bool setUnits(const std::string& units) {
        const std::optional<velmoka::Units> named = velmoka::units_named(units);
        if (named) {
            core_.set_units(*named);
        }
        return named.has_value();
    }

    std::string units() const { return std::string(velmoka::name_of(core_.units())); }

    val text(const std::string& box) const {
        const std::optional<Box> named = velmoka::box_named(box);
        return named ? val(core_.text(*named)) : val::null();
    }

private:
    velmoka::Calculator core_;
};

// The box a key of velmoka-cli names (length, w, er_eff or er-eff, ...), by its control's name;
// null for any other text.
val boxKeyed(std::string key) {
    std::replace(key.begin(), key.end(), '-', '_');
    const std::optional<Box> box = velmoka::box_keyed(key);
    return name_or_null(box ? std::optional(velmoka::name_of(*box)) : std::nullopt);
}

// velmoka-cli's keys of the fourteen boxes, in the order it lists them.
val boxKeys() {
    val keys = val::array();
    for (const velmoka::BoxField& field : velmoka::kBoxFields) {
        keys.call<void>("push", std::string(field.key));
    }
    return keys;
}

}  // namespace

EMSCRIPTEN_BINDINGS(velmoka) {
    emscripten::class_<NamedCalculator>("Calculator")
        .constructor<>()
        .function("edit", &NamedCalculator::edit)
        .function("press", &NamedCalculator::press)
        .function("setUnits", &NamedCalculator::setUnits)
        .function("units", &NamedCalculator::units)
        .function("text", &NamedCalculator::text);
    emscripten::function("boxKeyed", &boxKeyed);
    emscripten::function("boxKeys", &boxKeys);
}

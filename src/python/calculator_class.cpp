// velmoka.Calculator: the window's calculator, one edit and one press at a time, the same core
// the window shows, with its boxes named by the keys of velmoka-cli.

#include "calculator/box_keys.h"
#include "calculator/calculator.h"
#include "python/faces.h"
#include "text_rules/trimmed.h"

#include <pybind11/stl.h>

#include <optional>
#include <string>

namespace velmoka::python {

using namespace pybind11::literals;

namespace {

Box box_of_key(const std::string& key) {
    if (const std::optional<Box> box = box_keyed(key)) {
        return *box;
    }
    throw py::key_error("no box '" + key +
                        "': the boxes are length, w, h, t, er, freq, z0, er_eff, vel, phase, lpi, cpi, lt and ct");
}

std::string ascii(std::string_view text) {
    return std::string(text);
}

// What an edit or a press did, for Python: the writes in order and how the press ended.
struct Done {
    struct Written {
        std::string key;
        std::u16string text;
        bool changed;
        bool by_entry_check;
    };
    std::vector<Written> writes;
    std::string status;
    std::optional<std::string> message;
    std::optional<std::string> box;
    bool select_impedance;
};

Done done(const Outcome& outcome) {
    Done done{{}, ascii(name_of(outcome.ending.status)), std::nullopt, std::nullopt, outcome.select_impedance()};
    for (const Write& write : outcome.writes) {
        done.writes.push_back({ascii(key_of(write.box)), write.text, write.changed, write.by_entry_check});
    }
    if (const std::optional<Stop>& message = outcome.ending.message) {
        done.message = ascii(trimmed(message->message));
        done.box = ascii(key_of(message->box));
    }
    return done;
}

}  // namespace

void add_calculator(py::module_& module) {
    py::class_<Done::Written>(module, "Write", "One text the calculator wrote into a box.")
        .def_readonly("key", &Done::Written::key, "The box's key.")
        .def_readonly("text", &Done::Written::text, "The text written, exactly as the box shows it.")
        .def_readonly("changed", &Done::Written::changed,
                      "Whether the box held another text; writing the text a box holds is no change.")
        .def_readonly("by_entry_check", &Done::Written::by_entry_check,
                      "Whether the impedance entry check wrote it (' Invalid Z0').")
        .def("__repr__", [](const Done::Written& write) {
            return "Write(" + write.key + ", " + py::repr(py::cast(write.text)).cast<std::string>() +
                   (write.by_entry_check ? ", by the entry check" : "") + (write.changed ? "" : ", no change") + ")";
        });

    py::class_<Done>(module, "Outcome", "What one edit or one press did.")
        .def_readonly("writes", &Done::writes,
                      "The texts written, in the order written, the entry check's nested in them.")
        .def_readonly("status", &Done::status,
                      "'ok', 'incomplete' or 'stopped', as the functions over arrays and velmoka-cli say; "
                      "'ok' after an edit.")
        .def_readonly("message", &Done::message,
                      "The message the press stopped at, or that it left in place of a result; None when ok.")
        .def_readonly("box", &Done::box, "The key of the message's box; None when ok.")
        .def_readonly("select_impedance", &Done::select_impedance,
                      "Whether a window selects z0's text now, so that the next key replaces ' Invalid Z0'.")
        .def("__repr__", [](const Done& done) {
            return "Outcome(" + done.status + (done.message ? ", " + *done.message + " in " + *done.box : "") + ", " +
                   std::to_string(done.writes.size()) + " writes)";
        });

    py::class_<Calculator>(module, "Calculator", R"(The window's calculator without its window.

Its fourteen boxes hold texts, read and written by key (``length``, ``w``, ``h``, ``t``,
``er``, ``freq``, ``z0``, ``er_eff``, ``vel``, ``phase``, ``lpi``, ``cpi``, ``lt``, ``ct``);
they open with the window's texts, blanks included. Setting a box is an edit as typing is, so
the impedance entry check runs on ``z0``. ``press`` runs a command as its button does.

Parameters
----------
units : {'microns', 'mils'}, optional
    The unit of the dimension boxes, ``'microns'`` as the window opens.

Examples
--------
>>> c = velmoka.Calculator()
>>> c['z0']
' 50.0'
>>> c.press('analysis').status
'ok'
>>> c['z0'], c['er_eff']
('  49.89', '  8.013')
>>> c['z0'] = '200'
>>> c['z0']
' Invalid Z0'
)")
        .def(py::init([](const std::string& units) {
                 Calculator calculator;
                 calculator.set_units(units_called(units));
                 return calculator;
             }),
             py::kw_only(), "units"_a = "microns")
        .def("__getitem__",
             [](const Calculator& calculator, const std::string& key) { return calculator.text(box_of_key(key)); })
        .def("__setitem__", [](Calculator& calculator, const std::string& key,
                               const std::u16string& text) { calculator.edit(box_of_key(key), text); })
        .def(
            "edit",
            [](Calculator& calculator, const std::string& key, const std::u16string& text) {
                return done(calculator.edit(box_of_key(key), text));
            },
            "key"_a, "text"_a,
            "Replaces the whole text of a box, as a paste over its text does, and returns what the edit "
            "did: on ``z0`` the entry check's writes.")
        .def(
            "press",
            [](Calculator& calculator, const std::string& command) {
                return done(calculator.press(command_called(command)));
            },
            "command"_a,
            "Presses a command's button: ``'analysis'``, ``'solve'``, ``'synth_pi'`` or ``'synth_t'``. "
            "Returns what the press did: its writes in order, its status, message and box.")
        .def_property(
            "units", [](const Calculator& calculator) { return ascii(name_of(calculator.units())); },
            [](Calculator& calculator, const std::string& units) { calculator.set_units(units_called(units)); },
            "The unit of the dimension boxes, 'microns' or 'mils'. Changing it converts nothing: the next "
            "command reads the boxes in the new unit.")
        .def(
            "texts",
            [](const Calculator& calculator) {
                py::dict texts;
                for (const BoxField& field : kBoxFields) {
                    texts[py::str(ascii(field.key))] = calculator.text(field.box);
                }
                return texts;
            },
            "Every box's text by key, in the order velmoka-cli lists them.")
        .def("__repr__", [](const Calculator& calculator) {
            return "velmoka.Calculator(units='" + ascii(name_of(calculator.units())) + "')";
        });
}

}  // namespace velmoka::python

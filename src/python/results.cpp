#include "python/results.h"

#include "python/broadcast.h"

#include <pybind11/stl.h>

namespace velmoka::python {

using namespace pybind11::literals;

Results::Results(std::string command, py::dict columns, py::dict texts, bool scalar,
                 std::array<std::size_t, kStatuses.size()> counts)
    : command_(std::move(command)),
      columns_(std::move(columns)),
      texts_(std::move(texts)),
      scalar_(scalar),
      counts_(counts) {}

py::object Results::column(const std::string& key) const {
    if (!columns_.contains(key)) {
        throw py::key_error(key);
    }
    return as_given(scalar_, columns_[key.c_str()]);
}

py::dict Results::texts() const {
    py::dict texts;
    for (const auto& [key, array] : texts_) {
        texts[key] = as_given(scalar_, array);
    }
    return texts;
}

py::dict Results::to_dict() const {
    py::dict columns;
    for (const auto& [key, array] : columns_) {
        columns[key] = as_given(scalar_, array);
    }
    return columns;
}

// One record per element: a field for each column, the texts asked for as text_<key>.
py::array Results::to_structured() const {
    py::list fields;
    py::list sources;
    for (const auto& [key, array] : columns_) {
        fields.append(py::make_tuple(key, array.attr("dtype")));
        sources.append(array);
    }
    for (const auto& [key, array] : texts_) {
        fields.append(py::make_tuple("text_" + key.cast<std::string>(), array.attr("dtype")));
        sources.append(array);
    }
    const py::object shape = columns_["status"].attr("shape");
    py::array records = py::module_::import("numpy").attr("empty")(shape, "dtype"_a = fields);
    for (std::size_t field = 0; field < py::len(fields); ++field) {
        records[fields[field].cast<py::tuple>()[0]] = sources[field];
    }
    return scalar_ ? py::array(records[py::tuple()]) : records;
}

std::string Results::repr() const {
    std::string shown =
        "velmoka.Results(" + command_ + ", shape " + py::repr(columns_["status"].attr("shape")).cast<std::string>();
    for (std::size_t status = 0; status < kStatuses.size(); ++status) {
        if (counts_[status] != 0) {
            shown += ", " + std::to_string(counts_[status]) + " " + kStatuses[status];
        }
    }
    return shown + ")";
}

void add_results(py::module_& module) {
    py::class_<Results>(module, "Results", R"(What a command over arrays gives back.

Each box key (``length``, ``w``, ``h``, ``t``, ``er``, ``freq``, ``z0``, ``er_eff``, ``vel``,
``phase``, ``lpi``, ``cpi``, ``lt``, ``ct``) is an attribute and an item: a float64 array of
the number the box shows after the press, as its picture rounds it (``z0`` shows 49.89), or NaN
where the box shows a message. ``status``, ``message`` and ``box`` are text arrays:

- ``'ok'``: the command ran to its end and every box shows a number;
- ``'incomplete'``: it ran to its end, but a box shows a message in place of a result (the width
  synthesis of ``synth_pi`` or ``synth_t`` stopped, or a result could not be shown, such as the
  elements at a frequency of 0); ``message`` and ``box`` say which;
- ``'stopped'``: it ended at one of its messages, named with its box;
- ``'error'``: a value given for the element is NaN or infinite, so it could not be typed; nothing
  was pressed, every number is NaN, and ``message`` names the key.

Every column has the broadcast shape of the arguments; when every argument was a number, each
column reads as a numpy scalar.)")
        .def(
            "__getattr__",
            [](const Results& results, const std::string& key) {
                try {
                    return results.column(key);
                } catch (const py::key_error&) {
                    throw py::attribute_error("velmoka.Results has no column '" + key + "'");
                }
            },
            "key"_a)
        .def("__getitem__", &Results::column, "key"_a)
        .def("keys", &Results::keys, "The keys of the columns: the box keys, then status, message and box.")
        .def_property_readonly("texts", &Results::texts,
                               "The texts of the boxes asked for with ``texts=``, exactly as the window "
                               "shows them (leading blanks included), as arrays of fixed-width text.")
        .def("to_dict", &Results::to_dict, "A dict of the columns, each a numpy array (or a scalar).")
        .def("to_structured", &Results::to_structured,
             "A numpy structured array: one record per element, a field per column, and the texts "
             "asked for as fields ``text_<key>``.")
        .def("__repr__", &Results::repr);
}

}  // namespace velmoka::python

#include "python/results.h"

#include "common/in_parallel.h"
#include "maths/section_s_parameters.h"
#include "python/numpy_text.h"

#include <pybind11/complex.h>
#include <pybind11/stl.h>

#include <cmath>
#include <complex>

#include <algorithm>

namespace velmoka::python {

using namespace pybind11::literals;

namespace {

constexpr std::size_t kElementsPerPiece = 4096;
constexpr std::string_view kWarningsJoint = "; ";

enum VerdictKey : std::size_t { status_key, message_key, box_key, warnings_key };

py::array as_array(const py::handle& indexed) {
    return py::module_::import("numpy").attr("asarray")(indexed);
}

}  // namespace

Results::Results(std::string command, py::dict columns, Endings endings, std::shared_ptr<const Vocabulary> vocabulary,
                 py::dict texts, bool scalar)
    : command_(std::move(command)),
      columns_(std::move(columns)),
      endings_(std::move(endings)),
      vocabulary_(std::move(vocabulary)),
      texts_(std::move(texts)),
      scalar_(scalar) {}

py::object Results::as_given(const py::handle& array) const {
    if (scalar_) {
        return array[py::tuple()];
    }
    return py::reinterpret_borrow<py::object>(array);
}

py::array Results::verdict_words(std::size_t verdict_key) const {
    const Vocabulary& words = *vocabulary_;
    const auto size = static_cast<std::size_t>(endings_.status.size());
    const std::uint8_t* status = endings_.status.data();
    const std::uint8_t* message = endings_.message.data();
    const std::uint8_t* key = endings_.key.data();
    const std::uint32_t* warnings = endings_.warnings.data();
    // The words of every code an element may have, worked out once: a message read after its
    // key is one text for each key.
    std::vector<std::string> messages((words.messages.size() + 1) * (words.keys.size() + 1));
    for (std::size_t m = 1; m <= words.messages.size(); ++m) {
        for (std::size_t k = 0; k <= words.keys.size(); ++k) {
            const Vocabulary::Message& said = words.messages[m - 1];
            messages[m * (words.keys.size() + 1) + k] =
                said.after_key && k > 0 ? words.keys[k - 1] + " " + said.text : said.text;
        }
    }
    std::vector<std::string> warning_words;
    for (std::uint32_t bits = 0; bits < (1U << words.warnings.size()); ++bits) {
        std::string joined;
        for (std::size_t bit = 0; bit < words.warnings.size(); ++bit) {
            if ((bits >> bit & 1U) != 0) {
                joined += (joined.empty() ? "" : std::string(kWarningsJoint)) + words.warnings[bit];
            }
        }
        warning_words.push_back(joined);
    }
    const auto word = [&](std::size_t index) -> std::string_view {
        switch (verdict_key) {
            case status_key:
                return name_of(static_cast<Status>(status[index]));
            case message_key:
                return messages[message[index] * (words.keys.size() + 1) + key[index]];
            case box_key:
                return key[index] == 0 ? std::string_view() : std::string_view(words.keys[key[index] - 1U]);
            default:
                return warning_words[warnings[index]];
        }
    };
    std::size_t width = 0;
    for (std::size_t index = 0; index < size; ++index) {
        width = std::max(width, word(index).size());
    }
    py::array array = texts_shaped({endings_.status.shape(), endings_.status.shape() + endings_.status.ndim()}, width);
    const TextColumn column(array);
    {
        py::gil_scoped_release released;
        in_parallel(size, kElementsPerPiece, [&](std::size_t begin, std::size_t end) {
            for (std::size_t index = begin; index < end; ++index) {
                column.write(index, word(index));
            }
        });
    }
    return array;
}

py::object Results::column(const std::string& key) const {
    for (std::size_t verdict_key = 0; verdict_key < kVerdictKeys.size(); ++verdict_key) {
        if (key == kVerdictKeys[verdict_key]) {
            return as_given(verdict_words(verdict_key));
        }
    }
    if (!columns_.contains(key)) {
        throw py::key_error(key);
    }
    return as_given(columns_[key.c_str()]);
}

py::list Results::keys() const {
    py::list keys(columns_.attr("keys")());
    for (const char* key : kVerdictKeys) {
        keys.append(key);
    }
    return keys;
}

py::dict Results::texts() const {
    py::dict texts;
    for (const auto& [key, array] : texts_) {
        texts[key] = as_given(array);
    }
    return texts;
}

py::dict Results::to_dict() const {
    py::dict columns;
    for (const py::handle key : keys()) {
        columns[key] = column(key.cast<std::string>());
    }
    return columns;
}

// One record per element: a field for each column and each verdict key, the texts asked for as
// text_<key>.
py::array Results::to_structured() const {
    py::list fields;
    py::list sources;
    for (const auto& [key, array] : columns_) {
        fields.append(py::make_tuple(key, array.attr("dtype")));
        sources.append(array);
    }
    for (std::size_t verdict_key = 0; verdict_key < kVerdictKeys.size(); ++verdict_key) {
        const py::array words = verdict_words(verdict_key);
        fields.append(py::make_tuple(kVerdictKeys[verdict_key], words.attr("dtype")));
        sources.append(words);
    }
    for (const auto& [key, array] : texts_) {
        fields.append(py::make_tuple("text_" + key.cast<std::string>(), array.attr("dtype")));
        sources.append(array);
    }
    py::array records = py::module_::import("numpy").attr("empty")(shape(), "dtype"_a = fields);
    for (std::size_t field = 0; field < py::len(fields); ++field) {
        records[fields[field].cast<py::tuple>()[0]] = sources[field];
    }
    return scalar_ ? py::array(records[py::tuple()]) : records;
}

std::size_t Results::length() const {
    if (endings_.status.ndim() == 0) {
        throw py::type_error("len() of a velmoka.Results of single values");
    }
    return static_cast<std::size_t>(endings_.status.shape(0));
}

Results Results::indexed(const py::object& index) const {
    py::dict columns;
    for (const auto& [key, array] : columns_) {
        columns[key] = as_array(array[index]);
    }
    py::dict texts;
    for (const auto& [key, array] : texts_) {
        texts[key] = as_array(array[index]);
    }
    Endings endings{as_array(endings_.status[index]), as_array(endings_.message[index]), as_array(endings_.key[index]),
                    as_array(endings_.warnings[index])};
    const bool scalar = endings.status.ndim() == 0;
    return Results(command_, columns, std::move(endings), vocabulary_, texts, scalar);
}

py::object Results::network() const {
    for (const char* key : {"freq", "s11_db", "s11_deg", "s21_db", "s21_deg", "z_ref"}) {
        if (!columns_.contains(key)) {
            throw py::type_error("network(): velmoka.Results of " + command_ + " has no S-parameters");
        }
    }
    const py::module_ numpy = py::module_::import("numpy");
    const auto column = [&](const char* key) -> py::array_t<double> { return numpy.attr("ravel")(columns_[key]); };
    const py::array_t<double> frequency = column("freq");
    const py::array_t<double> s11_db = column("s11_db");
    const py::array_t<double> s11_deg = column("s11_deg");
    const py::array_t<double> s21_db = column("s21_db");
    const py::array_t<double> s21_deg = column("s21_deg");
    const py::array_t<double> z_ref = column("z_ref");
    if (endings_.status.ndim() > 1) {
        throw py::value_error("network(): one section over frequencies, not of shape " +
                              py::repr(shape()).cast<std::string>());
    }
    const auto n = static_cast<std::size_t>(frequency.size());
    py::array_t<std::complex<double>> s({static_cast<py::ssize_t>(n), py::ssize_t{2}, py::ssize_t{2}});
    auto out = s.mutable_unchecked<3>();
    constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::complex<double> s11 =
            std::polar(std::pow(10.0, s11_db.at(i) / 20.0), s11_deg.at(i) * kRadiansPerDegree);
        const std::complex<double> s21 =
            std::polar(std::pow(10.0, s21_db.at(i) / 20.0), s21_deg.at(i) * kRadiansPerDegree);
        if (!std::isfinite(std::abs(s11)) || !std::isfinite(std::abs(s21)) || z_ref.at(i) != z_ref.at(0)) {
            throw py::value_error(
                "network(): every element needs its S-parameters at one z_ref: give a length, "
                "and see each element's status");
        }
        out(i, 0, 0) = out(i, 1, 1) = s11;
        out(i, 0, 1) = out(i, 1, 0) = s21;
    }
    const py::module_ skrf = py::module_::import("skrf");
    return skrf.attr("Network")("frequency"_a = skrf.attr("Frequency").attr("from_f")(frequency, "unit"_a = "ghz"),
                                "s"_a = s, "z0"_a = n == 0 ? kReferenceImpedance : z_ref.at(0));
}

std::string Results::repr() const {
    std::array<std::size_t, kStatusNames.size()> counts{};
    const std::uint8_t* status = endings_.status.data();
    for (py::ssize_t index = 0; index < endings_.status.size(); ++index) {
        ++counts[status[index]];
    }
    std::string shown = "velmoka.Results(" + command_ + ", shape " + py::repr(shape()).cast<std::string>();
    for (std::size_t code = 0; code < counts.size(); ++code) {
        if (counts[code] != 0) {
            shown += ", " + std::to_string(counts[code]) + " " + std::string(kStatusNames[code]);
        }
    }
    return shown + ")";
}

void add_results(py::module_& module) {
    py::class_<Results>(module, "Results", R"(What a command over arrays gives back.

Each key of the command's rows (for the window's commands the boxes ``length``, ``w``, ``h``,
``t``, ``er``, ``freq``, ``z0``, ``er_eff``, ``vel``, ``phase``, ``lpi``, ``cpi``, ``lt``, ``ct``)
is an attribute and an item: a float64 array of each element's result where the command gave one
(as the window's picture rounds it: ``z0`` shows 49.89), else the value given, else NaN. A
result the command did not give (it stopped first, or it needs a value not given) is NaN, never a
value left from before. Each element's verdict:

- ``status``: ``'ok'`` where every result is given; ``'incomplete'`` where the command ran to its
  end but a result could not be given (the width synthesis of ``synth_pi`` or ``synth_t``
  stopped, or the elements at a frequency of 0); ``'stopped'`` where it ended at its message;
  ``'error'`` where a value given is NaN, infinite or out of its range, so nothing was worked out.
- ``message`` and ``box``: the message and the key of the box or parameter it concerns.
- ``warnings``: what the command repaired or where a formula was used beyond its range, joined by
  ``'; '``.

The verdicts are kept as a few bytes an element and told in words, as arrays of the narrowest
fixed-width text, when they are asked for. ``len()``, ``shape`` and indexing work as for the
arrays: ``r[2]``, ``r[:10]`` or ``r[r.status == 'ok']`` is a Results of those elements. Every
array has the broadcast shape of the arguments; when every argument was a number, each column
reads as a numpy scalar.)")
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
        .def("__getitem__", &Results::indexed, "index"_a)
        .def("__len__", &Results::length)
        .def_property_readonly("shape", &Results::shape, "The broadcast shape of the arguments.")
        .def("keys", &Results::keys, "The keys of the columns, then status, message, box and warnings.")
        .def_property_readonly("texts", &Results::texts,
                               "The texts of the boxes asked for with ``texts=``, exactly as the window "
                               "shows them (leading blanks included), as arrays of fixed-width text.")
        .def("to_dict", &Results::to_dict, "A dict of the columns, each a numpy array (or a scalar).")
        .def("to_structured", &Results::to_structured,
             "A numpy structured array: one record per element, a field per column, and the texts "
             "asked for as fields ``text_<key>``.")
        .def("network", &Results::network,
             "The line's section as a scikit-rf ``Network`` over the frequencies of a result of ``line`` along one "
             "axis, with a ``length``: S11 = S22 and S21 = S12 between ports of ``z_ref``. Needs scikit-rf.")
        .def("__repr__", &Results::repr);
}

}  // namespace velmoka::python

#pragma once

#include "common/verdict.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velmoka::python {

namespace py = pybind11;

// The most warnings a command's verdicts can carry: each combination of them is told in words.
inline constexpr std::size_t kMostWarnings = 12;

// The words an answer's verdict is told in, for one call: the places of the element's codes.
struct Vocabulary {
    struct Message {
        std::string text;
        bool after_key;  // read after its key: "w is not a finite number"
    };
    std::vector<Message> messages;
    std::vector<std::string> keys;
    std::vector<std::string> warnings;  // by bit
};

// How each element's answer ended, a few bytes an element: its status (by kStatusNames), its
// fault's message and key (0 for none, else 1 + the place in the vocabulary), and its warnings.
struct Endings {
    py::array_t<std::uint8_t> status;
    py::array_t<std::uint8_t> message;
    py::array_t<std::uint8_t> key;
    py::array_t<std::uint32_t> warnings;
};

// What a command over arrays gives back: for each column of the command a float64 array (NaN
// where an element has no value), the verdict of each element, told in words when asked for,
// and for the window's commands the boxes' texts where they were asked for. Every array has the
// broadcast shape of the arguments; a column of an all-scalar call reads as a numpy scalar.
class Results {
public:
    static constexpr std::array<const char*, 4> kVerdictKeys = {"status", "message", "box", "warnings"};

    Results(std::string command, py::dict columns, Endings endings, std::shared_ptr<const Vocabulary> vocabulary,
            py::dict texts, bool scalar);

    py::object column(const std::string& key) const;
    py::list keys() const;
    py::dict texts() const;
    py::dict to_dict() const;
    py::array to_structured() const;
    py::tuple shape() const { return py::tuple(endings_.status.attr("shape")); }
    std::size_t length() const;
    // The elements an index picks (an integer, a slice, an array of them, a mask), as numpy
    // indexes each column.
    Results indexed(const py::object& index) const;
    // The line's section over the frequencies of a one-dimensional result, as a scikit-rf Network.
    py::object network() const;
    std::string repr() const;

private:
    // A verdict column's words, an element each, no wider than the widest.
    py::array verdict_words(std::size_t verdict_key) const;
    py::object as_given(const py::handle& array) const;

    std::string command_;
    py::dict columns_;
    Endings endings_;
    std::shared_ptr<const Vocabulary> vocabulary_;
    py::dict texts_;
    bool scalar_;
};

void add_results(py::module_& module);

}  // namespace velmoka::python

#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace velmoka::python {

namespace py = pybind11;

// What a command over arrays gives back: for each box key a float64 array of the number the box
// shows (NaN where it shows a message), the status, message and box of each element, and the
// boxes' texts where they were asked for. Every column is one numpy array of the broadcast
// shape; a column of an all-scalar call reads as a numpy scalar.
class Results {
public:
    // The statuses in the order of their counts.
    static constexpr std::array<const char*, 4> kStatuses = {"ok", "incomplete", "stopped", "error"};

    Results(std::string command, py::dict columns, py::dict texts, bool scalar,
            std::array<std::size_t, kStatuses.size()> counts);

    py::object column(const std::string& key) const;
    py::list keys() const { return py::list(columns_.attr("keys")()); }
    py::dict texts() const;
    py::dict to_dict() const;
    py::array to_structured() const;
    std::string repr() const;

private:
    std::string command_;
    py::dict columns_;  // box keys, then status, message, box
    py::dict texts_;    // box keys asked for
    bool scalar_;
    std::array<std::size_t, kStatuses.size()> counts_;
};

void add_results(py::module_& module);

}  // namespace velmoka::python

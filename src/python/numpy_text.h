#pragma once

#include <pybind11/numpy.h>

#include <cstddef>
#include <string_view>
#include <vector>

namespace velmoka::python {

namespace py = pybind11;

// A numpy array of fixed-width unicode text (dtype '<U<width>'), every element empty: texts of
// a million elements go into one block of memory, never into a million Python objects.
py::array texts_shaped(const std::vector<py::ssize_t>& shape, std::size_t width);

// Where the texts of such an array go, taken while the GIL is held and written without it.
class TextColumn {
public:
    TextColumn() = default;
    explicit TextColumn(py::array& texts);

    // Writes UTF-8 text into element `index` (flat, C order), cut at the array's width.
    void write(std::size_t index, std::string_view text) const;

private:
    char32_t* data_ = nullptr;  // numpy keeps each character as UCS-4, four bytes
    std::size_t width_ = 0;
};

}  // namespace velmoka::python

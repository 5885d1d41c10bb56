#include "python/numpy_text.h"

#include "python/column_memory.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <string>

namespace velmoka::python {

py::array texts_shaped(const std::vector<py::ssize_t>& shape, std::size_t width) {
    const py::dtype text_type("<U" + std::to_string(std::max<std::size_t>(width, 1)));
    return zeroed_array(text_type, shape);
}

TextColumn::TextColumn(py::array& texts)
    : data_(static_cast<char32_t*>(texts.mutable_data())),
      width_(static_cast<std::size_t>(texts.itemsize()) / sizeof(char32_t)) {}

void TextColumn::write(std::size_t index, std::string_view text) const {
    std::copy_n(text.begin(), std::min(text.size(), width_), data_ + index * width_);
}

}  // namespace velmoka::python

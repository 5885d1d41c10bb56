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
    char32_t* out = data_ + index * width_;
    char32_t* const end = out + width_;
    for (std::size_t at = 0; at < text.size() && out != end; ++out) {
        // UTF-8 to code points: the program's own texts are well formed (a "·" or an "Ω").
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7FU >> length);
        for (std::size_t next = 1; next < length && at + next < text.size(); ++next) {
            point = (point << 6) | (static_cast<unsigned char>(text[at + next]) & 0x3FU);
        }
        *out = point;
        at += length;
    }
}

}  // namespace velmoka::python

#pragma once

#include <pybind11/numpy.h>

#include <cstddef>
#include <vector>

namespace velmoka::python {

namespace py = pybind11;

// Zeroed memory for a column of results, in huge pages once it is a huge page long
// (common/column_blocks.h): the 112 MB of an analysis's fourteen number columns cost 28,000
// faults and a third of a second in 4 KiB pages, and 56 faults in 2 MiB pages. numpy asks for
// huge pages for its own large arrays but leaves the partial 2 MiB at either end of each in
// small pages, and np.zeros none at all.
class ColumnMemory {
public:
    explicit ColumnMemory(std::size_t bytes);  // throws std::bad_alloc where no memory is left
    ColumnMemory(ColumnMemory&& other) noexcept;
    ColumnMemory& operator=(ColumnMemory&&) = delete;
    ColumnMemory(const ColumnMemory&) = delete;
    ColumnMemory& operator=(const ColumnMemory&) = delete;
    ~ColumnMemory();

    void* data() const { return data_; }

private:
    void* data_ = nullptr;
    std::size_t bytes_ = 0;
};

// A new array of the shape and type, every element zero, in memory of its own.
py::array zeroed_array(const py::dtype& type, const std::vector<py::ssize_t>& shape);

}  // namespace velmoka::python

#include "python/column_memory.h"

#include "common/column_blocks.h"

#include <cstring>
#include <memory>
#include <utility>

namespace velmoka::python {

ColumnMemory::ColumnMemory(std::size_t bytes) : bytes_(bytes) {
    const ColumnBlock block = take_column_block(bytes);
    data_ = block.zeroed ? block.start : std::memset(block.start, 0, bytes);
}

ColumnMemory::ColumnMemory(ColumnMemory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), bytes_(std::exchange(other.bytes_, 0)) {}

ColumnMemory::~ColumnMemory() {
    if (data_ != nullptr) {
        give_back_column_block(data_, bytes_);
    }
}

py::array zeroed_array(const py::dtype& type, const std::vector<py::ssize_t>& shape) {
    std::size_t bytes = static_cast<std::size_t>(type.itemsize());
    for (const py::ssize_t extent : shape) {
        bytes *= static_cast<std::size_t>(extent);
    }
    auto memory = std::make_unique<ColumnMemory>(bytes);
    void* const data = memory->data();
    const py::capsule owner(memory.get(), [](void* owned) { delete static_cast<ColumnMemory*>(owned); });
    memory.release();  // the capsule owns it now
    return py::array(type, shape, data, owner);
}

}  // namespace velmoka::python

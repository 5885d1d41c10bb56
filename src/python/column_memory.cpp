#include "python/column_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

namespace velmoka::python {

namespace {

// The huge page of amd64 Linux.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

constexpr std::uintptr_t whole_huge_pages(std::uintptr_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

ColumnMemory::ColumnMemory(std::size_t bytes) {
    if (bytes < kHugePage) {
        data_ = std::calloc(bytes == 0 ? 1 : bytes, 1);
        if (data_ == nullptr) {
            throw std::bad_alloc();
        }
        return;
    }
    // A huge page more than wanted, then the ends beyond the aligned stretch given back.
    mapped_ = whole_huge_pages(bytes);
    const std::size_t reserved = mapped_ + kHugePage;
    void* const mapping = mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapping);
    const std::uintptr_t aligned = whole_huge_pages(start);
    if (aligned > start) {
        munmap(mapping, aligned - start);
    }
    if (const std::uintptr_t end = start + reserved; end > aligned + mapped_) {
        munmap(reinterpret_cast<void*>(aligned + mapped_), end - (aligned + mapped_));
    }
    data_ = reinterpret_cast<void*>(aligned);
    madvise(data_, mapped_, MADV_HUGEPAGE);  // only advice: where refused, small pages serve
}

ColumnMemory::ColumnMemory(ColumnMemory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), mapped_(std::exchange(other.mapped_, 0)) {}

ColumnMemory::~ColumnMemory() {
    if (mapped_ != 0) {
        munmap(data_, mapped_);
    } else {
        std::free(data_);
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

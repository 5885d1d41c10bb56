#include "common/column_blocks.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace velmoka {

namespace {

constexpr std::size_t whole_huge_pages(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

#if defined(__linux__)
void* mapped(std::size_t length) {
    // A huge page more than wanted, then the ends beyond the aligned stretch given back.
    const std::size_t reserved = length + kHugePage;
    void* const mapping = mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapping);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start) {
        munmap(mapping, aligned - start);
    }
    if (const std::uintptr_t end = start + reserved; end > aligned + length) {
        munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
    }
    auto* const block = reinterpret_cast<void*>(aligned);
    madvise(block, length, MADV_HUGEPAGE);  // only advice: where refused, small pages serve
    return block;
}

void unmapped(void* block, std::size_t length) {
    munmap(block, length);
}
#else
void* mapped(std::size_t length) {
    // Zeroed, as fresh pages of a mapping are.
    return std::memset(::operator new (length, std::align_val_t{kHugePage}), 0, length);
}

void unmapped(void* block, std::size_t length) {
    ::operator delete (block, length, std::align_val_t{kHugePage});
}
#endif

struct Block {
    void* start;
    std::size_t length;  // bytes, whole huge pages
};

// The blocks given back and kept, the oldest first.
class KeptBlocks {
public:
    void* take(std::size_t length) {
        const std::scoped_lock locked(lock_);
        for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
            if (block->length == length) {
                void* const start = block->start;
                bytes_ -= length;
                blocks_.erase(std::next(block).base());
                return start;
            }
        }
        return nullptr;
    }

    // Keeps the block, and hands back those no longer kept to be unmapped.
    std::vector<Block> keep(Block given) {
        std::vector<Block> released;
        const std::scoped_lock locked(lock_);
        if (given.length > kMostKeptBytes) {
            released.push_back(given);
            return released;
        }
        std::size_t oldest = 0;
        for (; bytes_ + given.length > kMostKeptBytes; ++oldest) {
            bytes_ -= blocks_[oldest].length;
            released.push_back(blocks_[oldest]);
        }
        blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(oldest));
        blocks_.push_back(given);
        bytes_ += given.length;
        return released;
    }

private:
    std::mutex lock_;
    std::vector<Block> blocks_;
    std::size_t bytes_ = 0;
};

// Never destroyed: a column may be given back as the process ends, after the statics are gone
// (a numpy array that holds one, freed by the interpreter on its way out).
KeptBlocks& kept_blocks() {
    static auto* const kept = new KeptBlocks;
    return *kept;
}

}  // namespace

ColumnBlock take_column_block(std::size_t bytes) {
    if (bytes < kHugePage) {
        void* const heap = std::calloc(bytes == 0 ? 1 : bytes, 1);
        if (heap == nullptr) {
            throw std::bad_alloc();
        }
        return {heap, true};
    }
    const std::size_t length = whole_huge_pages(bytes);
    if (void* const kept = kept_blocks().take(length); kept != nullptr) {
        return {kept, false};
    }
    return {mapped(length), true};
}

void give_back_column_block(void* block, std::size_t bytes) {
    if (bytes < kHugePage) {
        std::free(block);
        return;
    }
    for (const Block& released : kept_blocks().keep({block, whole_huge_pages(bytes)})) {
        unmapped(released.start, released.length);
    }
}

}  // namespace velmoka

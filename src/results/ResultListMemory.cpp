#include "ResultListMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>
#include <vector>

namespace {

constexpr size_t kMiB = size_t(1) << 20;
constexpr size_t kHugePage = 2 * kMiB;
// Below glibc's largest mapping threshold, so every block comes from the heap.
constexpr size_t kBlock = 16 * kMiB;

// The heap kept for lists so far.
quint64 prepared = 0;

void tuneAllocator() {
    static const bool tuned = [] {
        // A password of 99,999 characters (200 KB) would otherwise get a mapping of its own,
        // unmapped when it is freed, so every run would fault its whole list in again.
        mallopt(M_MMAP_THRESHOLD, int(32 * kMiB));
        // A freed list is kept for the next run; PrepareListMemory gives back what it will not
        // need.
        mallopt(M_TRIM_THRESHOLD, INT32_MAX);
        return true;
    }();
    Q_UNUSED(tuned);
}

void adviseHugePages(uintptr_t begin, uintptr_t end) {
    begin = (begin + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
    end &= ~uintptr_t(kHugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

} // namespace

void PrepareListMemory(quint64 bytes) {
    tuneAllocator();
    if (bytes < prepared / 2) {
        malloc_trim(size_t(bytes));
        prepared = bytes;
    }
    if (bytes <= prepared)
        return;

    // Taking the blocks grows the heap (or reuses a freed list); freeing them leaves the room
    // at the heap's top, where the passwords are taken from next.
    std::vector<void*> blocks;
    uintptr_t lowest = UINTPTR_MAX;
    uintptr_t highest = 0;
    for (quint64 got = 0; got < bytes; got += kBlock) {
        void* block = std::malloc(kBlock);
        if (!block)
            break;
        blocks.push_back(block);
        lowest = std::min(lowest, reinterpret_cast<uintptr_t>(block));
        highest = std::max(highest, reinterpret_cast<uintptr_t>(block) + kBlock);
    }
    // Blocks that lie together are advised as one, so the seams between them get huge pages too;
    // otherwise (the heap had to continue elsewhere) each block on its own.
    if (!blocks.empty() && highest - lowest <= blocks.size() * (kBlock + kMiB)) {
        adviseHugePages(lowest, highest);
    } else {
        for (void* block : blocks)
            adviseHugePages(reinterpret_cast<uintptr_t>(block),
                            reinterpret_cast<uintptr_t>(block) + kBlock);
    }
    for (void* block : blocks)
        std::free(block);
    prepared = bytes;
}

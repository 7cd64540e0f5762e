#include "largeallocations.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <malloc.h>

namespace quelvara::bench {

namespace {

std::atomic<bool> counting { false };
std::atomic<std::size_t> threshold { 0 };
std::atomic<std::uint64_t> allCount { 0 };
std::atomic<std::uint64_t> largeCount { 0 };
std::atomic<std::size_t> largestSize { 0 };

[[maybe_unused]] void note(std::size_t size)
{
    if (!counting.load(std::memory_order_relaxed))
        return;
    allCount.fetch_add(1, std::memory_order_relaxed);
    if (size >= threshold.load(std::memory_order_relaxed))
        largeCount.fetch_add(1, std::memory_order_relaxed);
    std::size_t largest = largestSize.load(std::memory_order_relaxed);
    while (size > largest && !largestSize.compare_exchange_weak(largest, size, std::memory_order_relaxed)) { }
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)

bool canCountAllocations() { return false; }

#else

bool canCountAllocations() { return true; }

} // namespace quelvara::bench

// glibc's own entry points, which the stand-ins below pass every request on
// to.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);

void* malloc(std::size_t size) noexcept
{
    quelvara::bench::note(size);
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) noexcept
{
    quelvara::bench::note(count * size);
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, std::size_t size) noexcept
{
    quelvara::bench::note(size);
    return __libc_realloc(pointer, size);
}

void* memalign(std::size_t alignment, std::size_t size) noexcept
{
    quelvara::bench::note(size);
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept
{
    quelvara::bench::note(size);
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** pointer, std::size_t alignment, std::size_t size) noexcept
{
    quelvara::bench::note(size);
    void* memory = __libc_memalign(alignment, size);
    if (!memory)
        return ENOMEM;
    *pointer = memory;
    return 0;
}
}

namespace quelvara::bench {

#endif

void startCountingAllocations(std::size_t largeFrom)
{
    threshold = largeFrom;
    allCount = 0;
    largeCount = 0;
    largestSize = 0;
    counting = true;
}

AllocationCounts stopCountingAllocations()
{
    counting = false;
    return AllocationCounts { allCount.load(), largeCount.load(), largestSize.load() };
}

} // namespace quelvara::bench

// Counts the allocations of the whole process while switched on, and among
// them those of at least a given size, by standing in for malloc and its
// relatives in the executable it is linked into. Under AddressSanitizer,
// which has its own allocator, nothing is counted.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quelvara::bench {

struct AllocationCounts {
    std::uint64_t all { 0 };
    std::uint64_t large { 0 };
    std::size_t largest { 0 };
};

bool canCountAllocations();
void startCountingAllocations(std::size_t largeFrom);
AllocationCounts stopCountingAllocations();

} // namespace quelvara::bench

// An allocator for the analyses' large tables. Blocks of kLargeBlock bytes and more are aligned
// to kLargeBlock and, where the system offers it (Linux), marked for huge pages, so that the
// first touch of a table of some megabytes costs a few page faults instead of one per 4 KiB:
// on some virtual machines each fault costs tens of microseconds. Smaller blocks come from the
// ordinary heap. Any instance frees what any other allocated.
#pragma once

#include <cstddef>
#include <new>

namespace relakin {

inline constexpr std::size_t kLargeBlock = std::size_t{2} << 20;

// Throws std::bad_alloc when no memory is left. `bytes` must be passed again to FreeLarge.
void* AllocateLarge(std::size_t bytes, std::size_t alignment);
void FreeLarge(void* p, std::size_t bytes, std::size_t alignment) noexcept;

template <class T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <class U>
  LargeAllocator(const LargeAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateLarge(n * sizeof(T), alignof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { FreeLarge(p, n * sizeof(T), alignof(T)); }
  template <class U>
  bool operator==(const LargeAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace relakin

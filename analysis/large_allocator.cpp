#include "analysis/large_allocator.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace relakin {
namespace {

std::size_t Rounded(std::size_t bytes) {
  return (bytes + kLargeBlock - 1) / kLargeBlock * kLargeBlock;
}

}  // namespace

void* AllocateLarge(std::size_t bytes, std::size_t alignment) {
  if (bytes < kLargeBlock || alignment > kLargeBlock)
    return ::operator new(bytes, std::align_val_t(alignment));
  void* p = std::aligned_alloc(kLargeBlock, Rounded(bytes));
  if (p == nullptr) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  ::madvise(p, Rounded(bytes), MADV_HUGEPAGE);  // advice only: without it, ordinary pages
#endif
  return p;
}

void FreeLarge(void* p, std::size_t bytes, std::size_t alignment) noexcept {
  if (bytes < kLargeBlock || alignment > kLargeBlock)
    return ::operator delete(p, std::align_val_t(alignment));
  std::free(p);
}

}  // namespace relakin

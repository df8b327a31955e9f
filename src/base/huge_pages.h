// An allocator for large buffers read and written at scattered places: a 4K screen's
// pixels span 8000 pages of 4 kB, far more than the processor's address cache holds,
// so every scattered pixel would also wait for a page-table walk. Buffers of a few
// megabytes or more are aligned to 2 MB and offered to the kernel for huge pages
// (where it grants none, they work as before).
#pragma once

#include <cstddef>
#include <new>

#include "base/system.h"

namespace pyxora {

inline constexpr size_t kHugePageBytes = size_t{2} << 20;

template <typename T>
struct HugePageAllocator {
  using value_type = T;
  HugePageAllocator() = default;
  template <typename U>
  HugePageAllocator(const HugePageAllocator<U>&) {}

  T* allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    const size_t bytes = n * sizeof(T);
    if (bytes < kHugePageBytes) return static_cast<T*>(::operator new(bytes));
    const size_t rounded = (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    void* p = AllocateAligned(rounded, kHugePageBytes);
    if (!p) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, size_t n) {
    if (n * sizeof(T) < kHugePageBytes) ::operator delete(p);
    else FreeAligned(p);
  }
  template <typename U>
  bool operator==(const HugePageAllocator<U>&) const { return true; }
};

}  // namespace pyxora

#pragma once

#include <cstddef>
#include <new>

#include "huge_pages.h"

// An allocator for lists of millions of elements: those of a huge page or
// more get memory mapped for huge pages, smaller ones the usual heap.
template <typename T>
struct TLargeAllocator {
  using value_type = T;

  TLargeAllocator() = default;
  template <typename U>
  TLargeAllocator(const TLargeAllocator<U>&) {}

  T* allocate(size_t Count) {
    const size_t bytes = Count * sizeof(T);
    return static_cast<T*>(bytes >= kHugePage ? MapHugePages(bytes)
                                              : ::operator new(bytes));
  }
  void deallocate(T* Memory, size_t Count) {
    const size_t bytes = Count * sizeof(T);
    if (bytes >= kHugePage) {
      UnmapHugePages(Memory, bytes);
    } else {
      ::operator delete(Memory);
    }
  }

  template <typename U>
  bool operator==(const TLargeAllocator<U>&) const {
    return true;
  }
};

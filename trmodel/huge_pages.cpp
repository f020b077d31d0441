#include "huge_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace {

size_t Mapped(size_t Bytes) {
  return (Bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

void* MapHugePages(size_t Bytes, size_t Alignment) {
  const size_t size = Mapped(Bytes);
  void* start = ::mmap(nullptr, size + Alignment, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (start == MAP_FAILED) throw std::bad_alloc();
  const auto address = reinterpret_cast<uintptr_t>(start);
  const uintptr_t aligned = (address + Alignment - 1) / Alignment * Alignment;
  if (aligned > address) ::munmap(start, aligned - address);
  const uintptr_t end = address + size + Alignment;
  if (end > aligned + size) {
    ::munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
  }
  void* memory = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
  // Only advice: where huge pages are not to be had, nothing changes.
  ::madvise(memory, size, MADV_HUGEPAGE);
#endif
  return memory;
}

void UnmapHugePages(void* Memory, size_t Bytes) {
  ::munmap(Memory, Mapped(Bytes));
}

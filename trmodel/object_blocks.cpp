#include "object_blocks.h"

#include <sys/mman.h>

#include <cstdint>

namespace {

// Blocks start where any object of the map may start.
constexpr std::align_val_t kAlignment{alignof(std::max_align_t)};
// Blocks of at least this size are mapped by themselves, on the bounds of
// huge pages, so that the system can back them with few huge pages rather
// than many small ones, each a fault when it is first touched.
constexpr size_t kHugePage = size_t{2} << 20;

size_t Mapped(size_t Bytes) {
  return (Bytes + kHugePage - 1) / kHugePage * kHugePage;
}

void* MapHuge(size_t Bytes) {
  const size_t size = Mapped(Bytes);
  void* start = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (start == MAP_FAILED) throw std::bad_alloc();
  const auto address = reinterpret_cast<uintptr_t>(start);
  const uintptr_t aligned = (address + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned > address) ::munmap(start, aligned - address);
  const uintptr_t end = address + size + kHugePage;
  if (end > aligned + size) {
    ::munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
  }
  void* block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
  // Only advice: where huge pages are not to be had, nothing changes.
  ::madvise(block, size, MADV_HUGEPAGE);
#endif
  return block;
}

}  // namespace

static_assert(sizeof(TObjectBlock) % alignof(std::max_align_t) == 0,
              "the room after a block's header must suit every object");

TObjectBlock* TObjectBlock::Create(size_t Bytes) {
  const size_t total = sizeof(TObjectBlock) + Bytes;
  void* memory =
      total >= kHugePage ? MapHuge(total) : ::operator new(total, kAlignment);
  return new (memory) TObjectBlock(Bytes);
}

void TObjectBlock::Release() {
  if (--Holders != 0) return;
  const size_t total = sizeof(TObjectBlock) + Bytes;
  this->~TObjectBlock();
  if (total >= kHugePage) {
    ::munmap(this, Mapped(total));
  } else {
    ::operator delete(this, kAlignment);
  }
}

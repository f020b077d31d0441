#include "object_blocks.h"

#include "huge_pages.h"

namespace {

// Blocks start where any object of the map may start.
constexpr std::align_val_t kAlignment{alignof(std::max_align_t)};

}  // namespace

static_assert(sizeof(TObjectBlock) % alignof(std::max_align_t) == 0,
              "the room after a block's header must suit every object");

TObjectBlock* TObjectBlock::Create(size_t Bytes) {
  const size_t total = sizeof(TObjectBlock) + Bytes;
  void* memory = total >= kHugePage ? MapHugePages(total)
                                    : ::operator new(total, kAlignment);
  return new (memory) TObjectBlock(Bytes);
}

void TObjectBlock::Release() {
  if (--Holders != 0) return;
  const size_t total = sizeof(TObjectBlock) + Bytes;
  this->~TObjectBlock();
  if (total >= kHugePage) {
    UnmapHugePages(this, total);
  } else {
    ::operator delete(this, kAlignment);
  }
}

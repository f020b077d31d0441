#include "object_blocks.h"

#include "huge_pages.h"
#include "map_objects.h"

#if defined(__SANITIZE_ADDRESS__)
#define TR_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TR_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef TR_ADDRESS_SANITIZER
#include <sanitizer/asan_interface.h>
#endif

namespace {

void MarkUsable(void* Memory, size_t Bytes) {
#ifdef TR_ADDRESS_SANITIZER
  ASAN_UNPOISON_MEMORY_REGION(Memory, Bytes);
#else
  (void)Memory;
  (void)Bytes;
#endif
}

}  // namespace

static_assert(sizeof(TObjectBlock) % alignof(std::max_align_t) == 0,
              "the room after a block's header must suit every object");

TObjectBlock* TObjectBlock::Create(size_t Bytes) {
  const size_t total = sizeof(TObjectBlock) + Bytes;
  if (total > kBlockSpan) throw std::bad_alloc();
  void* memory = MapHugePages(total, kBlockSpan);
  return new (memory) TObjectBlock(Bytes);
}

void TObjectBlock::Release() {
  if (--Holders != 0) return;
  const size_t total = sizeof(TObjectBlock) + Bytes;
  this->~TObjectBlock();
  // Memory given back must not stay marked for whoever gets it next.
  MarkUsable(this, total);
  UnmapHugePages(this, total);
}

void TObjectBlock::Ended(const void* Object, size_t Bytes) {
#ifdef TR_ADDRESS_SANITIZER
  ASAN_POISON_MEMORY_REGION(Object, Bytes);
#else
  (void)Object;
  (void)Bytes;
#endif
}

void TObjectDelete::operator()(TTrLine* Line) const {
  if (TTrack* track = AsTrack(Line)) {
    (*this)(track);
  } else {
    (*this)(static_cast<TWall*>(Line));
  }
}

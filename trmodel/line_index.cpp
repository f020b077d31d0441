#include "line_index.h"

namespace {

constexpr size_t kFirstSize = 64;

}  // namespace

size_t TLineIndex::SlotOf(int32_t Id) const {
  // Runs of 1024 consecutive identifiers stay side by side, so the mostly
  // ascending identifiers of a file are looked up with few cache misses;
  // the runs themselves are scattered by Fibonacci hashing, so that
  // identifiers far apart do not pile up in one place.
  const uint32_t id = static_cast<uint32_t>(Id);
  const uint64_t run = static_cast<uint64_t>(id >> 10) * 0x9E3779B97F4A7C15u;
  const uint64_t slot = ((run >> 32) << 10) | (id & 1023u);
  return static_cast<size_t>(slot) & (slots_.size() - 1);
}

TTrLine* TLineIndex::Find(int32_t Id) const {
  if (slots_.empty()) return nullptr;
  for (size_t i = SlotOf(Id);; i = (i + 1) & (slots_.size() - 1)) {
    const TSlot& slot = slots_[i];
    if (slot.Line == nullptr) return nullptr;
    if (slot.Id == Id) return slot.Line;
  }
}

void TLineIndex::Add(int32_t Id, TTrLine* Line) {
  // At most half full, so probes stay short and a free slot always exists.
  if (2 * (count_ + 1) > slots_.size()) Grow();
  size_t i = SlotOf(Id);
  while (slots_[i].Line != nullptr) i = (i + 1) & (slots_.size() - 1);
  slots_[i] = TSlot{Id, Line};
  ++count_;
}

void TLineIndex::Grow() {
  std::vector<TSlot> old = std::move(slots_);
  slots_.assign(old.empty() ? kFirstSize : 2 * old.size(), TSlot{});
  count_ = 0;
  for (const TSlot& slot : old) {
    if (slot.Line != nullptr) Add(slot.Id, slot.Line);
  }
}

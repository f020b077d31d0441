#include "line_index.h"

#include <algorithm>

namespace {

constexpr size_t kFirstSize = 64;
// The table by position stays below this many entries for each line added
// (and a few thousand more), so an identifier far above the others cannot
// make it large.
constexpr size_t kEntriesPerLine = 8;
constexpr size_t kEntriesSpare = 4096;

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

TTrLine* TLineIndex::Find(int32_t Id, bool Wall) const {
  const auto at = static_cast<size_t>(static_cast<uint32_t>(Id));
  if (Id >= 0 && at < byId_.size() && byId_[at] != 0 &&
      ((byId_[at] & kWallBit) != 0) == Wall) {
    return lines_[(byId_[at] & ~kWallBit) - 1];
  }
  if (slots_.empty()) return nullptr;
  for (size_t i = SlotOf(Id);; i = (i + 1) & (slots_.size() - 1)) {
    const TSlot& slot = slots_[i];
    if (slot.Line == nullptr) return nullptr;
    if (slot.Id == Id && slot.Wall == Wall) return slot.Line;
  }
}

void TLineIndex::Add(int32_t Id, bool Wall, TTrLine* Line) {
  ++added_;
  const size_t limit = kEntriesPerLine * added_ + kEntriesSpare;
  const auto at = static_cast<size_t>(static_cast<uint32_t>(Id));
  if (Id >= 0 && at < limit && at >= byId_.size()) {
    byId_.resize(std::min(limit, std::max(2 * byId_.size(), at + 1)));
  }
  // Beyond what 31 bits tell, lines are hashed.
  if (Id >= 0 && at < byId_.size() && byId_[at] == 0 &&
      lines_.size() < kWallBit - 1) {
    lines_.push_back(Line);
    byId_[at] = static_cast<uint32_t>(lines_.size()) | (Wall ? kWallBit : 0);
  } else {
    AddHashed(TSlot{Id, Wall, Line});
  }
}

void TLineIndex::AddHashed(const TSlot& Slot) {
  // At most half full, so probes stay short and a free slot always exists.
  if (2 * (hashed_ + 1) > slots_.size()) Grow();
  size_t i = SlotOf(Slot.Id);
  while (slots_[i].Line != nullptr) i = (i + 1) & (slots_.size() - 1);
  slots_[i] = Slot;
  ++hashed_;
}

void TLineIndex::Grow() {
  std::vector<TSlot> old = std::move(slots_);
  slots_.assign(old.empty() ? kFirstSize : 2 * old.size(), TSlot{});
  hashed_ = 0;
  for (const TSlot& slot : old) {
    if (slot.Line != nullptr) AddHashed(slot);
  }
}

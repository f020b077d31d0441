#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// A hash table from the addresses of objects (with a bit of their own in
// bit 0, which alignment leaves free) to small numbers, by open addressing:
// searches over millions of line ends need it faster than the standard one.
// Cleared, it keeps its memory for the next search.
class TStateTable {
 public:
  static constexpr int32_t kAbsent = -1;

  // The number stored for Key, or kAbsent.
  int32_t Find(uintptr_t Key) const {
    if (Slots.empty()) return kAbsent;
    for (size_t slot = SlotOf(Key);; slot = (slot + 1) & Mask()) {
      if (Slots[slot].Key == Key) return Slots[slot].Value;
      if (Slots[slot].Key == 0) return kAbsent;
    }
  }

  // Stores Value for Key, which must not be there yet; Key is not 0.
  void Insert(uintptr_t Key, int32_t Value) {
    if ((Count + 1) * 3 > Slots.size() * 2) Grow();
    size_t slot = SlotOf(Key);
    while (Slots[slot].Key != 0) slot = (slot + 1) & Mask();
    Slots[slot] = {Key, Value};
    ++Count;
  }

  void Clear() {
    if (Count == 0) return;
    std::fill(Slots.begin(), Slots.end(), TSlot{});
    Count = 0;
  }

 private:
  struct TSlot {
    uintptr_t Key = 0;
    int32_t Value = 0;
  };

  size_t Mask() const { return Slots.size() - 1; }
  size_t SlotOf(uintptr_t Key) const {
    // Fibonacci hashing spreads addresses that differ in few bits.
    return static_cast<size_t>((Key * 0x9E3779B97F4A7C15ull) >> Shift);
  }
  void Grow() {
    std::vector<TSlot> old(Slots.empty() ? 1024 : Slots.size() * 2);
    old.swap(Slots);
    Shift = 64;
    for (size_t size = Slots.size(); size > 1; size /= 2) --Shift;
    Count = 0;
    for (const TSlot& slot : old) {
      if (slot.Key != 0) Insert(slot.Key, slot.Value);
    }
  }

  std::vector<TSlot> Slots;
  size_t Count = 0;
  unsigned Shift = 64;
};

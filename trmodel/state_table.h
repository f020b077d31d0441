#pragma once

#include <cstdint>
#include <vector>

// A hash table from the addresses of objects (with a bit of their own in
// bit 0, which alignment leaves free) to small numbers, by open addressing:
// searches over millions of line ends need it faster than the standard one.
class TStateTable {
 public:
  static constexpr int32_t kAbsent = -1;

  // The number stored for Key, or kAbsent.
  int32_t Find(uintptr_t Key) const {
    if (Keys.empty()) return kAbsent;
    for (size_t slot = Slot(Key);; slot = (slot + 1) & Mask()) {
      if (Keys[slot] == Key) return Values[slot];
      if (Keys[slot] == 0) return kAbsent;
    }
  }

  // Stores Value for Key, which must not be there yet; Key is not 0.
  void Insert(uintptr_t Key, int32_t Value) {
    if ((Count + 1) * 2 > Keys.size()) Grow();
    size_t slot = Slot(Key);
    while (Keys[slot] != 0) slot = (slot + 1) & Mask();
    Keys[slot] = Key;
    Values[slot] = Value;
    ++Count;
  }

 private:
  size_t Mask() const { return Keys.size() - 1; }
  size_t Slot(uintptr_t Key) const {
    // Fibonacci hashing spreads addresses that differ in few bits.
    return static_cast<size_t>((Key * 0x9E3779B97F4A7C15ull) >> Shift) & Mask();
  }
  void Grow() {
    std::vector<uintptr_t> keys(Keys.empty() ? 1024 : Keys.size() * 2, 0);
    std::vector<int32_t> values(keys.size());
    keys.swap(Keys);
    values.swap(Values);
    Shift = 64;
    for (size_t size = Keys.size(); size > 1; size /= 2) --Shift;
    Count = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] != 0) Insert(keys[i], values[i]);
    }
  }

  std::vector<uintptr_t> Keys;
  std::vector<int32_t> Values;
  size_t Count = 0;
  unsigned Shift = 64;
};

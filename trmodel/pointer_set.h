#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

// A set of pointers in one open-addressed table (linear probing, no
// tombstones): no allocation per item, so that filling it with a million
// objects of a map costs one allocation, and a copy one copy of the table.
// The null pointer is never held.
template <typename T>
class TPointerSet {
 public:
  size_t Size() const { return Count; }
  bool Empty() const { return Count == 0; }

  bool Contains(const T* Item) const {
    if (Item == nullptr || Count == 0) return false;
    for (size_t slot = Home(Item);; slot = Next(slot)) {
      if (Slots[slot] == Item) return true;
      if (Slots[slot] == nullptr) return false;
    }
  }

  // Asks the processor to fetch the slot where a look-up of Item starts,
  // for one who looks up many items in a known order: the slots lie at
  // random, so each look-up would otherwise wait on memory.
  void Prefetch(const T* Item) const {
    if (!Slots.empty()) __builtin_prefetch(&Slots[Home(Item)]);
  }

  // Says whether Item was not held before.
  bool Insert(T* Item) {
    if (Item == nullptr) return false;
    if (2 * (Count + 1) > Slots.size()) Rehash(2 * (Count + 1));
    size_t slot = Home(Item);
    for (; Slots[slot] != nullptr; slot = Next(slot)) {
      if (Slots[slot] == Item) return false;
    }
    Slots[slot] = Item;
    ++Count;
    return true;
  }

  // Says whether Item was held.
  bool Erase(const T* Item) {
    if (Item == nullptr || Count == 0) return false;
    size_t hole = Home(Item);
    for (; Slots[hole] != Item; hole = Next(hole)) {
      if (Slots[hole] == nullptr) return false;
    }
    // Items after the hole that would no longer be found move into it.
    for (size_t slot = Next(hole); Slots[slot] != nullptr; slot = Next(slot)) {
      const size_t home = Home(Slots[slot]);
      if (((slot - home) & Mask()) >= ((slot - hole) & Mask())) {
        Slots[hole] = Slots[slot];
        hole = slot;
      }
    }
    Slots[hole] = nullptr;
    --Count;
    return true;
  }

  void Clear() {
    Slots.clear();
    Slots.shrink_to_fit();
    Count = 0;
  }

  // Room for Items items in all, for one who inserts many.
  void Reserve(size_t Items) {
    if (2 * Items > Slots.size()) Rehash(2 * Items);
  }

  // In no particular order; the set must not change meanwhile.
  template <typename TVisit>
  void ForEach(TVisit Visit) const {
    for (T* item : Slots) {
      if (item != nullptr) Visit(item);
    }
  }

  bool operator==(const TPointerSet& Other) const {
    if (Count != Other.Count) return false;
    for (T* item : Slots) {
      if (item != nullptr && !Other.Contains(item)) return false;
    }
    return true;
  }

 private:
  size_t Mask() const { return Slots.size() - 1; }
  size_t Next(size_t Slot) const { return (Slot + 1) & Mask(); }
  // Objects lie apart by their sizes; a multiplicative hash spreads them
  // over the table all the same.
  size_t Home(const T* Item) const {
    const auto bits = reinterpret_cast<uintptr_t>(Item);
    return static_cast<size_t>((bits * 0x9E3779B97F4A7C15ull) >> Shift);
  }

  // At least MinSlots slots, a power of two.
  void Rehash(size_t MinSlots) {
    const size_t size = std::bit_ceil(std::max<size_t>(MinSlots, 16));
    std::vector<T*> old(size, nullptr);
    old.swap(Slots);
    Shift = 64 - std::countr_zero(size);
    for (T* item : old) {
      if (item == nullptr) continue;
      size_t slot = Home(item);
      while (Slots[slot] != nullptr) slot = Next(slot);
      Slots[slot] = item;
    }
  }

  std::vector<T*> Slots;
  size_t Count = 0;
  int Shift = 64;
};

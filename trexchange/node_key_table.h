#pragma once

#include <cstdint>
#include <vector>

#include "large_allocator.h"

// The node of each key seen so far, for tens of millions of keys: an
// open-addressed table of a fixed size that holds only the nodes' numbers,
// four bytes a slot; their keys are in the caller's list. Keys that follow
// each other share a run of slots, as a file's nodes mostly do, so that
// looking them up stays within a few cache lines.
class TNodeKeyTable {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  // Room for at most Count keys.
  explicit TNodeKeyTable(size_t Count) {
    size_t size = 16;
    int bits = 4;
    while (size < Count + Count / 3) {
      size *= 2;
      ++bits;
    }
    slots_.assign(size, kNone);
    mask_ = size - 1;
    shift_ = 64 - (bits - 3);
  }

  // The node of Key, whose key is Keys[node]; when there is none, Node,
  // which the caller then gives Key.
  template <typename TKeys>
  uint32_t Find(int64_t Key, const TKeys& Keys, uint32_t Node, bool& Added) {
    const auto key = static_cast<uint64_t>(Key);
    // A run of eight slots for eight keys in a row, the runs spread by
    // Fibonacci hashing of the rest of the key.
    size_t slot =
        ((key >> 3) * 0x9E3779B97F4A7C15ULL) >> shift_ << 3 | (key & 7);
    while (slots_[slot] != kNone) {
      if (Keys[slots_[slot]] == Key) {
        Added = false;
        return slots_[slot];
      }
      slot = (slot + 1) & mask_;
    }
    slots_[slot] = Node;
    Added = true;
    return Node;
  }

 private:
  std::vector<uint32_t, TLargeAllocator<uint32_t>> slots_;
  size_t mask_ = 0;
  int shift_ = 0;
};

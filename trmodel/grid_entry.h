#pragma once

#include <cassert>
#include <cstdint>

#include "packed_pointer.h"

// An object filed in a grid and its key, in twelve bytes rather than the
// sixteen of a key and a pointer side by side: a grid of a large map holds
// tens of millions of them. The key keeps 48 bits, and the object's address
// is packed into six bytes.
template <typename T>
class TGridEntry {
 public:
  static constexpr uint64_t kMaxKey = (uint64_t{1} << 48) - 1;

  TGridEntry() = default;
  TGridEntry(uint64_t AKey, T* AObject)
      : low_(static_cast<uint32_t>(AKey)),
        high_(static_cast<uint16_t>(AKey >> 32)),
        object_(AObject) {
    assert(AKey <= kMaxKey);
  }

  uint64_t Key() const { return low_ | (uint64_t{high_} << 32); }
  T* Object() const { return object_; }

 private:
  uint32_t low_ = 0;   // key bits 0 to 31
  uint16_t high_ = 0;  // key bits 32 to 47
  TPackedPointer<T> object_;
};

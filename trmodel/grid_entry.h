#pragma once

#include <cassert>
#include <cstdint>

// An object filed in a grid and its key, in twelve bytes rather than the
// sixteen of a key and a pointer side by side: a grid of a large map holds
// tens of millions of them. The key keeps 48 bits, and so does the object's
// address, as every address of a program on a 64-bit system with 48-bit
// virtual addresses (x86-64 and AArch64 as Linux sets them up) does; it is
// sign-extended back from bit 47.
template <typename T>
class TGridEntry {
  static_assert(sizeof(T*) == 8, "a 64-bit system is assumed");

 public:
  static constexpr uint64_t kMaxKey = (uint64_t{1} << 48) - 1;

  TGridEntry() = default;
  TGridEntry(uint64_t AKey, T* AObject) {
    assert(AKey <= kMaxKey);
    const auto address = reinterpret_cast<uintptr_t>(AObject);
    low_ = static_cast<uint32_t>(AKey);
    middle_ = static_cast<uint32_t>((AKey >> 32) & 0xFFFF) |
              static_cast<uint32_t>(address << 16);
    high_ = static_cast<uint32_t>(address >> 16);
    assert(Object() == AObject);
  }

  uint64_t Key() const { return low_ | (uint64_t{middle_ & 0xFFFF} << 32); }
  T* Object() const {
    const uint64_t address = (middle_ >> 16) | (uint64_t{high_} << 16);
    return reinterpret_cast<T*>(static_cast<int64_t>(address << 16) >> 16);
  }

 private:
  uint32_t low_ = 0;     // key bits 0 to 31
  uint32_t middle_ = 0;  // key bits 32 to 47, then address bits 0 to 15
  uint32_t high_ = 0;    // address bits 16 to 47
};

#pragma once

#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>

// A pointer kept in six bytes at any alignment, for the objects of a map
// that hold several and number in the millions. Every address of a program
// on a 64-bit system with 48-bit virtual addresses (x86-64 and AArch64 as
// Linux sets them up) fits in 48 bits and is sign-extended back from bit 47.
// It reads and writes as a T*, and gives out copies only: a reference to a
// pointer that is not on eight bytes would be undefined, wherever a caller
// binds one.
template <typename T>
class TPackedPointer {
  static_assert(sizeof(T*) == 8 && std::endian::native == std::endian::little,
                "a little-endian 64-bit system is assumed");

 public:
  // The halves go through registers of their own size: one copy of six
  // bytes would go through memory, and reading it back as a whole would
  // wait on its parts.
  TPackedPointer(T* Object = nullptr) {
    const auto address = reinterpret_cast<uintptr_t>(Object);
    const auto low = static_cast<uint32_t>(address);
    const auto high = static_cast<uint16_t>(address >> 32);
    std::memcpy(bytes_, &low, sizeof low);
    std::memcpy(bytes_ + sizeof low, &high, sizeof high);
    assert(static_cast<T*>(*this) == Object);
  }
  operator T*() const {
    uint32_t low = 0;
    uint16_t high = 0;
    std::memcpy(&low, bytes_, sizeof low);
    std::memcpy(&high, bytes_ + sizeof low, sizeof high);
    const uint64_t address = low | (uint64_t{high} << 32);
    return reinterpret_cast<T*>(static_cast<int64_t>(address << 16) >> 16);
  }
  T* operator->() const { return *this; }

 private:
  unsigned char bytes_[6];
};

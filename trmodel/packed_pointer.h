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
  TPackedPointer(T* Object = nullptr) {
    const auto address = reinterpret_cast<uintptr_t>(Object);
    std::memcpy(bytes_, &address, sizeof bytes_);
    assert(static_cast<T*>(*this) == Object);
  }
  operator T*() const {
    uint64_t address = 0;
    std::memcpy(&address, bytes_, sizeof bytes_);
    return reinterpret_cast<T*>(static_cast<int64_t>(address << 16) >> 16);
  }
  T* operator->() const { return *this; }

 private:
  unsigned char bytes_[6];
};

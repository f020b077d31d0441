#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

// Many objects of a map made at once (a map file read) share large blocks
// of memory instead of each taking its own; objects made one at a time
// share the blocks of their thread. Every object still has exactly one
// owner, a TOwned: the list it is in, or the edit that removed it. A block
// stays until the last object made in it is gone, wherever its owner is by
// then. Every block starts on a multiple of kBlockSpan and ends within it,
// so the block of an object is found from the object's address, and an
// owner is a single pointer: lists of millions of them move half as much.
inline constexpr size_t kBlockSpan = size_t{4} << 20;

class TObjectBlock {
 public:
  // A block with room for Bytes, at most kBlockSpan with the header; the one
  // who asks for it holds it.
  static TObjectBlock* Create(size_t Bytes);
  static TObjectBlock* Of(const void* Object) {
    return reinterpret_cast<TObjectBlock*>(
        reinterpret_cast<std::uintptr_t>(Object) & ~(kBlockSpan - 1));
  }
  TObjectBlock(const TObjectBlock&) = delete;
  TObjectBlock& operator=(const TObjectBlock&) = delete;

  std::byte* Room() { return reinterpret_cast<std::byte*>(this + 1); }
  void Hold() { ++Holders; }
  // Frees the block when its last holder lets go. Maps are used from one
  // thread, so the count needs no lock.
  void Release();
  // Under AddressSanitizer, any later use of the ended object is reported.
  static void Ended(const void* Object, size_t Bytes);

 private:
  explicit TObjectBlock(size_t ABytes) : Bytes(ABytes) {}

  size_t Bytes;
  size_t Holders = 1;
};

class TTrLine;

// How a TOwned lets its object go: ends it and lets go of its block.
struct TObjectDelete {
  // A line is ended as the kind it is: lines have no virtual destructor.
  void operator()(TTrLine* Line) const;
  template <typename T>
  void operator()(T* Object) const {
    TObjectBlock* block = TObjectBlock::Of(Object);
    Object->~T();
    TObjectBlock::Ended(Object, sizeof(T));
    block->Release();
  }
};

// The owner of one object of a map, made by a TBlockMaker or MakeOwned.
template <typename T>
using TOwned = std::unique_ptr<T, TObjectDelete>;
static_assert(sizeof(TOwned<int>) == sizeof(int*));

// Makes objects of type T one after another in blocks.
template <typename T>
class TBlockMaker {
 public:
  TBlockMaker() = default;
  TBlockMaker(const TBlockMaker&) = delete;
  TBlockMaker& operator=(const TBlockMaker&) = delete;
  ~TBlockMaker() {
    if (block_ != nullptr) block_->Release();
  }

  template <typename... TArgs>
  TOwned<T> Make(TArgs&&... Args) {
    if (block_ == nullptr || made_ == kCount) NextBlock();
    void* at = block_->Room() + made_ * sizeof(T);
    T* object = new (at) T(std::forward<TArgs>(Args)...);
    ++made_;
    block_->Hold();
    return TOwned<T>(object);
  }

 private:
  // Blocks are as large as their span: a block is address space until its
  // objects touch it, and a thread's objects of one kind share them.
  static constexpr size_t kCount =
      (kBlockSpan - sizeof(TObjectBlock)) / sizeof(T);
  static_assert(kCount > 0);

  void NextBlock() {
    TObjectBlock* next = TObjectBlock::Create(kCount * sizeof(T));
    if (block_ != nullptr) block_->Release();
    block_ = next;
    made_ = 0;
  }

  TObjectBlock* block_ = nullptr;
  size_t made_ = 0;
};

// One object made on its own, in this thread's blocks for its type.
template <typename T, typename... TArgs>
TOwned<T> MakeOwned(TArgs&&... Args) {
  thread_local TBlockMaker<T> maker;
  return maker.Make(std::forward<TArgs>(Args)...);
}

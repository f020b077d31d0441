#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <utility>

// Many objects of a map made at once (a map file read) share large blocks
// of memory instead of each taking its own. Every object still has exactly
// one owner, a TOwned: the list it is in, or the edit that removed it. A
// block stays until the last object made in it is gone, wherever its
// owner is by then.
class TObjectBlock {
 public:
  // A block with room for Bytes; the one who asks for it holds it.
  static TObjectBlock* Create(size_t Bytes);
  TObjectBlock(const TObjectBlock&) = delete;
  TObjectBlock& operator=(const TObjectBlock&) = delete;

  std::byte* Room() { return reinterpret_cast<std::byte*>(this + 1); }
  void Hold() { ++Holders; }
  // Frees the block when its last holder lets go. Maps are used from one
  // thread, so the count needs no lock.
  void Release();

 private:
  explicit TObjectBlock(size_t ABytes) : Bytes(ABytes) {}

  size_t Bytes;
  size_t Holders = 1;
};

// How a TOwned lets its object go: deletes an object of its own, or ends
// one made in a block and lets go of the block.
struct TObjectDelete {
  TObjectBlock* Block = nullptr;

  TObjectDelete() = default;
  explicit TObjectDelete(TObjectBlock* ABlock) : Block(ABlock) {}
  // An object from new, taken over from a std::unique_ptr.
  template <typename T>
  TObjectDelete(const std::default_delete<T>&) {}

  template <typename T>
  void operator()(T* Object) const {
    if (Block == nullptr) {
      delete Object;
      return;
    }
    Object->~T();
    Block->Release();
  }
};

// The owner of one object of a map.
template <typename T>
using TOwned = std::unique_ptr<T, TObjectDelete>;

// Makes objects of type T one after another in blocks that grow as it goes.
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
    if (block_ == nullptr || made_ == capacity_) NextBlock();
    void* at = block_->Room() + made_ * sizeof(T);
    T* object = new (at) T(std::forward<TArgs>(Args)...);
    ++made_;
    block_->Hold();
    return TOwned<T>(object, TObjectDelete(block_));
  }

 private:
  // The first block is small, for the many small maps; each next one twice
  // as large, up to a few megabytes with its header: a few bytes more would
  // take a huge page more, which the system fills in whole when they are
  // touched.
  static constexpr size_t kFirstCount = 64;
  static constexpr size_t kLargestBytes = size_t{4} << 20;
  static constexpr size_t kLargestCount =
      std::max<size_t>((kLargestBytes - sizeof(TObjectBlock)) / sizeof(T), 1);

  void NextBlock() {
    capacity_ =
        capacity_ == 0 ? kFirstCount : std::min(2 * capacity_, kLargestCount);
    TObjectBlock* next = TObjectBlock::Create(capacity_ * sizeof(T));
    if (block_ != nullptr) block_->Release();
    block_ = next;
    made_ = 0;
  }

  TObjectBlock* block_ = nullptr;
  size_t capacity_ = 0;
  size_t made_ = 0;
};

#pragma once

#include <cstddef>
#include <memory>

#include "pointer_set.h"

// A set of objects of one kind, none owned, that is cheap to copy: copies
// share what they hold until one of them changes it. A selection of a
// million objects is copied into every step of the history and into every
// gesture; only the one that changes pays for a copy.
template <typename T>
class TObjectSet {
 public:
  using TItems = TPointerSet<T>;

  bool Contains(const T* Object) const {
    return Items != nullptr && Items->Contains(Object);
  }
  size_t Size() const { return Items != nullptr ? Items->Size() : 0; }
  bool Empty() const { return Size() == 0; }

  void Insert(T* Object) { Own().Insert(Object); }
  // Says whether it held Object.
  bool Erase(const T* Object) {
    if (!Contains(Object)) return false;
    Own().Erase(Object);
    return true;
  }
  void Clear() { Items.reset(); }
  // Room for Count objects, for one who inserts many.
  void Reserve(size_t Count) { Own().Reserve(Count); }

  // In no particular order; the set must not change meanwhile.
  template <typename TVisit>
  void ForEach(TVisit Visit) const {
    if (Items == nullptr) return;
    Items->ForEach(Visit);
  }

  bool operator==(const TObjectSet& Other) const {
    if (Items == Other.Items) return true;
    if (Size() != Other.Size()) return false;
    return Size() == 0 || *Items == *Other.Items;
  }

 private:
  TItems& Own() {
    if (Items == nullptr) {
      Items = std::make_shared<TItems>();
    } else if (Items.use_count() > 1) {
      Items = std::make_shared<TItems>(*Items);
    }
    return *Items;
  }

  std::shared_ptr<TItems> Items;
};

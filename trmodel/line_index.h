#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TTrLine;

// Finds lines by identifier while a map file is read, in constant time, so
// that loading grows linearly with the file. Open addressing in one flat
// table: no allocation per line.
class TLineIndex {
 public:
  TTrLine* Find(int32_t Id) const;
  // Id must not be in the index yet.
  void Add(int32_t Id, TTrLine* Line);

 private:
  struct TSlot {
    int32_t Id = 0;
    TTrLine* Line = nullptr;  // null marks a free slot
  };

  size_t SlotOf(int32_t Id) const;
  void Grow();

  std::vector<TSlot> slots_;
  size_t count_ = 0;
};

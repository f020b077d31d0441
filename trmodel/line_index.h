#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TTrLine;

// Finds the tracks and walls of a map file by identifier while it is read,
// in constant time, so that loading grows linearly with the file; a track
// and a wall may share an identifier. The identifiers the editor hands out
// are small and dense: those are found by position in a table that grows as
// they come, never beyond a few entries for each line added; the others by
// open addressing in one flat table. No allocation per line. A file of
// millions of lines makes the table by position large, so its entries are
// 32 bits: the place of the line among those added, and its kind.
class TLineIndex {
 public:
  TTrLine* Find(int32_t Id, bool Wall) const;
  // No line of that kind may have Id yet.
  void Add(int32_t Id, bool Wall, TTrLine* Line);

 private:
  struct TSlot {
    int32_t Id = 0;
    bool Wall = false;
    TTrLine* Line = nullptr;  // null marks a free slot
  };

  size_t SlotOf(int32_t Id) const;
  void Grow();
  void AddHashed(const TSlot& Slot);

  // Each entry of byId_ is 0 for none, else the place in lines_ plus one,
  // with kWallBit set for a wall.
  static constexpr uint32_t kWallBit = uint32_t{1} << 31;
  std::vector<uint32_t> byId_;
  std::vector<TTrLine*> lines_;
  size_t added_ = 0;
  std::vector<TSlot> slots_;
  size_t hashed_ = 0;
};

#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <span>
#include <vector>

// The entries of many small cells in one array, each cell a run of it with
// room to grow. A grid of a large map has millions of cells: as vectors of
// their own, each would cost its header and an allocation besides its
// entries. A cell that outgrows its room moves to the end of the array,
// leaving its old run unused; once unused runs make up half the array, the
// cells are packed again.
template <typename TEntry>
class TCellStore {
 public:
  explicit TCellStore(size_t Cells = 0) : cells_(Cells) {}

  // As many empty cells as Cells.
  void Reset(size_t Cells) {
    cells_.assign(Cells, {});
    entries_ = {};
    unused_ = 0;
  }
  size_t Cells() const { return cells_.size(); }

  std::span<const TEntry> Cell(size_t Index) const {
    const TCell& cell = cells_[Index];
    return {entries_.data() + cell.Start, cell.Size};
  }

  // Packs the cells so that each has room for More[i] entries besides its
  // own: filling them then moves nothing.
  void Reserve(std::span<const uint32_t> More) { Pack(More); }

  void Push(size_t Index, const TEntry& Entry) {
    TCell& cell = cells_[Index];
    if (cell.Size == cell.Room)
      Move(cell, std::max<uint32_t>(4, cell.Room * 2));
    entries_[cell.Start + cell.Size++] = Entry;
  }

  // Takes out the first entry of the cell that Match accepts, the cell's
  // last entry taking its place; nothing when none does.
  template <typename TMatch>
  std::optional<TEntry> Take(size_t Index, TMatch Match) {
    TCell& cell = cells_[Index];
    TEntry* run = entries_.data() + cell.Start;
    for (uint32_t i = 0; i < cell.Size; ++i) {
      if (!Match(run[i])) continue;
      const TEntry taken = run[i];
      run[i] = run[--cell.Size];
      return taken;
    }
    return std::nullopt;
  }

 private:
  // Twelve bytes a cell: the array is never let grow past what 32 bits
  // can index, some fifty gigabytes of entries.
  struct TCell {
    uint32_t Start = 0;
    uint32_t Size = 0;
    uint32_t Room = 0;
  };

  // An array of Length entries that 32 bits cannot index is beyond what
  // memory could hold, and fails as when memory runs out.
  static void CheckIndexable(size_t Length) {
    if (Length > std::numeric_limits<uint32_t>::max()) throw std::bad_alloc();
  }

  // Gives the cell a run of Room entries at the end of the array.
  void Move(TCell& Cell, uint32_t Room) {
    if (unused_ + Cell.Room > entries_.size() / 2 && entries_.size() > 1024) {
      Pack({});
    }
    const size_t start = entries_.size();
    CheckIndexable(start + Room);
    // Grows by half, not by doubling: the array may hold most of a map.
    if (entries_.capacity() < start + Room) {
      entries_.reserve(std::max(start + Room, start + start / 2));
    }
    entries_.resize(start + Room);
    std::copy_n(entries_.data() + Cell.Start, Cell.Size,
                entries_.data() + start);
    unused_ += Cell.Room;
    Cell.Start = static_cast<uint32_t>(start);
    Cell.Room = Room;
  }

  // Lays the cells out anew in their order, each with room for its entries
  // and More[i] besides (none where More is empty).
  void Pack(std::span<const uint32_t> More) {
    size_t total = 0;
    for (size_t i = 0; i < cells_.size(); ++i) {
      total += cells_[i].Size + (More.empty() ? 0 : More[i]);
    }
    CheckIndexable(total);
    std::vector<TEntry> packed(total);
    uint32_t start = 0;
    for (size_t i = 0; i < cells_.size(); ++i) {
      TCell& cell = cells_[i];
      std::copy_n(entries_.data() + cell.Start, cell.Size,
                  packed.data() + start);
      cell.Start = start;
      cell.Room = cell.Size + (More.empty() ? 0 : More[i]);
      start += cell.Room;
    }
    entries_ = std::move(packed);
    unused_ = 0;
  }

  std::vector<TCell> cells_;
  std::vector<TEntry> entries_;
  // Entries of the array in runs no cell uses.
  size_t unused_ = 0;
};

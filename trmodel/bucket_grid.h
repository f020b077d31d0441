#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "world_box.h"

// A uniform grid of cells laid over the plane. Places beyond its edges
// belong to its edge cells, so every place has a cell.
struct TGridGeometry {
  double Left = 0.0;
  double Bottom = 0.0;
  double CellWidth = 1.0;
  double CellHeight = 1.0;
  int32_t Columns = 1;
  int32_t Rows = 1;

  int32_t Column(double X) const {
    return Clamp((X - Left) / CellWidth, Columns);
  }
  int32_t Row(double Y) const { return Clamp((Y - Bottom) / CellHeight, Rows); }
  size_t Cells() const { return static_cast<size_t>(Columns) * Rows; }

 private:
  // Monotonic in Cell, so a box always covers the cells of what it holds.
  static int32_t Clamp(double Cell, int32_t Count) {
    if (!(Cell >= 0.0)) return 0;
    if (!(Cell < Count)) return Count - 1;
    return static_cast<int32_t>(Cell);
  }
};

// The cells from (Column0, Row0) to (Column1, Row1), edges included.
struct TCellRange {
  int32_t Column0;
  int32_t Row0;
  int32_t Column1;
  int32_t Row1;

  size_t Cells() const {
    return static_cast<size_t>(Column1 - Column0 + 1) * (Row1 - Row0 + 1);
  }
};

// Objects of one kind filed by their boxes in the cells of a grid: each in
// every cell its box covers, or, when that would be many cells or the box
// is not finite, in one list of large objects that every look-up reads.
// Each object carries a key, which the grid keeps but does not interpret.
template <typename T>
class TBucketGrid {
 public:
  struct TEntry {
    uint64_t Key;
    T* Object;
  };

  // Empties the grid and lays it out anew.
  void Reset(const TGridGeometry& Geometry) {
    geometry_ = Geometry;
    cells_.assign(Geometry.Cells(), {});
    large_.clear();
  }
  const TGridGeometry& Geometry() const { return geometry_; }

  TCellRange RangeOf(const TWorldBox& Box) const {
    return {geometry_.Column(Box.MinX), geometry_.Row(Box.MinY),
            geometry_.Column(Box.MaxX), geometry_.Row(Box.MaxY)};
  }

  // Files the objects of List (a list of owners) in its order, the i-th
  // with key First + i * Step; each cell grows once.
  template <typename TList, typename TBoxOf>
  void Fill(const TList& List, TBoxOf BoxOf, uint64_t First, uint64_t Step) {
    std::vector<uint32_t> counts(cells_.size());
    for (const auto& owner : List) {
      const TWorldBox box = BoxOf(*owner);
      if (IsLarge(box)) continue;
      const TCellRange range = RangeOf(box);
      for (int32_t row = range.Row0; row <= range.Row1; ++row) {
        for (int32_t column = range.Column0; column <= range.Column1;
             ++column) {
          ++counts[CellIndex(column, row)];
        }
      }
    }
    for (size_t cell = 0; cell < cells_.size(); ++cell) {
      cells_[cell].reserve(cells_[cell].size() + counts[cell]);
    }
    uint64_t key = First;
    for (const auto& owner : List) {
      Insert({key, owner.get()}, BoxOf(*owner));
      key += Step;
    }
  }
  void Insert(const TEntry& Entry, const TWorldBox& Box) {
    if (IsLarge(Box)) {
      large_.push_back(Entry);
      return;
    }
    ForEachCell(RangeOf(Box),
                [&](std::vector<TEntry>& Cell) { Cell.push_back(Entry); });
  }
  // Takes out Object, filed with Box, and gives its key; nothing when it is
  // not filed here.
  std::optional<uint64_t> Remove(const T* Object, const TWorldBox& Box) {
    std::optional<uint64_t> key;
    const auto take = [&](std::vector<TEntry>& List) {
      for (size_t i = 0; i < List.size(); ++i) {
        if (List[i].Object != Object) continue;
        key = List[i].Key;
        List[i] = List.back();
        List.pop_back();
        return;
      }
    };
    if (IsLarge(Box)) {
      take(large_);
    } else {
      ForEachCell(RangeOf(Box), take);
    }
    return key;
  }
  std::optional<uint64_t> KeyOf(const T* Object, const TWorldBox& Box) const {
    const std::vector<TEntry>& list =
        IsLarge(Box)
            ? large_
            : cells_[CellIndex(RangeOf(Box).Column0, RangeOf(Box).Row0)];
    for (const TEntry& entry : list) {
      if (entry.Object == Object) return entry.Key;
    }
    return std::nullopt;
  }

  // Visits every entry whose box may hold the place (X, Y): those of its
  // cell and the large ones.
  template <typename TVisit>
  void ForEachAt(double X, double Y, TVisit Visit) const {
    for (const TEntry& entry :
         cells_[CellIndex(geometry_.Column(X), geometry_.Row(Y))]) {
      Visit(entry);
    }
    ForEachLarge(Visit);
  }
  template <typename TVisit>
  void ForEachLarge(TVisit Visit) const {
    for (const TEntry& entry : large_) Visit(entry);
  }

  // Appends to Found the entry of every object whose box, as BoxOf gives
  // it, meets Box; each object once, in no particular order.
  template <typename TBoxOf>
  void Collect(const TWorldBox& Box, TBoxOf BoxOf,
               std::vector<TEntry>& Found) const {
    const TCellRange range = RangeOf(Box);
    for (int32_t row = range.Row0; row <= range.Row1; ++row) {
      for (int32_t column = range.Column0; column <= range.Column1; ++column) {
        for (const TEntry& entry : cells_[CellIndex(column, row)]) {
          const TWorldBox box = BoxOf(*entry.Object);
          if (!box.Meets(Box)) continue;
          // An object filed in several cells is taken in the first cell
          // that both its box and Box cover.
          const TCellRange own = RangeOf(box);
          if (column == std::max(own.Column0, range.Column0) &&
              row == std::max(own.Row0, range.Row0)) {
            Found.push_back(entry);
          }
        }
      }
    }
    for (const TEntry& entry : large_) {
      if (BoxOf(*entry.Object).Meets(Box)) Found.push_back(entry);
    }
  }

 private:
  // An object filed in more cells than this goes to the large list.
  static constexpr size_t kMaxCells = 16;

  bool IsLarge(const TWorldBox& Box) const {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const bool finite =
        Box.MinX > -inf && Box.MaxX < inf && Box.MinY > -inf && Box.MaxY < inf;
    return !finite || RangeOf(Box).Cells() > kMaxCells;
  }
  size_t CellIndex(int32_t Column, int32_t Row) const {
    return static_cast<size_t>(Row) * geometry_.Columns + Column;
  }
  template <typename TVisit>
  void ForEachCell(const TCellRange& Range, TVisit Visit) {
    for (int32_t row = Range.Row0; row <= Range.Row1; ++row) {
      for (int32_t column = Range.Column0; column <= Range.Column1; ++column) {
        Visit(cells_[CellIndex(column, row)]);
      }
    }
  }

  TGridGeometry geometry_;
  std::vector<std::vector<TEntry>> cells_{1};
  std::vector<TEntry> large_;
};

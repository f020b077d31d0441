#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "cell_store.h"
#include "grid_entry.h"
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
// Each object carries a key of up to kMaxKey, which the grid keeps but does
// not interpret.
template <typename T>
class TBucketGrid {
 public:
  using TEntry = TGridEntry<T>;
  static constexpr uint64_t kMaxKey = TEntry::kMaxKey;

  // Empties the grid and lays it out anew.
  void Reset(const TGridGeometry& Geometry) {
    geometry_ = Geometry;
    cells_.Reset(Geometry.Cells());
    large_.clear();
    content_ = kNothing;
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
    std::vector<uint32_t> counts(cells_.Cells());
    for (const auto& owner : List) {
      const TWorldBox box = BoxOf(*owner);
      if (IsLarge(box)) continue;
      ForEachCellIndex(RangeOf(box), [&](size_t Cell) { ++counts[Cell]; });
    }
    cells_.Reserve(counts);
    uint64_t key = First;
    for (const auto& owner : List) {
      Insert(key, owner.get(), BoxOf(*owner));
      key += Step;
    }
  }
  void Insert(uint64_t Key, T* Object, const TWorldBox& Box) {
    const TEntry entry{Key, Object};
    if (IsLarge(Box)) {
      large_.push_back(entry);
      return;
    }
    ForEachCellIndex(RangeOf(Box),
                     [&](size_t Cell) { cells_.Push(Cell, entry); });
    content_ = {
        std::min(content_.MinX, Box.MinX), std::min(content_.MinY, Box.MinY),
        std::max(content_.MaxX, Box.MaxX), std::max(content_.MaxY, Box.MaxY)};
  }
  // Takes out Object, filed with Box, and gives its key; nothing when it is
  // not filed here.
  std::optional<uint64_t> Remove(const T* Object, const TWorldBox& Box) {
    std::optional<uint64_t> key;
    if (IsLarge(Box)) {
      for (size_t i = 0; i < large_.size(); ++i) {
        if (large_[i].Object() != Object) continue;
        key = large_[i].Key();
        large_[i] = large_.back();
        large_.pop_back();
        break;
      }
      return key;
    }
    ForEachCellIndex(RangeOf(Box), [&](size_t Cell) {
      const std::optional<TEntry> taken = cells_.Take(
          Cell, [&](const TEntry& Entry) { return Entry.Object() == Object; });
      if (taken) key = taken->Key();
    });
    return key;
  }
  std::optional<uint64_t> KeyOf(const T* Object, const TWorldBox& Box) const {
    const TCellRange range = RangeOf(Box);
    const std::span<const TEntry> list =
        IsLarge(Box) ? std::span<const TEntry>(large_)
                     : cells_.Cell(CellIndex(range.Column0, range.Row0));
    for (const TEntry& entry : list) {
      if (entry.Object() == Object) return entry.Key();
    }
    return std::nullopt;
  }

  // Visits every entry whose box may hold the place (X, Y): those of its
  // cell and the large ones.
  template <typename TVisit>
  void ForEachAt(double X, double Y, TVisit Visit) const {
    for (const TEntry& entry :
         cells_.Cell(CellIndex(geometry_.Column(X), geometry_.Row(Y)))) {
      Visit(entry);
    }
    ForEachLarge(Visit);
  }
  template <typename TVisit>
  void ForEachLarge(TVisit Visit) const {
    for (const TEntry& entry : large_) Visit(entry);
  }

  // Hands Visit every entry filed around (X, Y): the large ones, then those
  // of the cells in rings of cells outward from the cell of (X, Y), passing
  // over cells that lie farther from it than Reach() (asked anew for each
  // cell) and stopping after a ring that lies farther as a whole; rings lie
  // ever farther, as the cells cover the plane. Cell distances are taken a
  // little short, so that no rounding can pass over a cell within reach.
  // An object filed in several cells may come more than once.
  template <typename TVisit, typename TReach>
  void VisitAround(double X, double Y, TVisit Visit, TReach Reach) const {
    ForEachLarge(Visit);
    const int32_t column0 = geometry_.Column(X);
    const int32_t row0 = geometry_.Row(Y);
    const int32_t lastColumn = geometry_.Columns - 1;
    const int32_t lastRow = geometry_.Rows - 1;
    const int32_t rings =
        std::max({column0, lastColumn - column0, row0, lastRow - row0});
    for (int32_t ring = 0; ring <= rings; ++ring) {
      bool near = false;
      const auto visit = [&](int32_t Column, int32_t Row) {
        if (CellDistance(Column, Row, X, Y) > Reach()) return;
        near = true;
        for (const TEntry& entry : cells_.Cell(CellIndex(Column, Row))) {
          Visit(entry);
        }
      };
      if (ring == 0) {
        visit(column0, row0);
      } else {
        const int32_t left = std::max(column0 - ring, 0);
        const int32_t right = std::min(column0 + ring, lastColumn);
        for (const int32_t row : {row0 - ring, row0 + ring}) {
          if (row < 0 || row > lastRow) continue;
          for (int32_t column = left; column <= right; ++column) {
            visit(column, row);
          }
        }
        const int32_t bottom = std::max(row0 - ring + 1, 0);
        const int32_t top = std::min(row0 + ring - 1, lastRow);
        for (const int32_t column : {column0 - ring, column0 + ring}) {
          if (column < 0 || column > lastColumn) continue;
          for (int32_t row = bottom; row <= top; ++row) visit(column, row);
        }
      }
      if (!near) return;
    }
  }

  // Appends to Found the entry of every object whose box, as BoxOf gives
  // it, meets Box, in no particular order; an object filed in several
  // cells may come more than once.
  template <typename TBoxOf>
  void Collect(const TWorldBox& Box, TBoxOf BoxOf,
               std::vector<TEntry>& Found) const {
    const TCellRange range = RangeOf(Box);
    for (int32_t row = range.Row0; row <= range.Row1; ++row) {
      // A cell between the edge rows and columns of the range lies wholly
      // inside Box, and so meets every box filed in it.
      const bool innerRow = row > range.Row0 && row < range.Row1;
      for (int32_t column = range.Column0; column <= range.Column1; ++column) {
        const std::span<const TEntry> cell =
            cells_.Cell(CellIndex(column, row));
        if (innerRow && column > range.Column0 && column < range.Column1) {
          Found.insert(Found.end(), cell.begin(), cell.end());
          continue;
        }
        for (const TEntry& entry : cell) {
          if (BoxOf(*entry.Object()).Meets(Box)) Found.push_back(entry);
        }
      }
    }
    for (const TEntry& entry : large_) {
      if (BoxOf(*entry.Object()).Meets(Box)) Found.push_back(entry);
    }
  }

 private:
  // An object filed in more cells than this goes to the large list.
  static constexpr size_t kMaxCells = 16;
  // Far more than the rounding of a few operations on doubles can move a
  // coordinate, relative to its size.
  static constexpr double kRelativeSlack = 1e-9;

  bool IsLarge(const TWorldBox& Box) const {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const bool finite =
        Box.MinX > -inf && Box.MaxX < inf && Box.MinY > -inf && Box.MaxY < inf;
    return !finite || RangeOf(Box).Cells() > kMaxCells;
  }
  // How far (X, Y) lies from the cell, taken a little short. The edge
  // cells reach out as far as anything ever filed in a cell.
  double CellDistance(int32_t Column, int32_t Row, double X, double Y) const {
    const auto gap = [](double Value, double Low, double High) {
      const double outside =
          Value < Low ? Low - Value : (Value > High ? Value - High : 0.0);
      return std::max(0.0,
                      outside - (std::fabs(Value) + outside) * kRelativeSlack);
    };
    const TGridGeometry& g = geometry_;
    const double left = g.Left + Column * g.CellWidth;
    const double right = g.Left + (Column + 1) * g.CellWidth;
    const double bottom = g.Bottom + Row * g.CellHeight;
    const double top = g.Bottom + (Row + 1) * g.CellHeight;
    const double dx =
        gap(X, Column == 0 ? std::min(left, content_.MinX) : left,
            Column == g.Columns - 1 ? std::max(right, content_.MaxX) : right);
    const double dy =
        gap(Y, Row == 0 ? std::min(bottom, content_.MinY) : bottom,
            Row == g.Rows - 1 ? std::max(top, content_.MaxY) : top);
    return std::sqrt(dx * dx + dy * dy);
  }
  size_t CellIndex(int32_t Column, int32_t Row) const {
    return static_cast<size_t>(Row) * geometry_.Columns + Column;
  }
  template <typename TVisit>
  void ForEachCellIndex(const TCellRange& Range, TVisit Visit) const {
    for (int32_t row = Range.Row0; row <= Range.Row1; ++row) {
      for (int32_t column = Range.Column0; column <= Range.Column1; ++column) {
        Visit(CellIndex(column, row));
      }
    }
  }

  static constexpr TWorldBox kNothing{std::numeric_limits<double>::infinity(),
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity()};

  TGridGeometry geometry_;
  TCellStore<TEntry> cells_{1};
  std::vector<TEntry> large_;
  // A box holding every box ever filed in a cell since the grid was laid
  // out: taking objects out does not shrink it.
  TWorldBox content_ = kNothing;
};

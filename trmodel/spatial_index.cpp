#include "spatial_index.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <type_traits>

#include "train_structure.h"

namespace {

// Keys of consecutive objects are this far apart when the index is made,
// so that about twenty objects can be put back between two neighbours.
constexpr uint64_t kKeyStep = uint64_t{1} << 20;
// About this many points share a cell of a new grid.
constexpr size_t kPointsPerCell = 16;
// A map that grows to this many times the points its grid was laid out
// for gets a new grid.
constexpr size_t kGrowthAllowed = 2;
constexpr size_t kGrowthSlack = 1024;
// The share of points at each end of each axis left out when the grid is
// laid out, so that a few points far away cannot crowd the rest into one
// cell; they fall into the edge cells.
constexpr size_t kOutlierShare = 1000;

constexpr TWorldBox kEverywhere{-std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::infinity()};

// A box whose coordinates are not ordered (one was not a number) is taken
// to be everywhere.
TWorldBox Ordered(const TWorldBox& Box) {
  return Box.MinX <= Box.MaxX && Box.MinY <= Box.MaxY ? Box : kEverywhere;
}

// The point at which a train enters its line; none for a train without one.
const TTrPoint* EntryPoint(const TTrain& Train) {
  const TTrLine* line = Train.Position.Line;
  if (line == nullptr) return nullptr;
  return Train.Position.Dir == 1 ? line->P1 : line->P2;
}

// From Low (a quantile) to High along one axis, cut into Count cells.
void LayOut(double Low, double High, int32_t Count, double& Start,
            double& Size) {
  Start = Low;
  Size = High > Low ? (High - Low) / Count : 1.0;
  if (!(Size > 0.0) || !std::isfinite(Size)) Size = 1.0;
}

// The layout for the points of Map: about kPointsPerCell points a cell
// over the place where all but a few of them lie.
TGridGeometry GeometryFor(const TTrainStructureSV& Map) {
  std::vector<double> xs;
  std::vector<double> ys;
  xs.reserve(Map.Points.size());
  ys.reserve(Map.Points.size());
  for (const auto& point : Map.Points) {
    if (std::isfinite(point->Pos.X) && std::isfinite(point->Pos.Y)) {
      xs.push_back(point->Pos.X);
      ys.push_back(point->Pos.Y);
    }
  }
  TGridGeometry geometry;
  if (xs.empty()) return geometry;
  const size_t cut = xs.size() / kOutlierShare;
  const auto quantile = [](std::vector<double>& Values, size_t At) {
    std::nth_element(Values.begin(), Values.begin() + At, Values.end());
    return Values[At];
  };
  const double left = quantile(xs, cut);
  const double right = quantile(xs, xs.size() - 1 - cut);
  const double bottom = quantile(ys, cut);
  const double top = quantile(ys, ys.size() - 1 - cut);

  const double cells =
      static_cast<double>(std::max<size_t>(1, xs.size() / kPointsPerCell));
  const double width = right - left;
  const double height = top - bottom;
  double columns = 1.0;
  double rows = 1.0;
  if (width > 0.0 && height > 0.0) {
    const double side = std::sqrt(width * height / cells);
    columns = std::ceil(width / side);
    rows = std::ceil(height / side);
  } else if (width > 0.0) {
    columns = cells;
  } else if (height > 0.0) {
    rows = cells;
  }
  // A side of the grid never has more cells than all of it should.
  geometry.Columns = static_cast<int32_t>(std::clamp(columns, 1.0, cells));
  geometry.Rows = static_cast<int32_t>(std::clamp(rows, 1.0, cells));
  LayOut(left, right, geometry.Columns, geometry.Left, geometry.CellWidth);
  LayOut(bottom, top, geometry.Rows, geometry.Bottom, geometry.CellHeight);
  return geometry;
}

// Sorts entries by key, with Room to work in. Keys found in a view are
// many, and a few passes of counting over the bits in which they differ
// beat comparisons.
template <typename TEntry>
void SortByKey(std::vector<TEntry>& Entries, std::vector<TEntry>& Room) {
  constexpr size_t kFew = 256;
  const auto byKey = [](const TEntry& A, const TEntry& B) {
    return A.Key() < B.Key();
  };
  if (Entries.size() < kFew) {
    std::sort(Entries.begin(), Entries.end(), byKey);
    return;
  }
  const auto [lowest, highest] =
      std::minmax_element(Entries.begin(), Entries.end(), byKey);
  const uint64_t low = lowest->Key();
  uint64_t differing = 0;
  for (const TEntry& entry : Entries) differing |= entry.Key() - low;
  if (differing == 0) return;
  // As few passes as digits of at most kMaxDigitBits allow, the bits
  // shared out evenly among them: a view's keys differ in about 24 bits,
  // two passes of 12 rather than three of 11 and one of 2.
  constexpr int kMaxDigitBits = 12;
  const int first = std::countr_zero(differing);
  const int bits = std::bit_width(differing) - first;
  const int passes = (bits + kMaxDigitBits - 1) / kMaxDigitBits;
  const int digitBits = (bits + passes - 1) / passes;
  const uint64_t mask = (uint64_t{1} << digitBits) - 1;
  Room.resize(Entries.size());
  for (int pass = 0; pass < passes; ++pass) {
    const int shift = first + pass * digitBits;
    std::array<size_t, (size_t{1} << kMaxDigitBits) + 1> start{};
    const auto digit = [&](const TEntry& Entry) {
      return static_cast<size_t>(((Entry.Key() - low) >> shift) & mask);
    };
    for (const TEntry& entry : Entries) ++start[digit(entry) + 1];
    for (size_t d = 1; d <= mask + 1; ++d) start[d] += start[d - 1];
    for (const TEntry& entry : Entries) Room[start[digit(entry)]++] = entry;
    Entries.swap(Room);
  }
}

}  // namespace

TWorldBox TSpatialIndex::BoxOf(const TTrPoint& Point) {
  return Ordered({Point.Pos.X, Point.Pos.Y, Point.Pos.X, Point.Pos.Y});
}

TWorldBox TSpatialIndex::BoxOf(const TTrLine& Line) {
  if (Line.P1 == nullptr || Line.P2 == nullptr) return kEverywhere;
  const TTrVector& a = Line.P1->Pos;
  const TTrVector& b = Line.P2->Pos;
  return Ordered({std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X),
                  std::max(a.Y, b.Y)});
}

// Walking the track from its entry point, a train never gets farther from
// it than the distance walked: every link leads on from the point where its
// line ends.
TWorldBox TSpatialIndex::BoxOf(const TTrain& Train) {
  const TTrPoint* entry = EntryPoint(Train);
  if (entry == nullptr) return kEverywhere;
  const double reach =
      std::fabs(Train.Position.Offset) + std::fabs(Train.Length);
  const TTrVector& at = entry->Pos;
  return Ordered({at.X - reach, at.Y - reach, at.X + reach, at.Y + reach});
}

TSpatialIndex::TSpatialIndex(const TTrainStructureSV& AMap)
    : Map(AMap), PlannedPoints(AMap.Points.size()) {
  const TGridGeometry geometry = GeometryFor(Map);
  const auto fill = [&]<typename T>(TBucketGrid<T>& Grid, const auto& List) {
    Grid.Reset(geometry);
    // Only a list of hundreds of millions needs keys closer together.
    const uint64_t step =
        std::min(kKeyStep, TBucketGrid<T>::kMaxKey / (List.size() + 1));
    Grid.Fill(
        List, [](const auto& Object) { return BoxOf(Object); }, step, step);
  };
  fill(Points_.Grid, Map.Points);
  fill(Tracks_.Grid, Map.Tracks);
  fill(Walls_.Grid, Map.Walls);
  fill(Trains_.Grid, Map.Trains);
}

template <typename T>
const auto& TSpatialIndex::ListOf() const {
  if constexpr (std::is_same_v<T, TTrPoint>) {
    return Map.Points;
  } else if constexpr (std::is_same_v<T, TTrack>) {
    return Map.Tracks;
  } else if constexpr (std::is_same_v<T, TWall>) {
    return Map.Walls;
  } else {
    return Map.Trains;
  }
}

bool TSpatialIndex::Selective(const TWorldBox& Box) const {
  // Cells to read against objects to visit, both about as dear.
  return Points_.Grid.RangeOf(Box).Cells() * 4 <=
         Points_.Grid.Geometry().Cells();
}

size_t TSpatialIndex::PointsAbout(const TWorldBox& Box) const {
  const TBucketGrid<TTrPoint>& grid = Points_.Grid;
  return grid.RangeOf(Box).Cells() * PlannedPoints /
         std::max<size_t>(grid.Geometry().Cells(), 1);
}

template <typename T>
std::span<T* const> TSpatialIndex::Find(const TWorldBox& Box) const {
  const TKind<T>& kind = KindOf<T>();
  kind.Entries.clear();
  kind.Grid.Collect(
      Box, [](const T& Object) { return BoxOf(Object); }, kind.Entries);
  SortByKey(kind.Entries, kind.Sorting);
  // An object filed in several cells comes once from each.
  kind.Found.clear();
  for (const auto& entry : kind.Entries) {
    if (kind.Found.empty() || kind.Found.back() != entry.Object()) {
      kind.Found.push_back(entry.Object());
    }
  }
  return kind.Found;
}

std::span<TTrPoint* const> TSpatialIndex::Points(const TWorldBox& Box) const {
  return Find<TTrPoint>(Box);
}
std::span<TTrack* const> TSpatialIndex::Tracks(const TWorldBox& Box) const {
  return Find<TTrack>(Box);
}
std::span<TWall* const> TSpatialIndex::Walls(const TWorldBox& Box) const {
  return Find<TWall>(Box);
}
std::span<TTrain* const> TSpatialIndex::Trains(const TWorldBox& Box) const {
  return Find<TTrain>(Box);
}

template <typename T>
void TSpatialIndex::Lift(T* Object) {
  if (const auto key = KindOf<T>().Grid.Remove(Object, BoxOf(*Object))) {
    KindOf<T>().Lifted.emplace_back(*key, Object);
  }
}

// The point itself, the lines that end at it and the trains that enter a
// line there: their boxes all hold the point's place, so they are filed in
// its cell or among the large ones.
void TSpatialIndex::LiftAt(const TTrPoint& Point) {
  Lift(const_cast<TTrPoint*>(&Point));
  const double x = Point.Pos.X;
  const double y = Point.Pos.Y;
  const auto lines = [&]<typename TLine>(TBucketGrid<TLine>& Grid) {
    std::vector<TLine*> ending;
    Grid.ForEachAt(x, y, [&](const auto& Entry) {
      if (Entry.Object()->P1 == &Point || Entry.Object()->P2 == &Point) {
        ending.push_back(Entry.Object());
      }
    });
    for (TLine* line : ending) Lift(line);
  };
  lines(Tracks_.Grid);
  lines(Walls_.Grid);
  std::vector<TTrain*> entering;
  Trains_.Grid.ForEachAt(x, y, [&](const auto& Entry) {
    if (EntryPoint(*Entry.Object()) == &Point)
      entering.push_back(Entry.Object());
  });
  for (TTrain* train : entering) Lift(train);
}

// The line and the trains that enter it at End, whose boxes hold the place
// of the point there.
void TSpatialIndex::LiftLine(TTrLine* Line, uint8_t End) {
  if (auto* track = AsTrack(Line)) {
    Lift(track);
  } else {
    Lift(static_cast<TWall*>(Line));
  }
  std::vector<TTrain*> entering;
  const auto visit = [&](const auto& Entry) {
    const TTrackPosition& position = Entry.Object()->Position;
    if (position.Line == Line && (position.Dir == 1) == (End == 1)) {
      entering.push_back(Entry.Object());
    }
  };
  if (const TTrPoint* at = End == 1 ? Line->P1 : Line->P2) {
    Trains_.Grid.ForEachAt(at->Pos.X, at->Pos.Y, visit);
  } else {
    Trains_.Grid.ForEachLarge(visit);
  }
  for (TTrain* train : entering) Lift(train);
}

template <typename T>
void TSpatialIndex::Forget(T* Object) {
  KindOf<T>().Grid.Remove(Object, BoxOf(*Object));
}

template <typename T>
void TSpatialIndex::PutBack() {
  for (const auto& [key, object] : KindOf<T>().Lifted) {
    KindOf<T>().Grid.Insert(key, object, BoxOf(*object));
  }
  KindOf<T>().Lifted.clear();
}

template <typename T>
bool TSpatialIndex::FileInserted(size_t First, size_t Count) {
  const auto& list = ListOf<T>();
  if constexpr (std::is_same_v<T, TTrPoint>) {
    if (list.size() > kGrowthAllowed * PlannedPoints + kGrowthSlack) {
      return false;
    }
  }
  const auto keyOf = [&](size_t At) {
    const T& object = *list[At];
    return KindOf<T>().Grid.KeyOf(&object, BoxOf(object));
  };
  uint64_t low = 0;
  if (First > 0) {
    const auto before = keyOf(First - 1);
    if (!before) return false;
    low = *before;
  }
  uint64_t step = kKeyStep;
  if (First + Count < list.size()) {
    const auto after = keyOf(First + Count);
    if (!after || *after - low <= Count) return false;
    step = (*after - low) / (Count + 1);
  } else if ((TBucketGrid<T>::kMaxKey - low) / kKeyStep < Count) {
    return false;
  }
  for (size_t i = 0; i < Count; ++i) {
    T* object = list[First + i].get();
    KindOf<T>().Grid.Insert(low + step * (i + 1), object, BoxOf(*object));
  }
  return true;
}

// Runs of neighbours that came back together share the room between the
// objects around the run.
template <typename T>
bool TSpatialIndex::FileInserted(
    const std::vector<map_change::TListEntry<T>>& Entries) {
  for (size_t start = 0; start < Entries.size();) {
    size_t end = start + 1;
    while (end < Entries.size() &&
           Entries[end].Index == Entries[start].Index + (end - start)) {
      ++end;
    }
    if (!FileInserted<T>(Entries[start].Index, end - start)) return false;
    start = end;
  }
  return true;
}

void TSpatialIndex::BeforeChange(const TMapChange& Change) {
  std::visit(
      [this]<typename C>(const C& Record) {
        if constexpr (std::is_same_v<C, map_change::TPointPos>) {
          LiftAt(*Record.Point);
        } else if constexpr (std::is_same_v<C, map_change::TLinePoint>) {
          LiftLine(Record.Line, Record.End);
        } else if constexpr (std::is_same_v<C, map_change::TTrainLength>) {
          Lift(Record.Train);
        } else if constexpr (requires { Record.Held; }) {
          // An object about to leave its list leaves the index for good.
          using T = typename decltype(Record.Held)::element_type;
          if (!Record.Held) Forget(ListOf<T>()[Record.Index].get());
        } else if constexpr (requires { Record.Entries; }) {
          using T =
              typename decltype(Record.Entries.front().Held)::element_type;
          if (Record.Out()) return;
          for (const auto& entry : Record.Entries) {
            Forget(ListOf<T>()[entry.Index].get());
          }
        }
      },
      Change);
}

void TSpatialIndex::AfterChange(const TMapChange& Change) {
  PutBack<TTrPoint>();
  PutBack<TTrack>();
  PutBack<TWall>();
  PutBack<TTrain>();
  const bool kept = std::visit(
      [this]<typename C>(const C& Record) {
        if constexpr (requires { Record.Held; }) {
          using T = typename decltype(Record.Held)::element_type;
          if (!Record.Held) return FileInserted<T>(Record.Index, 1);
        } else if constexpr (requires { Record.Entries; }) {
          if (!Record.Out()) return FileInserted(Record.Entries);
        }
        return true;
      },
      Change);
  if (!kept) Lost_ = true;
}

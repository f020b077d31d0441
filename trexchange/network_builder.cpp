#include "network_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <unordered_map>

#include "cell_grid.h"
#include "errors.h"
#include "large_allocator.h"
#include "map_projection.h"
#include "node_key_table.h"
#include "object_blocks.h"
#include "train_structure.h"

namespace {

// Segments shorter than this are no segments: a map keeps millimetres.
constexpr double kShortest = 0.001;
// Far beyond any railway on Earth; what lies further is a broken file.
constexpr double kLargestCoordinate = 4.1e7;

struct TPlace {
  double X = 0.0;
  double Y = 0.0;
};

// One end of a segment at a node, in four bytes, as there are two for each
// of tens of millions of segments.
class TSegmentEnd {
 public:
  TSegmentEnd(size_t Segment, uint8_t End)
      : packed_(static_cast<uint32_t>(Segment << 1 | (End - 1u))) {}
  size_t Segment() const { return packed_ >> 1; }
  uint8_t End() const { return static_cast<uint8_t>((packed_ & 1) + 1); }
  bool operator==(const TSegmentEnd& Other) const = default;

 private:
  uint32_t packed_;
};

// From node From to node To, of the source line Line.
struct TSegment {
  uint32_t Line = 0;
  uint32_t From = 0;
  uint32_t To = 0;
};

// Node and segment numbers take four bytes; far beyond what one map holds.
constexpr size_t kMostSegments = INT32_MAX;

std::string Text(const char* Format, double A, double B) {
  char text[96];
  std::snprintf(text, sizeof text, Format, A, B);
  return text;
}

// The builder's lists of one element a node or segment.
template <typename T>
using TLargeList = std::vector<T, TLargeAllocator<T>>;

template <typename TList>
void Release(TList& List) {
  TList().swap(List);
}

// Each step keeps only what the next ones need and lets the rest go, as the
// map being made takes most of the memory.
class TBuilder {
 public:
  TBuilder(TSourceData Data, const TMapProjection* Projection,
           const std::string& Name, TTrainStructureSV& Map)
      : data_(std::move(Data)),
        projection_(Projection),
        name_(Name),
        map_(Map) {}

  std::vector<std::string> Build() {
    AddLines();
    if (dropped_ > 0) {
      reports_.push_back(std::to_string(dropped_) +
                         " duplicate nodes or zero-length segments dropped");
    }
    ListEnds();
    GroupEnds();
    try {
      MakePoints();
      MakeLines();
    } catch (const EIdentifierOverflow&) {
      throw EImportError(name_ + ": too many lines for one map");
    } catch (const EFloatOverflow&) {
      throw EImportError(name_ + ": coordinates out of range");
    }
    JoinLines();
    ReportGaps();
    MarkPlatforms();
    return reports_;
  }

 private:
  TPlace Project(const TSourceLine& Line, const TSourceVertex& Vertex) const {
    TPlace at{Vertex.X, Vertex.Y};
    if (projection_ != nullptr) {
      if (!(std::abs(Vertex.X) <= 180.0 && std::abs(Vertex.Y) <= 90.0) ||
          !projection_->ToMap(Vertex.X, Vertex.Y, at.X, at.Y)) {
        throw EImportError(name_ + ": " + ElementName(Line, Vertex) +
                           ": coordinates out of range");
      }
    }
    if (!(std::abs(at.X) < kLargestCoordinate &&
          std::abs(at.Y) < kLargestCoordinate)) {
      throw EImportError(name_ + ": " + ElementName(Line, Vertex) +
                         ": coordinates out of range");
    }
    return at;
  }

  static std::string ElementName(const TSourceLine& Line,
                                 const TSourceVertex& Vertex) {
    return "way " + std::to_string(Line.Id) + " node " +
           std::to_string(Vertex.Key);
  }

  // Walls and tracks never share a point, nor do platform edges.
  enum TKind { kTrackNodes, kWallNodes, kPlatformNodes };
  static TKind KindOf(const TSourceLine& Line) {
    if (Line.PlatformEdge) return kPlatformNodes;
    return Line.Wall ? kWallNodes : kTrackNodes;
  }

  // Every line's segments and nodes; the source's vertices go as they are
  // taken.
  void AddLines() {
    size_t vertices[3] = {0, 0, 0};
    for (const TSourceLine& line : data_.Lines) {
      vertices[KindOf(line)] += line.Vertices.size();
    }
    const size_t all = vertices[0] + vertices[1] + vertices[2];
    if (all > kMostSegments) {
      throw EImportError(name_ + ": too many lines for one map");
    }
    for (int kind = 0; kind < 3; ++kind) {
      if (vertices[kind] > 0) tables_[kind].emplace(vertices[kind]);
    }
    nodeAt_.reserve(all);
    nodeKey_.reserve(all);
    segments_.reserve(all);
    for (size_t i = 0; i < data_.Lines.size(); ++i) {
      AddLine(i);
      Release(data_.Lines[i].Vertices);
      Release(data_.Lines[i].Heights);
    }
    for (auto& table : tables_) table.reset();
  }

  uint32_t NodeFor(const TSourceLine& Line, const TSourceVertex& Vertex,
                   const TPlace& At) {
    bool added = false;
    const uint32_t node = tables_[KindOf(Line)]->Find(
        Vertex.Key, nodeKey_, static_cast<uint32_t>(nodeAt_.size()), added);
    if (added) {
      nodeAt_.push_back(At);
      nodeKey_.push_back(Vertex.Key);
    }
    return node;
  }

  void RaiseHeight(uint32_t Node, double Height) {
    if (nodeHeight_.size() <= Node) nodeHeight_.resize(nodeAt_.size(), 0.0);
    nodeHeight_[Node] = std::max(nodeHeight_[Node], Height);
  }

  double HeightOf(size_t Node) const {
    return Node < nodeHeight_.size() ? nodeHeight_[Node] : 0.0;
  }

  void AddLine(size_t Index) {
    const TSourceLine& line = data_.Lines[Index];
    uint32_t previous = UINT32_MAX;
    for (size_t i = 0; i < line.Vertices.size(); ++i) {
      const TSourceVertex& vertex = line.Vertices[i];
      const TPlace at = Project(line, vertex);
      const uint32_t node = NodeFor(line, vertex, at);
      if (line.Wall) {
        RaiseHeight(node,
                    i < line.Heights.size() ? line.Heights[i] : line.Height);
      }
      if (previous != UINT32_MAX) {
        const TPlace& from = nodeAt_[previous];
        const TPlace& to = nodeAt_[node];
        if (node == previous ||
            std::hypot(to.X - from.X, to.Y - from.Y) < kShortest) {
          ++dropped_;
          continue;
        }
        if (line.PlatformEdge) {
          platformEdges_.push_back({from, to});
        } else {
          segments_.push_back(
              TSegment{static_cast<uint32_t>(Index), previous, node});
        }
      }
      previous = node;
    }
  }

  // The ends at each node, in the order their segments were found: those of
  // node n from firstEnd_[n] to firstEnd_[n + 1].
  void ListEnds() {
    const size_t nodes = nodeAt_.size();
    firstEnd_.assign(nodes + 1, 0);
    for (const TSegment& segment : segments_) {
      ++firstEnd_[segment.From];
      ++firstEnd_[segment.To];
    }
    uint32_t before = 0;
    for (size_t n = 0; n <= nodes; ++n) {
      const uint32_t count = firstEnd_[n];
      firstEnd_[n] = before;
      before += count;
    }
    // Each node's first place counts up as its ends are filled in, up to
    // where the next node's begin; then every one is moved on by one.
    ends_.assign(before, TSegmentEnd(0, 1));
    for (size_t s = 0; s < segments_.size(); ++s) {
      ends_[firstEnd_[segments_[s].From]++] = TSegmentEnd(s, 1);
      ends_[firstEnd_[segments_[s].To]++] = TSegmentEnd(s, 2);
    }
    for (size_t n = nodes; n > 0; --n) firstEnd_[n] = firstEnd_[n - 1];
    firstEnd_[0] = 0;
  }

  size_t EndCount(size_t Node) const {
    return firstEnd_[Node + 1] - firstEnd_[Node];
  }

  // The direction in which the segment of End leaves its node.
  double Leaving(const TSegmentEnd& End) const {
    const TSegment& segment = segments_[End.Segment()];
    const TPlace& here = nodeAt_[End.End() == 1 ? segment.From : segment.To];
    const TPlace& there = nodeAt_[End.End() == 1 ? segment.To : segment.From];
    return std::atan2(there.Y - here.Y, there.X - here.X);
  }

  // The angle between the directions two ends leave in, 0 to pi.
  double Between(const TSegmentEnd& A, const TSegmentEnd& B) const {
    const double turn = std::abs(Leaving(A) - Leaving(B));
    return turn > M_PI ? 2.0 * M_PI - turn : turn;
  }

  // Each node with at most three ends is one point, its ends in switch
  // order; a node with more becomes several, kept in crossings_.
  void GroupEnds() {
    for (size_t node = 0; node < nodeAt_.size(); ++node) {
      TSegmentEnd* ends = ends_.data() + firstEnd_[node];
      if (EndCount(node) == 3) {
        OrderSwitch(ends);
      } else if (EndCount(node) > 3) {
        crossings_.emplace(node, CrossingGroups(node));
      }
    }
    Release(nodeKey_);
  }

  std::vector<std::vector<TSegmentEnd>> CrossingGroups(size_t Node) {
    const std::vector<TSegmentEnd> ends(ends_.begin() + firstEnd_[Node],
                                        ends_.begin() + firstEnd_[Node + 1]);
    struct TPair {
      double Angle;
      size_t A, B;
    };
    std::vector<TPair> pairs;
    for (size_t a = 0; a < ends.size(); ++a) {
      for (size_t b = a + 1; b < ends.size(); ++b) {
        pairs.push_back({Between(ends[a], ends[b]), a, b});
      }
    }
    std::stable_sort(
        pairs.begin(), pairs.end(),
        [](const TPair& l, const TPair& r) { return l.Angle > r.Angle; });
    std::vector<bool> used(ends.size(), false);
    std::vector<std::vector<TSegmentEnd>> groups;
    for (const TPair& pair : pairs) {
      // Only a way on that turns by less than a right angle runs through.
      if (pair.Angle <= M_PI / 2.0) break;
      if (used[pair.A] || used[pair.B]) continue;
      used[pair.A] = used[pair.B] = true;
      groups.push_back({ends[pair.A], ends[pair.B]});
    }
    const size_t joined = groups.size();
    for (size_t i = 0; i < ends.size(); ++i) {
      if (!used[i]) groups.push_back({ends[i]});
    }
    reports_.push_back(
        "crossing at node " + std::to_string(nodeKey_[Node]) +
        Text(" (%.3f, %.3f): ", nodeAt_[Node].X, nodeAt_[Node].Y) +
        std::to_string(ends.size()) + " segments meet, " +
        std::to_string(joined) + " straight-through pairs kept joined");
    return groups;
  }

  // Three ends in switch order: the entry, leaving opposite the other two,
  // then the straighter way on from it, then the other.
  void OrderSwitch(TSegmentEnd* Ends) const {
    size_t entry = 0;
    double widest = -1.0;
    for (size_t i = 0; i < 3; ++i) {
      const double narrowest = std::min(Between(Ends[i], Ends[(i + 1) % 3]),
                                        Between(Ends[i], Ends[(i + 2) % 3]));
      if (narrowest > widest) {
        widest = narrowest;
        entry = i;
      }
    }
    TSegmentEnd a = Ends[(entry + 1) % 3];
    TSegmentEnd b = Ends[(entry + 2) % 3];
    if (Between(Ends[entry], b) > Between(Ends[entry], a)) std::swap(a, b);
    const TSegmentEnd first = Ends[entry];
    Ends[0] = first;
    Ends[1] = a;
    Ends[2] = b;
  }

  // The point of each node with ends, several for a crossing, one after
  // another in the map's list from the node's first point on.
  void MakePoints() {
    size_t count = 0;
    for (size_t node = 0; node < nodeAt_.size(); ++node) {
      if (EndCount(node) > 0) ++count;
    }
    for (const auto& [node, groups] : crossings_) count += groups.size() - 1;
    map_.Points.reserve(map_.Points.size() + count);
    firstPoint_.assign(nodeAt_.size(), 0);
    for (size_t node = 0; node < nodeAt_.size(); ++node) {
      if (EndCount(node) == 0) continue;
      firstPoint_[node] = static_cast<uint32_t>(map_.Points.size());
      const auto crossing = crossings_.find(node);
      const size_t groups =
          crossing == crossings_.end() ? 1 : crossing->second.size();
      for (size_t g = 0; g < groups; ++g) {
        TOwned<TTrPoint> point = MakeOwned<TTrPoint>(
            nodeAt_[node].X, nodeAt_[node].Y, HeightOf(node));
        point->Id = map_.NewId();
        map_.AddPoint(std::move(point));
      }
    }
    Release(nodeAt_);
    Release(nodeHeight_);
  }

  // The point that end End of a segment at Node lies at.
  TTrPoint* PointAt(uint32_t Node, const TSegmentEnd& End) const {
    size_t group = 0;
    const auto crossing = crossings_.find(Node);
    if (crossing != crossings_.end()) {
      const auto& groups = crossing->second;
      while (std::find(groups[group].begin(), groups[group].end(), End) ==
             groups[group].end()) {
        ++group;
      }
    }
    return map_.Points[firstPoint_[Node] + group].get();
  }

  void MakeLines() {
    size_t wallCount = 0;
    for (const TSegment& segment : segments_) {
      if (data_.Lines[segment.Line].Wall) ++wallCount;
    }
    map_.Walls.reserve(map_.Walls.size() + wallCount);
    map_.Tracks.reserve(map_.Tracks.size() + segments_.size() - wallCount);
    made_.reserve(segments_.size());
    for (size_t s = 0; s < segments_.size(); ++s) {
      const TSegment& segment = segments_[s];
      const TSourceLine& line = data_.Lines[segment.Line];
      TTrPoint* p1 = PointAt(segment.From, TSegmentEnd(s, 1));
      TTrPoint* p2 = PointAt(segment.To, TSegmentEnd(s, 2));
      TOwned<TTrLine> owned;
      if (line.Wall) {
        owned = MakeOwned<TWall>(p1, p2);
      } else {
        TOwned<TTrack> track = MakeOwned<TTrack>(p1, p2);
        track->Poles = line.Poles;
        track->Platform = line.Platform ? 1 : 0;
        owned = std::move(track);
      }
      owned->Id = map_.NewId();
      made_.push_back(map_.AddLine(std::move(owned)));
    }
    Release(segments_);
    Release(firstPoint_);
  }

  // Joins the lines at each point, in the order the points were made.
  void JoinLines() {
    for (size_t node = 0; node + 1 < firstEnd_.size(); ++node) {
      const auto crossing = crossings_.find(node);
      if (crossing != crossings_.end()) {
        for (const auto& group : crossing->second) {
          Join(group.data(), group.size());
        }
      } else if (EndCount(node) > 0) {
        Join(ends_.data() + firstEnd_[node], EndCount(node));
      }
    }
    Release(made_);
    Release(ends_);
    Release(firstEnd_);
    crossings_.clear();
  }

  void Join(const TSegmentEnd* Group, size_t Count) {
    TTrLine* first = made_[Group[0].Segment()];
    if (Count == 1) {
      map_.Connect(first, Group[0].End(), nullptr, 0);
      return;
    }
    for (size_t i = 1; i < Count; ++i) {
      map_.Connect(first, Group[0].End(), made_[Group[i].Segment()],
                   Group[i].End());
    }
  }

  // Cells of a grid over the plane, for looking up near places.
  static int64_t Cell(double X, double Y, double Size) {
    const auto column = static_cast<int64_t>(std::floor(X / Size));
    const auto row = static_cast<int64_t>(std::floor(Y / Size));
    return column * 0x100000000LL + row;
  }

  // The nearest point found so far to a dead end.
  struct TNearest {
    const TTrPoint* Point = nullptr;
    double Gap = kGapReach;
  };

  static void Consider(const TTrPoint& End, const TTrPoint* Other,
                       TNearest& Nearest) {
    if (Other == &End || Other->IsWallPoint() != End.IsWallPoint() ||
        SharesLine(End, *Other)) {
      return;
    }
    const double gap =
        std::hypot(Other->Pos.X - End.Pos.X, Other->Pos.Y - End.Pos.Y);
    // Points of one crossing node lie at the same place by design.
    if (gap <= Nearest.Gap && !(gap == 0.0 && Other->LineCount() > 1)) {
      Nearest.Gap = gap;
      Nearest.Point = Other;
    }
  }

  // The cell of Point and those around it.
  template <typename TVisit>
  static void CellsAround(const TTrPoint& Point, TVisit Visit) {
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        Visit(Cell(Point.Pos.X + dx * kGapReach, Point.Pos.Y + dy * kGapReach,
                   kGapReach));
      }
    }
  }

  void ReportGaps() {
    std::vector<const TTrPoint*> deadEnds;
    for (const auto& point : map_.Points) {
      if (point->LineCount() == 1) deadEnds.push_back(point.get());
    }
    std::vector<TNearest> nearest(deadEnds.size());
    TCellGrid grid;
    // The grid holds the fewer: each dead end in the cells it looks into,
    // which every point then looks up its own cell in; or else every point
    // in its cell, which the dead ends look into.
    if (deadEnds.size() * 9 <= map_.Points.size()) {
      for (size_t i = 0; i < deadEnds.size(); ++i) {
        CellsAround(*deadEnds[i], [&](int64_t Cell) {
          grid.Add(Cell, static_cast<uint32_t>(i));
        });
      }
      grid.Seal();
      for (const auto& point : map_.Points) {
        grid.ForEach(Cell(point->Pos.X, point->Pos.Y, kGapReach),
                     [&](uint32_t End) {
                       Consider(*deadEnds[End], point.get(), nearest[End]);
                     });
      }
    } else {
      for (size_t i = 0; i < map_.Points.size(); ++i) {
        const TTrPoint& point = *map_.Points[i];
        grid.Add(Cell(point.Pos.X, point.Pos.Y, kGapReach),
                 static_cast<uint32_t>(i));
      }
      grid.Seal();
      for (size_t i = 0; i < deadEnds.size(); ++i) {
        CellsAround(*deadEnds[i], [&](int64_t Cell) {
          grid.ForEach(Cell, [&](uint32_t Other) {
            Consider(*deadEnds[i], map_.Points[Other].get(), nearest[i]);
          });
        });
      }
    }
    for (size_t i = 0; i < deadEnds.size(); ++i) {
      const TTrPoint* end = deadEnds[i];
      const TTrPoint* other = nearest[i].Point;
      // Two ends near each other are one gap, told once.
      if (other == nullptr ||
          (other->LineCount() == 1 && other->Id < end->Id)) {
        continue;
      }
      reports_.push_back(
          "gap at point " + std::to_string(end->Id) +
          Text(" (%.3f, %.3f): ", end->Pos.X, end->Pos.Y) + "point " +
          std::to_string(other->Id) +
          Text(" is %.3f m away without a shared node; left unjoined",
               std::hypot(other->Pos.X - end->Pos.X, other->Pos.Y - end->Pos.Y),
               0.0));
    }
  }

  static bool SharesLine(const TTrPoint& A, const TTrPoint& B) {
    for (const TTrLineEnd* a : {&A.Conn1, &A.Conn2, &A.Conn3}) {
      if (a->Line != nullptr && (a->Line->P1 == &B || a->Line->P2 == &B)) {
        return true;
      }
    }
    return false;
  }

  static double DistanceToSegment(const TPlace& P, const TPlace& A,
                                  const TPlace& B) {
    const double dx = B.X - A.X;
    const double dy = B.Y - A.Y;
    const double length = dx * dx + dy * dy;
    double t =
        length > 0.0 ? ((P.X - A.X) * dx + (P.Y - A.Y) * dy) / length : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(P.X - (A.X + t * dx), P.Y - (A.Y + t * dy));
  }

  void MarkPlatforms() {
    if (platformEdges_.empty()) return;
    // Each edge in every cell its box touches, the box widened by the reach.
    constexpr double kCell = 50.0;
    std::unordered_multimap<int64_t, size_t> grid;
    for (size_t i = 0; i < platformEdges_.size(); ++i) {
      const auto& [a, b] = platformEdges_[i];
      const auto low = [](double u, double v) {
        return static_cast<int64_t>(
            std::floor((std::min(u, v) - kPlatformReach) / kCell));
      };
      const auto high = [](double u, double v) {
        return static_cast<int64_t>(
            std::floor((std::max(u, v) + kPlatformReach) / kCell));
      };
      const int64_t x1 = low(a.X, b.X), x2 = high(a.X, b.X);
      const int64_t y1 = low(a.Y, b.Y), y2 = high(a.Y, b.Y);
      // An edge of absurd length is looked at by every track instead.
      if ((x2 - x1 + 1) * (y2 - y1 + 1) > 10000) {
        longEdges_.push_back(i);
        continue;
      }
      for (int64_t x = x1; x <= x2; ++x) {
        for (int64_t y = y1; y <= y2; ++y) {
          grid.emplace(x * 0x100000000LL + y, i);
        }
      }
    }
    for (const auto& track : map_.Tracks) {
      const TPlace middle{(track->P1->Pos.X + track->P2->Pos.X) / 2.0,
                          (track->P1->Pos.Y + track->P2->Pos.Y) / 2.0};
      const auto near = [&](size_t Edge) {
        const auto& [a, b] = platformEdges_[Edge];
        return DistanceToSegment(middle, a, b) <= kPlatformReach;
      };
      bool beside = std::any_of(longEdges_.begin(), longEdges_.end(), near);
      const auto [from, to] = grid.equal_range(Cell(middle.X, middle.Y, kCell));
      for (auto it = from; it != to && !beside; ++it) beside = near(it->second);
      if (beside) track->Platform = 1;
    }
  }

  TSourceData data_;
  const TMapProjection* projection_;
  const std::string& name_;
  TTrainStructureSV& map_;
  // The node of each key, while lines are added; one table a kind.
  std::optional<TNodeKeyTable> tables_[3];
  TLargeList<TPlace> nodeAt_;
  TLargeList<int64_t> nodeKey_;
  // Only as far as the last wall node.
  TLargeList<double> nodeHeight_;
  TLargeList<TSegment> segments_;
  TLargeList<uint32_t> firstEnd_;
  TLargeList<TSegmentEnd> ends_;
  std::unordered_map<size_t, std::vector<std::vector<TSegmentEnd>>> crossings_;
  TLargeList<uint32_t> firstPoint_;
  TLargeList<TTrLine*> made_;
  std::vector<std::pair<TPlace, TPlace>> platformEdges_;
  std::vector<size_t> longEdges_;
  std::vector<std::string> reports_;
  size_t dropped_ = 0;
};

}  // namespace

std::vector<std::string> BuildNetwork(TSourceData Data,
                                      const TMapProjection* Projection,
                                      const std::string& Name,
                                      TTrainStructureSV& Map) {
  return TBuilder(std::move(Data), Projection, Name, Map).Build();
}

#include "network_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "errors.h"
#include "map_projection.h"
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

// One end of a segment at a node.
struct TSegmentEnd {
  size_t Segment = 0;
  uint8_t End = 1;
};

struct TNode {
  int64_t Key = 0;
  TPlace At;
  double Height = 0.0;
  std::vector<TSegmentEnd> Ends;
};

struct TSegment {
  size_t Line = 0;
  size_t From = 0;
  size_t To = 0;
  TTrPoint* P1 = nullptr;
  TTrPoint* P2 = nullptr;
  TTrLine* Made = nullptr;
};

std::string Text(const char* Format, double A, double B) {
  char text[96];
  std::snprintf(text, sizeof text, Format, A, B);
  return text;
}

class TBuilder {
 public:
  TBuilder(const TSourceData& Data, const TMapProjection* Projection,
           const std::string& Name, TTrainStructureSV& Map)
      : data_(Data), projection_(Projection), name_(Name), map_(Map) {}

  std::vector<std::string> Build() {
    for (size_t i = 0; i < data_.Lines.size(); ++i) AddLine(i);
    if (dropped_ > 0) {
      reports_.push_back(std::to_string(dropped_) +
                         " duplicate nodes or zero-length segments dropped");
    }
    MakeObjects();
    ReportGaps();
    MarkPlatforms();
    return reports_;
  }

 private:
  TPlace Project(const TSourceLine& Line, const TSourceVertex& Vertex) const {
    TPlace at{Vertex.X, Vertex.Y};
    const std::string element = ElementName(Line, Vertex);
    if (projection_ != nullptr) {
      if (!(std::abs(Vertex.X) <= 180.0 && std::abs(Vertex.Y) <= 90.0) ||
          !projection_->ToMap(Vertex.X, Vertex.Y, at.X, at.Y)) {
        throw EImportError(name_ + ": " + element +
                           ": coordinates out of range");
      }
    }
    if (!(std::abs(at.X) < kLargestCoordinate &&
          std::abs(at.Y) < kLargestCoordinate)) {
      throw EImportError(name_ + ": " + element + ": coordinates out of range");
    }
    return at;
  }

  static std::string ElementName(const TSourceLine& Line,
                                 const TSourceVertex& Vertex) {
    return "way " + std::to_string(Line.Id) + " node " +
           std::to_string(Vertex.Key);
  }

  // Walls and tracks never share a point, nor do platform edges.
  std::unordered_map<int64_t, size_t>& NodesOf(const TSourceLine& Line) {
    if (Line.PlatformEdge) return platformNodes_;
    return Line.Wall ? wallNodes_ : trackNodes_;
  }

  size_t NodeFor(const TSourceLine& Line, const TSourceVertex& Vertex,
                 const TPlace& At) {
    auto& nodes = NodesOf(Line);
    const auto [found, added] = nodes.emplace(Vertex.Key, nodes_.size());
    if (added) nodes_.push_back(TNode{Vertex.Key, At, 0.0, {}});
    return found->second;
  }

  void AddLine(size_t Index) {
    const TSourceLine& line = data_.Lines[Index];
    size_t previous = SIZE_MAX;
    for (size_t i = 0; i < line.Vertices.size(); ++i) {
      const TSourceVertex& vertex = line.Vertices[i];
      const TPlace at = Project(line, vertex);
      const size_t node = NodeFor(line, vertex, at);
      if (line.Wall) {
        const double height =
            i < line.Heights.size() ? line.Heights[i] : line.Height;
        nodes_[node].Height = std::max(nodes_[node].Height, height);
      }
      if (previous != SIZE_MAX) {
        const TPlace& from = nodes_[previous].At;
        const TPlace& to = nodes_[node].At;
        if (node == previous ||
            std::hypot(to.X - from.X, to.Y - from.Y) < kShortest) {
          if (i > 0) ++dropped_;
          continue;
        }
        if (line.PlatformEdge) {
          platformEdges_.push_back({from, to});
        } else {
          const size_t segment = segments_.size();
          segments_.push_back(TSegment{Index, previous, node});
          nodes_[previous].Ends.push_back({segment, 1});
          nodes_[node].Ends.push_back({segment, 2});
        }
      }
      previous = node;
    }
  }

  // The direction in which the segment of End leaves its node.
  double Leaving(const TSegmentEnd& End) const {
    const TSegment& segment = segments_[End.Segment];
    const TPlace& here = nodes_[End.End == 1 ? segment.From : segment.To].At;
    const TPlace& there = nodes_[End.End == 1 ? segment.To : segment.From].At;
    return std::atan2(there.Y - here.Y, there.X - here.X);
  }

  // The angle between the directions two ends leave in, 0 to pi.
  double Between(const TSegmentEnd& A, const TSegmentEnd& B) const {
    const double turn = std::abs(Leaving(A) - Leaving(B));
    return turn > M_PI ? 2.0 * M_PI - turn : turn;
  }

  // At most three ends each; a node with more becomes several.
  std::vector<std::vector<TSegmentEnd>> Groups(const TNode& Node) {
    if (Node.Ends.size() <= 3) return {OrderedSwitch(Node.Ends)};
    struct TPair {
      double Angle;
      size_t A, B;
    };
    std::vector<TPair> pairs;
    for (size_t a = 0; a < Node.Ends.size(); ++a) {
      for (size_t b = a + 1; b < Node.Ends.size(); ++b) {
        pairs.push_back({Between(Node.Ends[a], Node.Ends[b]), a, b});
      }
    }
    std::stable_sort(
        pairs.begin(), pairs.end(),
        [](const TPair& l, const TPair& r) { return l.Angle > r.Angle; });
    std::vector<bool> used(Node.Ends.size(), false);
    std::vector<std::vector<TSegmentEnd>> groups;
    for (const TPair& pair : pairs) {
      // Only a way on that turns by less than a right angle runs through.
      if (pair.Angle <= M_PI / 2.0) break;
      if (used[pair.A] || used[pair.B]) continue;
      used[pair.A] = used[pair.B] = true;
      groups.push_back({Node.Ends[pair.A], Node.Ends[pair.B]});
    }
    const size_t joined = groups.size();
    for (size_t i = 0; i < Node.Ends.size(); ++i) {
      if (!used[i]) groups.push_back({Node.Ends[i]});
    }
    reports_.push_back("crossing at node " + std::to_string(Node.Key) +
                       Text(" (%.3f, %.3f): ", Node.At.X, Node.At.Y) +
                       std::to_string(Node.Ends.size()) + " segments meet, " +
                       std::to_string(joined) +
                       " straight-through pairs kept joined");
    return groups;
  }

  // Three ends in switch order: the entry, leaving opposite the other two,
  // then the straighter way on from it, then the other.
  std::vector<TSegmentEnd> OrderedSwitch(std::vector<TSegmentEnd> Ends) const {
    if (Ends.size() != 3) return Ends;
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
    return {Ends[entry], a, b};
  }

  void MakeObjects() {
    std::vector<std::pair<TTrPoint*, std::vector<TSegmentEnd>>> made;
    try {
      for (const TNode& node : nodes_) {
        if (node.Ends.empty()) continue;
        for (auto& group : Groups(node)) {
          auto point =
              std::make_unique<TTrPoint>(node.At.X, node.At.Y, node.Height);
          point->Id = map_.NewId();
          TTrPoint* added = map_.AddPoint(std::move(point));
          for (const TSegmentEnd& end : group) {
            TSegment& segment = segments_[end.Segment];
            (end.End == 1 ? segment.P1 : segment.P2) = added;
          }
          made.emplace_back(added, std::move(group));
        }
      }
      for (TSegment& segment : segments_) {
        const TSourceLine& line = data_.Lines[segment.Line];
        TOwned<TTrLine> owned;
        if (line.Wall) {
          owned = std::make_unique<TWall>(segment.P1, segment.P2);
        } else {
          auto track = std::make_unique<TTrack>(segment.P1, segment.P2);
          track->Poles = line.Poles;
          track->Platform = line.Platform ? 1 : 0;
          owned = std::move(track);
        }
        owned->Id = map_.NewId();
        segment.Made = map_.AddLine(std::move(owned));
      }
    } catch (const EIdentifierOverflow&) {
      throw EImportError(name_ + ": too many lines for one map");
    } catch (const EFloatOverflow&) {
      throw EImportError(name_ + ": coordinates out of range");
    }
    for (const auto& [point, group] : made) Join(group);
  }

  void Join(const std::vector<TSegmentEnd>& Group) {
    TTrLine* first = segments_[Group[0].Segment].Made;
    if (Group.size() == 1) {
      map_.Connect(first, Group[0].End, nullptr, 0);
      return;
    }
    for (size_t i = 1; i < Group.size(); ++i) {
      map_.Connect(first, Group[0].End, segments_[Group[i].Segment].Made,
                   Group[i].End);
    }
  }

  // Cells of a grid over the plane, for looking up near places.
  static int64_t Cell(double X, double Y, double Size) {
    const auto column = static_cast<int64_t>(std::floor(X / Size));
    const auto row = static_cast<int64_t>(std::floor(Y / Size));
    return column * 0x100000000LL + row;
  }

  void ReportGaps() {
    std::unordered_multimap<int64_t, const TTrPoint*> grid;
    for (const auto& point : map_.Points) {
      grid.emplace(Cell(point->Pos.X, point->Pos.Y, kGapReach), point.get());
    }
    std::vector<std::pair<const TTrPoint*, const TTrPoint*>> gaps;
    for (const auto& point : map_.Points) {
      if (point->LineCount() != 1) continue;
      const double x = point->Pos.X;
      const double y = point->Pos.Y;
      const TTrPoint* nearest = nullptr;
      double best = kGapReach;
      for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
          const auto [from, to] = grid.equal_range(
              Cell(x + dx * kGapReach, y + dy * kGapReach, kGapReach));
          for (auto it = from; it != to; ++it) {
            const TTrPoint* other = it->second;
            if (other == point.get() ||
                other->IsWallPoint() != point->IsWallPoint() ||
                SharesLine(*point, *other)) {
              continue;
            }
            const double gap = std::hypot(other->Pos.X - x, other->Pos.Y - y);
            // Points of one crossing node lie at the same place by design.
            if (gap <= best && !(gap == 0.0 && other->LineCount() > 1)) {
              best = gap;
              nearest = other;
            }
          }
        }
      }
      // Two ends near each other are one gap, told once.
      if (nearest != nullptr &&
          !(nearest->LineCount() == 1 && nearest->Id < point->Id)) {
        gaps.emplace_back(point.get(), nearest);
      }
    }
    for (const auto& [end, other] : gaps) {
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

  const TSourceData& data_;
  const TMapProjection* projection_;
  const std::string& name_;
  TTrainStructureSV& map_;
  std::vector<TNode> nodes_;
  std::vector<TSegment> segments_;
  std::unordered_map<int64_t, size_t> trackNodes_;
  std::unordered_map<int64_t, size_t> wallNodes_;
  std::unordered_map<int64_t, size_t> platformNodes_;
  std::vector<std::pair<TPlace, TPlace>> platformEdges_;
  std::vector<size_t> longEdges_;
  std::vector<std::string> reports_;
  size_t dropped_ = 0;
};

}  // namespace

std::vector<std::string> BuildNetwork(const TSourceData& Data,
                                      const TMapProjection* Projection,
                                      const std::string& Name,
                                      TTrainStructureSV& Map) {
  return TBuilder(Data, Projection, Name, Map).Build();
}

#include "track_path.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "state_table.h"

namespace {

// A line entered at one end, with the shortest way found to its far end.
struct TNode {
  TTrLine* Line;
  uint8_t Dir;
  bool Done = false;
  double Walked;
  int32_t Before;
};

uintptr_t KeyOf(const TTrLine* Line, uint8_t Dir) {
  return reinterpret_cast<uintptr_t>(Line) | (Dir == 1 ? 0 : 1);
}

bool HasTrack(const TTrPoint& Point) {
  return IsTrack(Point.Conn1.Line) || IsTrack(Point.Conn2.Line) ||
         IsTrack(Point.Conn3.Line);
}

// The line ends a train arriving at Point through Arrival may go on by.
int Departures(const TTrPoint& Point, const TTrLineEnd& Arrival,
               TTrLineEnd (&Out)[2]) {
  int count = 0;
  switch (Point.LineCount()) {
    case 2:
      Out[count++] =
          SameLineEnd(Arrival, Point.Conn1) ? Point.Conn2 : Point.Conn1;
      break;
    case 3:
      if (SameLineEnd(Arrival, Point.Conn1)) {
        Out[count++] = Point.Conn2;
        Out[count++] = Point.Conn3;
      } else {
        Out[count++] = Point.Conn1;
      }
      break;
    default:
      break;
  }
  return count;
}

// In doubles, which a search of millions of lines needs to be quick;
// within a rounding of the line's own Length.
double Distance(const TTrPoint& A, const TTrPoint& B) {
  const double dx = B.Pos.X - A.Pos.X;
  const double dy = B.Pos.Y - A.Pos.Y;
  return std::sqrt(dx * dx + dy * dy);
}

// Whether any track joins the two points, whatever the switches allow.
bool Joined(const TTrPoint& From, const TTrPoint& To, TStateTable& Seen) {
  Seen.Clear();
  std::vector<const TTrPoint*> open{&From};
  Seen.Insert(reinterpret_cast<uintptr_t>(&From), 0);
  while (!open.empty()) {
    const TTrPoint* point = open.back();
    open.pop_back();
    if (point == &To) return true;
    for (const TTrLineEnd* end :
         {&point->Conn1, &point->Conn2, &point->Conn3}) {
      if (!IsTrack(end->Line)) continue;
      const TTrPoint* far = EndPoint(FarEnd(end->Line, end->End));
      const auto key = reinterpret_cast<uintptr_t>(far);
      if (Seen.Find(key) != TStateTable::kAbsent) continue;
      Seen.Insert(key, 0);
      open.push_back(far);
    }
  }
  return false;
}

// A* over lines entered at one end, with the straight distance to the goal
// as the estimate: no way along the track is shorter.
class TPathSearch {
 public:
  void Reset(const TTrPoint& From, const TTrPoint& To) {
    From_ = &From;
    To_ = &To;
    Nodes_.clear();
    Table_.Clear();
    Open_.clear();
  }

  void Start(const TTrLineEnd& End) { Reach(End, 0.0, -1); }

  // The node whose far end is the goal, or -1 when none can be reached.
  int32_t Run() {
    while (!Open_.empty()) {
      std::pop_heap(Open_.begin(), Open_.end(), std::greater<TOpen>());
      const int32_t index = Open_.back().second;
      Open_.pop_back();
      if (Nodes_[index].Done) continue;
      Nodes_[index].Done = true;
      const int32_t goal = Expand(index);
      if (goal >= 0) return goal;
    }
    return -1;
  }

  const TNode& Node(int32_t Index) const { return Nodes_[Index]; }
  TStateTable& Table() { return Table_; }

 private:
  // Goes on from node Index, whose shortest way is known, and gives it
  // back when its far end is the goal. Past a plain joint there is one way
  // on, and the only way into the line beyond comes through that joint, so
  // the first way found into it is its shortest: a run of such lines is
  // walked straight on, without the heap or the table, up to a switch, a
  // dead end, the line into the goal or the start again (whose lines the
  // table holds).
  int32_t Expand(int32_t Index) {
    while (true) {
      const TNode node = Nodes_[Index];
      const TTrLineEnd leaving = FarEnd(node.Line, node.Dir);
      const TTrPoint& point = *EndPoint(leaving);
      if (&point == To_) return Index;
      TTrLineEnd next[2];
      const int count = Departures(point, leaving, next);
      if (count == 1 && &point != From_ && IsTrack(next[0].Line) &&
          EndPoint(FarEnd(next[0].Line, next[0].End)) != To_) {
        const TTrLine& line = *next[0].Line;
        Nodes_.push_back({next[0].Line, next[0].End, true,
                          node.Walked + Distance(*line.P1, *line.P2), Index});
        Index = static_cast<int32_t>(Nodes_.size()) - 1;
        continue;
      }
      for (int i = 0; i < count; ++i) {
        if (IsTrack(next[i].Line)) Reach(next[i], node.Walked, Index);
      }
      return -1;
    }
  }

  void Reach(const TTrLineEnd& End, double Before, int32_t From) {
    const double walked = Before + Distance(*End.Line->P1, *End.Line->P2);
    const uintptr_t key = KeyOf(End.Line, End.End);
    int32_t index = Table_.Find(key);
    if (index == TStateTable::kAbsent) {
      index = static_cast<int32_t>(Nodes_.size());
      Nodes_.push_back({End.Line, End.End, false, walked, From});
      Table_.Insert(key, index);
    } else if (Nodes_[index].Done || !(walked < Nodes_[index].Walked)) {
      return;
    } else {
      Nodes_[index].Walked = walked;
      Nodes_[index].Before = From;
    }
    const TTrPoint& far = *EndPoint(FarEnd(End.Line, End.End));
    Open_.push_back({walked + Distance(far, *To_), index});
    std::push_heap(Open_.begin(), Open_.end(), std::greater<TOpen>());
  }

  using TOpen = std::pair<double, int32_t>;
  const TTrPoint* From_ = nullptr;
  const TTrPoint* To_ = nullptr;
  std::vector<TNode> Nodes_;
  TStateTable Table_;
  // A heap, the nearest estimate first.
  std::vector<TOpen> Open_;
};

}  // namespace

class TPathFinder::TSearch : public TPathSearch {};

TPathFinder::TPathFinder() : Search_(std::make_unique<TSearch>()) {}
TPathFinder::~TPathFinder() = default;

TTrackPath FindPath(const TTrPoint& From, const TTrPoint& To) {
  return TPathFinder().Find(From, To);
}

TTrackPath TPathFinder::Find(const TTrPoint& From, const TTrPoint& To) {
  TTrackPath path;
  if (!HasTrack(From)) {
    path.Failure = TPathFailure::NoTrackAtFrom;
    return path;
  }
  if (!HasTrack(To)) {
    path.Failure = TPathFailure::NoTrackAtTo;
    return path;
  }
  if (&From == &To) return path;

  TPathSearch& search = *Search_;
  search.Reset(From, To);
  for (const TTrLineEnd* end : {&From.Conn1, &From.Conn2, &From.Conn3}) {
    if (IsTrack(end->Line)) search.Start(*end);
  }
  const int32_t goal = search.Run();
  if (goal < 0) {
    path.Failure = Joined(From, To, search.Table()) ? TPathFailure::OnlyLegToLeg
                                                    : TPathFailure::NotJoined;
    return path;
  }
  // Back from the goal, into a path of the right size at once: it may run
  // through millions of lines.
  size_t count = 0;
  for (int32_t at = goal; at >= 0; at = search.Node(at).Before) ++count;
  path.Stretches.resize(count);
  for (int32_t at = goal; at >= 0; at = search.Node(at).Before) {
    const TNode& node = search.Node(at);
    path.Stretches[--count] = {node.Line, node.Dir, 0.0,
                               Distance(*node.Line->P1, *node.Line->P2)};
    if (node.Before < 0) continue;
    const TNode& before = search.Node(node.Before);
    const TTrLineEnd arrival = FarEnd(before.Line, before.Dir);
    const TTrPoint& point = *EndPoint(arrival);
    TSwitchWay way;
    if (SwitchWay(point, arrival, {node.Line, node.Dir}, way)) {
      path.Switches.push_back({&point, before.Walked, way});
    }
  }
  std::reverse(path.Switches.begin(), path.Switches.end());
  path.Length = search.Node(goal).Walked;
  return path;
}

#include "structure_check.h"

#include <string>
#include <unordered_set>

#include "train_structure.h"

namespace {

constexpr size_t kMaxProblems = 32;

class Checker {
 public:
  explicit Checker(const TTrainStructureSV& Map) : map_(Map) {
    for (const auto& p : Map.Points) points_.insert(p.get());
    for (const auto& t : Map.Tracks) lines_.insert(t.get());
    for (const auto& w : Map.Walls) lines_.insert(w.get());
  }

  std::vector<std::string> Run() {
    if (points_.size() != map_.Points.size()) Report("a point is listed twice");
    if (lines_.size() != map_.Tracks.size() + map_.Walls.size())
      Report("a line is listed twice");
    for (const auto& t : map_.Tracks) CheckLine(*t);
    for (const auto& w : map_.Walls) CheckLine(*w);
    for (const auto& p : map_.Points) CheckPoint(*p);
    for (const auto& t : map_.Trains) {
      if (t == nullptr || !lines_.contains(t->Position.Line))
        Report("a train stands on no line of the map");
    }
    return std::move(problems_);
  }

 private:
  static std::string Name(const TTrLine* Line) {
    return (IsTrack(Line) ? "track " : "wall ") + std::to_string(Line->Id);
  }
  static std::string Name(const TTrPoint& Point) {
    return "point " + std::to_string(Point.Id);
  }

  void Report(std::string Text) {
    if (problems_.size() < kMaxProblems) problems_.push_back(std::move(Text));
  }

  bool IsLinkOf(const TTrLineEnd& Link) const {
    return Link.IsEmpty() || lines_.contains(Link.Line);
  }

  void CheckLine(const TTrLine& Line) {
    for (const TTrLineEnd* link :
         {&Line.Next1, &Line.Next2, &Line.Branch1, &Line.Branch2}) {
      if (!IsLinkOf(*link))
        Report(Name(&Line) + " links to a line not in the map");
    }
    const TTrPoint* ends[2] = {Line.P1, Line.P2};
    for (uint8_t end = 1; end <= 2; ++end) {
      const TTrPoint* point = ends[end - 1];
      const std::string where = Name(&Line) + " end " + std::to_string(end);
      if (point == nullptr) {
        Report(where + " has no point");
        continue;
      }
      if (!points_.contains(point)) {
        Report(where + " lies at a point not in the map");
        continue;
      }
      int named = 0;
      for (const TTrLineEnd* conn :
           {&point->Conn1, &point->Conn2, &point->Conn3})
        named += conn->Line == &Line && conn->End == end;
      if (named != 1)
        Report(where + " is named " + std::to_string(named) +
               " times by its point");
    }
  }

  void CheckPoint(const TTrPoint& Point) {
    const TTrLineEnd conns[3] = {Point.Conn1, Point.Conn2, Point.Conn3};
    if ((conns[0].IsEmpty() && !conns[1].IsEmpty()) ||
        (conns[1].IsEmpty() && !conns[2].IsEmpty())) {
      Report(Name(Point) + " has a gap in its references");
      return;
    }
    for (const TTrLineEnd& conn : conns) {
      if (conn.IsEmpty()) continue;
      if (!lines_.contains(conn.Line)) {
        Report(Name(Point) + " names a line not in the map");
        return;
      }
      const TTrPoint* at = conn.End == 1   ? conn.Line->P1
                           : conn.End == 2 ? conn.Line->P2
                                           : nullptr;
      if (at != &Point) {
        Report(Name(Point) + " names " + Name(conn.Line) + " end " +
               std::to_string(conn.End) + ", which does not lie there");
        return;
      }
    }
    if (conns[0].IsEmpty()) return;
    ExpectLinks(Point, conns[0], conns[1], conns[2]);
    for (int i = 1; i < 3; ++i) {
      if (!conns[i].IsEmpty())
        ExpectLinks(Point, conns[i], conns[0], TTrLineEnd{});
    }
  }

  void ExpectLinks(const TTrPoint& Point, const TTrLineEnd& At,
                   const TTrLineEnd& Main, const TTrLineEnd& Branch) {
    const TTrLine& line = *At.Line;
    const TTrLineEnd& next = At.End == 1 ? line.Next1 : line.Next2;
    const TTrLineEnd& branch = At.End == 1 ? line.Branch1 : line.Branch2;
    if (!SameLineEnd(next, Main))
      Report(Name(&line) + " has a wrong main link at " + Name(Point));
    if (!SameLineEnd(branch, Branch))
      Report(Name(&line) + " has a wrong branch link at " + Name(Point));
  }

  const TTrainStructureSV& map_;
  std::unordered_set<const TTrPoint*> points_;
  std::unordered_set<const TTrLine*> lines_;
  std::vector<std::string> problems_;
};

}  // namespace

std::vector<std::string> CheckStructure(const TTrainStructureSV& Map) {
  return Checker(Map).Run();
}

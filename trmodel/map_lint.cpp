#include "map_lint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <tuple>
#include <unordered_set>
#include <utility>

#include "spatial_index.h"
#include "train_structure.h"

namespace {

// How near an end point may lie to another point before it looks as if the
// two were meant to be joined.
constexpr double kJoinDistance = 0.5;
// Trains that share less track than this only touch.
constexpr double kOverlapSlack = 1e-6;

std::string Format(const char* Pattern, auto... Values) {
  char text[160];
  std::snprintf(text, sizeof text, Pattern, Values...);
  return text;
}

const char* KindOfLine(bool Track) { return Track ? "track" : "wall"; }

bool HasLineOfKind(const TTrPoint& Point, bool Track) {
  for (const TTrLineEnd* end : {&Point.Conn1, &Point.Conn2, &Point.Conn3}) {
    if (end->Line != nullptr && IsTrack(end->Line) == Track) return true;
  }
  return false;
}

// The one line of an end point.
const TTrLine* OnlyLine(const TTrPoint& Point) {
  for (const TTrLineEnd* end : {&Point.Conn1, &Point.Conn2, &Point.Conn3}) {
    if (end->Line != nullptr) return end->Line;
  }
  return nullptr;
}

// The point at the far end of the line that End names.
const TTrPoint* FarPoint(const TTrLineEnd& End) {
  return End.End == 1 ? End.Line->P2 : End.Line->P1;
}

// The radius of the bend at P from the line to A onto the line to B: that
// of the circle through the three points, infinite on a straight line.
// Where the track turns back by more than a right angle, the circle through
// the three points no longer tells the bend (it grows without bound as a
// track folds back onto a longer line), so the circle through P and the
// points at the nearer neighbour's distance along both lines is taken,
// which is never larger. NaN when a line has no length.
double BendRadius(const TTrVector& P, const TTrVector& A, const TTrVector& B) {
  const double ux = A.X - P.X, uy = A.Y - P.Y;
  const double vx = B.X - P.X, vy = B.Y - P.Y;
  const double a = std::sqrt(ux * ux + uy * uy);
  const double b = std::sqrt(vx * vx + vy * vy);
  if (!(a > 0.0 && b > 0.0)) return std::numeric_limits<double>::quiet_NaN();
  const double dot = ux * vx + uy * vy;
  if (dot > 0.0) {
    const double cosine = std::min(1.0, dot / (a * b));
    return std::min(a, b) / std::sqrt(2.0 * (1.0 + cosine));
  }
  const double cross = std::fabs(ux * vy - uy * vx);
  const double c = std::sqrt((ux - vx) * (ux - vx) + (uy - vy) * (uy - vy));
  // A circle's radius is the product of a triangle's sides over four times
  // its area.
  return cross == 0.0 ? std::numeric_limits<double>::infinity()
                      : a * b * c / (2.0 * cross);
}

class TLinter {
 public:
  TLinter(const TTrainStructureSV& Map, const TLintOptions& Options)
      : map_(Map), options_(Options) {}

  std::vector<TLintFinding> Run() {
    int64_t deadEnds = 0;
    for (const auto& point : map_.Points) {
      const int32_t lines = point->LineCount();
      if (lines == 0) {
        Add(TLintKind::BarePoint, point->Id, "point has no lines");
      } else if (lines == 1) {
        const TTrLine* line = OnlyLine(*point);
        if (IsTrack(line)) ++deadEnds;
        CheckEnd(*point, *line);
      } else if (lines == 2) {
        CheckBend(*point, point->Conn1, point->Conn2, "track");
      } else {
        // A train crosses a switch from its entry to either direction,
        // never from one direction to the other.
        CheckBend(*point, point->Conn1, point->Conn2,
                  "entry to default direction");
        CheckBend(*point, point->Conn1, point->Conn3,
                  "entry to other direction");
      }
    }
    CheckLengths(map_.Tracks);
    CheckLengths(map_.Walls);
    CheckTrains();
    if (deadEnds > 0) {
      Add(TLintKind::DeadEnds, deadEnds, "track end points with one line");
    }
    std::stable_sort(found_.begin(), found_.end(),
                     [](const TLintFinding& A, const TLintFinding& B) {
                       return std::pair(A.Kind, A.Id) < std::pair(B.Kind, B.Id);
                     });
    return std::move(found_);
  }

 private:
  void Add(TLintKind Kind, int64_t Id, std::string Text) {
    found_.push_back({Kind, Id, std::move(Text)});
  }

  // The nearest point of the end's own kind within reach, other than the
  // end itself and the far end of its line; on equal distances the one
  // earlier in the list.
  void CheckEnd(const TTrPoint& End, const TTrLine& Line) {
    const bool track = IsTrack(&Line);
    const TTrPoint* farEnd = Line.P1 == &End ? Line.P2 : Line.P1;
    const TTrPoint* nearest = nullptr;
    double nearestDistance = std::numeric_limits<double>::infinity();
    uint64_t nearestKey = 0;
    map_.SpatialIndex().VisitAround<TTrPoint>(
        End.Pos.X, End.Pos.Y,
        [&](const TTrPoint* Other, uint64_t Key) {
          if (Other == &End || Other == farEnd) return;
          const double distance =
              std::hypot(Other->Pos.X - End.Pos.X, Other->Pos.Y - End.Pos.Y);
          if (!(distance <= kJoinDistance)) return;
          if (distance > nearestDistance ||
              (distance == nearestDistance && Key >= nearestKey)) {
            return;
          }
          if (!HasLineOfKind(*Other, track)) return;
          nearest = Other;
          nearestDistance = distance;
          nearestKey = Key;
        },
        [] { return kJoinDistance; });
    if (nearest == nullptr) return;
    Add(TLintKind::Unjoined, End.Id,
        Format("%s end %.2f m from %s point %d, not joined to it",
               KindOfLine(track), nearestDistance, KindOfLine(track),
               static_cast<int>(nearest->Id)));
  }

  void CheckBend(const TTrPoint& Point, const TTrLineEnd& From,
                 const TTrLineEnd& To, const char* Path) {
    if (!IsTrack(From.Line) || !IsTrack(To.Line)) return;
    const double radius =
        BendRadius(Point.Pos, FarPoint(From)->Pos, FarPoint(To)->Pos);
    if (!(radius < options_.MinRadius)) return;
    Add(TLintKind::SharpBend, Point.Id,
        Format("%s bends at a radius of %.2f m, less than %.15g m", Path,
               radius, options_.MinRadius));
  }

  template <typename TList>
  void CheckLengths(const TList& Lines) {
    for (const auto& line : Lines) {
      if (line->P1->Pos.X != line->P2->Pos.X ||
          line->P1->Pos.Y != line->P2->Pos.Y) {
        continue;
      }
      Add(TLintKind::ZeroLength, line->Id,
          Format("%s has both its points at the same place",
                 KindOfLine(IsTrack(line.get()))));
    }
  }

  // The stretch of one line a train stands on, in metres from the line's P1.
  struct TStretch {
    const TTrLine* Line;
    double From;
    double To;
    size_t Train;
  };

  // Each train's stretches, line by line from its rear forward along the
  // main links, as far as its length reaches; a loop is walked once.
  void AddStretches(const TTrain& Train, size_t Number,
                    std::vector<TStretch>& Stretches) const {
    const TTrLine* line = Train.Position.Line;
    uint8_t dir = Train.Position.Dir;
    double from = Train.Position.Offset;
    double left = Train.Length;
    std::unordered_set<const TTrLine*> walked;
    while (line != nullptr && left > 0.0) {
      // A line walked both ways is the same place twice over: one of the
      // two is enough to know where the train stands.
      if (!walked.insert(line).second) break;
      const double length = line->Length();
      // Not (from >= 0) also catches an offset that is not a number.
      from = !(from >= 0.0) ? 0.0 : std::min(from, length);
      const double to = std::min(length, from + left);
      if (dir == 1) {
        Stretches.push_back({line, from, to, Number});
      } else {
        Stretches.push_back({line, length - to, length - from, Number});
      }
      left -= to - from;
      const TTrLineEnd next = dir == 1 ? line->Next2 : line->Next1;
      line = next.Line;
      dir = next.End;
      from = 0.0;
    }
  }

  // Stretches of one line are swept in order of their starts: each meets
  // those before it that reach beyond its start.
  void CheckTrains() {
    std::vector<TStretch> stretches;
    for (size_t i = 0; i < map_.Trains.size(); ++i) {
      AddStretches(*map_.Trains[i], i + 1, stretches);
    }
    std::sort(stretches.begin(), stretches.end(),
              [](const TStretch& A, const TStretch& B) {
                const auto key = [](const TStretch& S) {
                  return std::tuple(
                      S.Line->Id, reinterpret_cast<uintptr_t>(S.Line), S.From);
                };
                return key(A) < key(B);
              });
    // Each pair of trains once, at the first line in identifier order.
    std::map<std::pair<size_t, size_t>, int32_t> pairs;
    std::vector<const TStretch*> open;
    for (size_t i = 0; i < stretches.size(); ++i) {
      const TStretch& stretch = stretches[i];
      if (i == 0 || stretches[i - 1].Line != stretch.Line) open.clear();
      std::erase_if(open, [&](const TStretch* Earlier) {
        return Earlier->To <= stretch.From + kOverlapSlack;
      });
      for (const TStretch* earlier : open) {
        if (earlier->Train == stretch.Train) continue;
        if (std::min(earlier->To, stretch.To) - stretch.From <= kOverlapSlack) {
          continue;
        }
        const auto pair = std::minmax(earlier->Train, stretch.Train);
        pairs.emplace(pair, stretch.Line->Id);
      }
      open.push_back(&stretch);
    }
    for (const auto& [trains, line] : pairs) {
      Add(TLintKind::Overlap, line,
          Format("trains %zu and %zu stand on the same stretch of track",
                 trains.first, trains.second));
    }
  }

  const TTrainStructureSV& map_;
  const TLintOptions& options_;
  std::vector<TLintFinding> found_;
};

}  // namespace

const char* LintKindName(TLintKind Kind) {
  switch (Kind) {
    case TLintKind::BarePoint:
      return "bare-point";
    case TLintKind::DeadEnds:
      return "dead-ends";
    case TLintKind::Overlap:
      return "overlap";
    case TLintKind::SharpBend:
      return "sharp-bend";
    case TLintKind::Unjoined:
      return "unjoined";
    case TLintKind::ZeroLength:
      return "zero-length";
  }
  return "";
}

std::string LintLine(const TLintFinding& Finding) {
  return std::string(LintKindName(Finding.Kind)) + ' ' +
         std::to_string(Finding.Id) + ": " + Finding.Text;
}

std::vector<TLintFinding> LintMap(const TTrainStructureSV& Map,
                                  const TLintOptions& Options) {
  return TLinter(Map, Options).Run();
}

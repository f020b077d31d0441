#include "curve_building.h"

namespace {

TTrPoint* FarEnd(const TTrLine& Line, const TTrPoint& Near) {
  return Line.P1 == &Near ? Line.P2 : Line.P1;
}

TTrXY Place(const TTrPoint& Point) { return {Point.Pos.X, Point.Pos.Y}; }

}  // namespace

std::optional<double> HeadingAtEnd(const TTrPoint& Point) {
  if (Point.LineCount() != 1) return std::nullopt;
  const TTrLine& line = *Point.Conn1.Line;
  const TTrPoint* far = FarEnd(line, Point);
  if (far == nullptr || line.Length() == 0.0) return std::nullopt;
  double bearing = 0.0;
  double distance = 0.0;
  BearingDistance(far->Pos, Point.Pos, bearing, distance);
  return bearing;
}

TTrPoint* BuildArc(TTrainStructureSV& Map, TTrPoint* Start, const TArc& Arc,
                   bool Track) {
  TTrPoint* from = Start;
  for (const TTrXY& end : ChordEnds(Arc)) {
    TTrPoint* next = Map.NewPoint(end.X, end.Y);
    Map.BuildLine(from, next, Track);
    from = next;
  }
  return from;
}

TCornerResult RoundCorner(TTrainStructureSV& Map, TTrPoint* Point,
                          double Radius) {
  if (Point->LineCount() != 2 || Point->Conn1.Line == Point->Conn2.Line) {
    return TCornerResult::NoCorner;
  }
  TTrLine* const in = Point->Conn1.Line;
  TTrLine* const out = Point->Conn2.Line;
  const TTrPoint* a = FarEnd(*in, *Point);
  const TTrPoint* b = FarEnd(*out, *Point);
  if (a == nullptr || b == nullptr) return TCornerResult::NoCorner;
  const TTrXY corner = Place(*Point);
  if (!CornerTurn(Place(*a), corner, Place(*b))) return TCornerResult::NoCorner;
  const std::optional<TArc> arc =
      CornerArc(Place(*a), corner, Place(*b), Radius);
  if (!arc) return TCornerResult::TooLarge;
  const TTrXY arcEnd = arc->At(1.0);
  TTrPoint* const end = Map.SplitJoint(Point, out, arcEnd.X, arcEnd.Y);
  Map.MovePoint(Point, arc->Start.X, arc->Start.Y);
  // The last chord ends on a point of its own, which then joins the line
  // that goes on, as a build dropped onto a point does.
  TTrPoint* const last = BuildArc(Map, Point, *arc, IsTrack(in));
  TTrLine* const chord = last->Conn1.Line;
  Map.JoinPoint(last, chord, end);
  Map.RemovePoint(last);
  return TCornerResult::Rounded;
}

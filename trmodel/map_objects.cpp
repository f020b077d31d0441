#include "map_objects.h"

#include <cmath>

bool SameLineEnd(const TTrLineEnd& A, const TTrLineEnd& B) {
  if (A.Line != B.Line) return false;
  return A.Line == nullptr || A.End == B.End;
}

TTrPoint::TTrPoint(double X, double Y, double Z) : Pos(Vector(X, Y, Z)) {}

bool TTrPoint::IsWallPoint() const {
  const TTrLine* first = Conn1.Line != nullptr ? Conn1.Line : Conn2.Line;
  return !IsTrack(first);
}

int32_t TTrPoint::LineCount() const {
  return (Conn1.Line != nullptr) + (Conn2.Line != nullptr) +
         (Conn3.Line != nullptr);
}

double TTrLine::Bearing() const {
  double bearing = 0.0;
  double distance = 0.0;
  BearingDistance(P1->Pos, P2->Pos, bearing, distance);
  return bearing;
}

double TTrLine::Length() const {
  const long double dx = static_cast<long double>(P2->Pos.X) - P1->Pos.X;
  const long double dy = static_cast<long double>(P2->Pos.Y) - P1->Pos.Y;
  return static_cast<double>(std::sqrt(dx * dx + dy * dy));
}

void SetLink(const TTrLineEnd& At, const TTrLineEnd& Target, bool Alternative) {
  TTrLine* line = At.Line;
  if (line == nullptr) return;
  if (At.End == 2) {
    (Alternative ? line->Branch2 : line->Next2) = Target;
  } else {
    (Alternative ? line->Branch1 : line->Next1) = Target;
  }
}

// A large map holds millions of each: their size is most of its memory.
static_assert(sizeof(TTrPoint) <= 56, "a point should fit in 56 bytes");
static_assert(sizeof(TTrack) <= 48, "a track should fit in 48 bytes");

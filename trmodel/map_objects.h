#pragma once

#include <cstdint>

#include "geometry.h"
#include "packed_pointer.h"

class TTrLine;
class TTrPoint;

// A reference to one end of a line: End 1 is the end at the line's P1,
// End 2 the end at its P2. Empty when Line is null; End is then meaningless.
// A point holds three and a line four, and a large map has millions of
// both: packed, a reference takes 7 bytes instead of 16.
struct TTrLineEnd {
  TPackedPointer<TTrLine> Line;
  uint8_t End = 0;

  bool IsEmpty() const { return Line == nullptr; }
};
static_assert(sizeof(TTrLineEnd) == 7);

// Two references name the same place when they name the same end of the
// same line; all empty references are alike whatever their End holds.
bool SameLineEnd(const TTrLineEnd& A, const TTrLineEnd& B);

// A point of the plan. Conn1 is a switch's entry, Conn2 its default
// direction (or the other line of a plain joint), Conn3 its other direction.
// The identifier comes last, after the references, so that no padding
// falls between them.
class TTrPoint {
 public:
  TTrVector Pos;
  TTrLineEnd Conn1;
  TTrLineEnd Conn2;
  TTrLineEnd Conn3;
  int32_t Id = 0;

  // The position goes through Vector, so it may throw EFloatOverflow.
  TTrPoint(double X, double Y, double Z);

  // True unless the first present of Conn1, Conn2 is a track; a point
  // without lines counts as a wall point.
  bool IsWallPoint() const;
  int32_t LineCount() const;
};

// The common base of track and wall lines. Next1/Next2 are the main links
// followed by a train leaving through that end; Branch1/Branch2 are set only
// while the line is the entry of a switch at that end.
// A line knows its kind from a flag rather than a table of virtual
// functions, which would take eight bytes of each of millions of lines.
// The identifier and the flag come last, so that a track's own fields fill
// the rest of its eight bytes.
class TTrLine {
 public:
  TPackedPointer<TTrPoint> P1;
  TPackedPointer<TTrPoint> P2;
  TTrLineEnd Next2;
  TTrLineEnd Next1;
  TTrLineEnd Branch2;
  TTrLineEnd Branch1;
  int32_t Id = 0;

  TTrLine(const TTrLine&) = delete;
  TTrLine& operator=(const TTrLine&) = delete;

  bool IsTrack() const { return track_; }
  // Bearing from P1 to P2, and their distance on the map plane.
  double Bearing() const;
  double Length() const;

 protected:
  TTrLine(TTrPoint* AP1, TTrPoint* AP2, bool Track)
      : P1(AP1), P2(AP2), track_(Track) {}
  ~TTrLine() = default;

 private:
  bool track_;
};

class TTrack : public TTrLine {
 public:
  uint8_t Poles = 0;     // 0 Side, 1 Middle, 2 Over
  uint8_t Platform = 0;  // 1 when the track has a station platform

  TTrack(TTrPoint* AP1, TTrPoint* AP2) : TTrLine(AP1, AP2, true) {}
};

class TWall : public TTrLine {
 public:
  TWall(TTrPoint* AP1, TTrPoint* AP2) : TTrLine(AP1, AP2, false) {}
};

inline bool IsTrack(const TTrLine* Line) {
  return Line != nullptr && Line->IsTrack();
}
// The line as a track; null when it is a wall or null.
inline TTrack* AsTrack(TTrLine* Line) {
  return IsTrack(Line) ? static_cast<TTrack*>(Line) : nullptr;
}
inline const TTrack* AsTrack(const TTrLine* Line) {
  return IsTrack(Line) ? static_cast<const TTrack*>(Line) : nullptr;
}

// Stores Target in the main (or, with Alternative, the branch) link of the
// line named by At, at the end At names: End 2 is end 2, any other code end 1.
// An empty At names no line and changes nothing.
void SetLink(const TTrLineEnd& At, const TTrLineEnd& Target, bool Alternative);

// The link rule at Point, from the order of its references: each line's
// main link there leads to Conn1 (Conn1's own to Conn2), and Conn1's branch
// link to Conn3. Set(At, Target, Alternative) stores one link, as SetLink
// does, or through a journal.
template <typename TSet>
void ApplyLinkRule(const TTrPoint& Point, TSet Set) {
  Set(Point.Conn1, Point.Conn2, false);
  if (!Point.Conn2.IsEmpty()) Set(Point.Conn2, Point.Conn1, false);
  if (!Point.Conn3.IsEmpty()) Set(Point.Conn3, Point.Conn1, false);
  Set(Point.Conn1, Point.Conn3, true);
}

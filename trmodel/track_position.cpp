#include "track_position.h"

#include <cmath>
#include <cstdint>

#include "map_objects.h"

TTrackPosition::TTrackPosition(TTrLine* ALine, double AOffset, uint8_t ADir)
    : Line(ALine), Offset(0.0), Dir(ADir) {
  Advance(AOffset);
}

void TTrackPosition::NextLine() {
  if (Line == nullptr) return;
  const TTrLineEnd link = Dir == 1 ? Line->Next2 : Line->Next1;
  Dir = link.End;
  Offset = 0.0;
  Line = link.Line;
}

namespace {

// Direction codes other than 1 all travel from P2 toward P1.
bool SameWay(uint8_t A, uint8_t B) { return (A == 1) == (B == 1); }

}  // namespace

// Walks line by line, exactly as a train would, with two safeguards that
// only matter on degenerate input:
//  - A target that is not finite leaves the position unchanged.
//  - The walk watches for a repeating (line, direction) state (Brent's
//    cycle detection, constant memory). On a loop of total length 0 the
//    position stops at offset 0 of the line where the loop was found; every
//    line of such a loop lies at one spot, so that is where the loop is. On
//    a loop of positive length, whole laps beyond the last two are added
//    arithmetically; if rounding of a huge distance then still leaves too
//    far to go, the position stops at the far end of its line.
void TTrackPosition::Advance(double Distance) {
  const double target = Offset + Distance;
  if (!std::isfinite(target)) return;

  double walked = 0.0;
  TTrLine* savedLine = Line;
  uint8_t savedDir = Dir;
  double savedWalked = 0.0;
  uint64_t power = 1;
  uint64_t sinceSaved = 0;
  bool lapsSkipped = false;
  uint64_t stepsLeft = 0;

  while (Line != nullptr) {
    const double length = Line->Length();
    if (!(walked + length < target)) break;
    walked += length;
    NextLine();
    if (Line == nullptr) return;  // ran off the track; Offset is 0

    if (lapsSkipped) {
      if (--stepsLeft == 0) {
        Offset = Line->Length();
        return;
      }
      continue;
    }
    ++sinceSaved;
    if (Line == savedLine && SameWay(Dir, savedDir)) {
      const double lap = walked - savedWalked;
      if (!(lap > 0.0)) {
        Offset = 0.0;
        return;
      }
      const double remaining = target - walked;
      const double skip = remaining - std::fmod(remaining, lap) - lap;
      if (skip > 0.0) walked += skip;
      lapsSkipped = true;
      stepsLeft = 3 * sinceSaved + 3;
      continue;
    }
    if (sinceSaved == power) {
      savedLine = Line;
      savedDir = Dir;
      savedWalked = walked;
      power *= 2;
      sinceSaved = 0;
    }
  }
  if (Line != nullptr) Offset = target - walked;
}

void TTrackPosition::GetXY(TTrXY& Out) const {
  if (Line == nullptr) return;
  const long double bearing = Line->Bearing();
  const long double along_x = std::sin(bearing) * Offset;
  const long double along_y = std::cos(bearing) * Offset;
  if (Dir == 1) {
    Out.X = static_cast<double>(Line->P1->Pos.X + along_x);
    Out.Y = static_cast<double>(Line->P1->Pos.Y + along_y);
  } else {
    Out.X = static_cast<double>(Line->P2->Pos.X - along_x);
    Out.Y = static_cast<double>(Line->P2->Pos.Y - along_y);
  }
}

TTrain::TTrain(TTrLine* Line, uint8_t Dir, double ALength)
    : Position(Line, 0.0, Dir), Length(ALength) {}

#pragma once

#include <cstdint>
#include <vector>

#include "map_objects.h"

// What a route or a path is made of: the stretches of line it covers, in
// order, and the switches it passes.

// The part of Line from From to To metres, measured from the end at which
// the way enters it (Dir 1 at P1, any other code at P2).
struct TRouteStretch {
  const TTrLine* Line = nullptr;
  uint8_t Dir = 1;
  double From = 0.0;
  double To = 0.0;
};

// How a way passes a switch: from its entry into the default or the other
// direction, or from one of these back into the entry.
enum class TSwitchWay { Default, Other, FromDefault, FromOther };

struct TSwitchPass {
  const TTrPoint* Switch = nullptr;
  // Metres along the way from its start.
  double At = 0.0;
  TSwitchWay Way = TSwitchWay::Default;

  bool operator==(const TSwitchPass&) const = default;
};

// The end of Line through which a way that entered it at Dir leaves it.
inline TTrLineEnd FarEnd(TTrLine* Line, uint8_t Dir) {
  return {Line, static_cast<uint8_t>(Dir == 1 ? 2 : 1)};
}

// The point at the end of a line that End names.
inline TTrPoint* EndPoint(const TTrLineEnd& End) {
  return End.End == 1 ? End.Line->P1 : End.Line->P2;
}

// How a way that arrives at Point through the line end Arrival and leaves
// through Departure passes it; false when Point is no switch or the two
// are not an entry and a leg of it.
bool SwitchWay(const TTrPoint& Point, const TTrLineEnd& Arrival,
               const TTrLineEnd& Departure, TSwitchWay& Way);

using TRouteStretches = std::vector<TRouteStretch>;
using TSwitchPasses = std::vector<TSwitchPass>;

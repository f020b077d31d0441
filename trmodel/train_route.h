#pragma once

#include "route_pieces.h"
#include "track_position.h"

// Where a position goes: the way it follows from its place along the main
// links (at a switch entered on its entry line, the default direction),
// until the track ends, the way comes back onto itself, or the limit.

// Routes are followed this far, in metres.
constexpr double kRouteLimit = 100000.0;

enum class TRouteEnd {
  // The track ends at EndPoint.
  DeadEnd,
  // The route comes back to a place it passed; it goes round the loop of
  // LoopLength metres from then on.
  Loop,
  // The limit was reached.
  Limit,
};

struct TTrainRoute {
  TRouteStretches Stretches;
  TSwitchPasses Switches;
  double Length = 0.0;
  TRouteEnd End = TRouteEnd::DeadEnd;
  // Where the track ends (DeadEnd); none for a position off the track.
  const TTrPoint* EndPoint = nullptr;
  double LoopLength = 0.0;
};

// Follows From forward. A position off the track has an empty route.
TTrainRoute TraceRoute(const TTrackPosition& From, double Limit = kRouteLimit);

#pragma once

#include <cstdint>

#include "geometry.h"
#include "map_objects.h"
#include "map_tool.h"

// The bearings Shift keeps a new or moved line to: multiples of this,
// clockwise from north.
inline constexpr double kBearingStep = 15.0;

// Where a gesture puts a point for client pixel (X, Y): where a point
// (other than Exclude) lies within kGrabDistance, the pixel itself, as the
// drop joins onto that point; otherwise, with Shift held, at the pixel's
// distance from Anchor on the nearest multiple of kBearingStep; otherwise,
// with the grid snapping, on the nearest grid crossing.
TTrXY SnappedPosition(const TToolHost& Host, int32_t X, int32_t Y,
                      const TTrPoint* Exclude, const TTrPoint* Anchor);

// The world position of a point, in the plane.
inline TTrXY PlaceOf(const TTrPoint& Point) {
  return {Point.Pos.X, Point.Pos.Y};
}

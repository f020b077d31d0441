#pragma once

#include <algorithm>
#include <optional>

// Pixel positions computed in floating point can lie arbitrarily far outside
// the window at extreme zoom; these keep them within range before they
// become integers.

struct TScreenRect {
  double Left;
  double Top;
  double Right;
  double Bottom;
};

struct TScreenSegment {
  double X1;
  double Y1;
  double X2;
  double Y2;
};

// The part of Segment inside Rect (edges included), with the new ends
// rounded to whole pixels; an end already inside keeps its value. Nothing
// when no part lies inside or an end is not finite.
std::optional<TScreenSegment> ClipSegment(const TScreenSegment& Segment,
                                          const TScreenRect& Rect);

// Whether the box around Segment, widened by Reach on every side, meets Rect.
// Inline: a paint asks it for every object of the map.
inline bool SegmentNear(const TScreenSegment& Segment, double Reach,
                        const TScreenRect& Rect) {
  const auto [x1, y1, x2, y2] = Segment;
  return !(std::max(x1, x2) < Rect.Left - Reach ||
           std::min(x1, x2) > Rect.Right + Reach ||
           std::max(y1, y2) < Rect.Top - Reach ||
           std::min(y1, y2) > Rect.Bottom + Reach);
}

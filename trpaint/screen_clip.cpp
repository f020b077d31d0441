#include "screen_clip.h"

#include <algorithm>
#include <cmath>

namespace {

bool Inside(double X, double Y, const TScreenRect& Rect) {
  return X >= Rect.Left && X <= Rect.Right && Y >= Rect.Top && Y <= Rect.Bottom;
}

}  // namespace

// Liang-Barsky: the segment is X1 + t * dx for t in [0, 1]; each edge of the
// rectangle narrows the range of t that stays inside.
std::optional<TScreenSegment> ClipSegment(const TScreenSegment& Segment,
                                          const TScreenRect& Rect) {
  const auto [x1, y1, x2, y2] = Segment;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
      !std::isfinite(y2)) {
    return std::nullopt;
  }
  const bool firstInside = Inside(x1, y1, Rect);
  const bool secondInside = Inside(x2, y2, Rect);
  if (firstInside && secondInside) return Segment;

  const double dx = x2 - x1;
  const double dy = y2 - y1;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return std::nullopt;
  double enter = 0.0;
  double leave = 1.0;
  // Each edge as p * t <= q.
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - Rect.Left, Rect.Right - x1, y1 - Rect.Top,
                       Rect.Bottom - y1};
  for (int edge = 0; edge < 4; ++edge) {
    if (p[edge] == 0.0) {
      if (q[edge] < 0.0) return std::nullopt;
      continue;
    }
    const double t = q[edge] / p[edge];
    if (p[edge] < 0.0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
  }
  if (enter > leave) return std::nullopt;

  // A new end rounded to a whole pixel may land just outside; pull it in.
  auto clampX = [&](double X) {
    return std::clamp(std::nearbyint(X), std::ceil(Rect.Left),
                      std::floor(Rect.Right));
  };
  auto clampY = [&](double Y) {
    return std::clamp(std::nearbyint(Y), std::ceil(Rect.Top),
                      std::floor(Rect.Bottom));
  };
  TScreenSegment clipped = Segment;
  if (!firstInside) {
    clipped.X1 = clampX(x1 + enter * dx);
    clipped.Y1 = clampY(y1 + enter * dy);
  }
  if (!secondInside) {
    clipped.X2 = clampX(x1 + leave * dx);
    clipped.Y2 = clampY(y1 + leave * dy);
  }
  return clipped;
}

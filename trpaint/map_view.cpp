#include "map_view.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A whole number held in a double, narrowed to 32 bits; values beyond the
// range stop at its ends, so extreme zoom can never overflow.
int32_t Saturate(double Value) {
  constexpr double lowest = std::numeric_limits<int32_t>::min();
  constexpr double highest = std::numeric_limits<int32_t>::max();
  if (!(Value > lowest)) return std::numeric_limits<int32_t>::min();
  if (!(Value < highest)) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(Value);
}

// Far more than the rounding of a few operations on doubles can move a
// coordinate, relative to its size.
constexpr double kRelativeSlack = 1e-9;

double Lower(double Value) { return Value - std::fabs(Value) * kRelativeSlack; }

double Higher(double Value) {
  return Value + std::fabs(Value) * kRelativeSlack;
}

}  // namespace

int32_t TMapView::WorldToScreenX(double X) const {
  return Saturate(ScreenColumn(X));
}

int32_t TMapView::WorldToScreenY(double Y) const {
  return Saturate(ScreenRow(Y));
}

TWorldBox TMapView::WorldAround(double Reach) const {
  const double margin = Reach + 1.0;
  const double left = ScreenToWorldX(-margin);
  const double right = ScreenToWorldX(Width + margin);
  const double bottom = ScreenToWorldY(Height + margin);
  const double top = ScreenToWorldY(-margin);
  return {Lower(std::min(left, right)), Lower(std::min(bottom, top)),
          Higher(std::max(left, right)), Higher(std::max(bottom, top))};
}

TMapView TMapView::ScrolledBy(int32_t DX, int32_t DY) const {
  TMapView moved = *this;
  moved.OriginX = Saturate(static_cast<double>(OriginX) + DX);
  moved.OriginY = Saturate(static_cast<double>(OriginY) + DY);
  return moved;
}

TMapView TMapView::ZoomedBy(double Factor) const {
  return ZoomedAbout(Factor, Width / 2, Height / 2);
}

TMapView TMapView::ZoomedAbout(double Factor, double PX, double PY) const {
  // Zoom has no limit of its own, but a scale that has run out of the range
  // of doubles would make every conversion meaningless.
  const double scale = Scale / Factor;
  if (!std::isnormal(scale) || !(scale > 0.0)) return *this;
  TMapView zoomed = *this;
  zoomed.OriginX = Saturate(RoundHalfEven((OriginX - PX) * Factor + PX));
  zoomed.OriginY = Saturate(RoundHalfEven((OriginY - PY) * Factor + PY));
  zoomed.Scale = scale;
  return zoomed;
}

TMapView TMapView::ScaledTo(double NewScale) const {
  const double factor = Scale / NewScale;
  if (!std::isnormal(NewScale) || !std::isnormal(factor) || !(factor > 0.0)) {
    return *this;
  }
  TMapView scaled = ZoomedBy(factor);
  // Scale / factor may differ from NewScale in its last bit.
  scaled.Scale = NewScale;
  return scaled;
}

TMapView TMapView::FittedTo(const TWorldBox& Box, int MarginPixels) const {
  TMapView fitted = *this;
  const double room_x = std::max(1, Width - 2 * MarginPixels);
  const double room_y = std::max(1, Height - 2 * MarginPixels);
  const double scale =
      std::max((Box.MaxX - Box.MinX) / room_x, (Box.MaxY - Box.MinY) / room_y);
  if (std::isnormal(scale)) fitted.Scale = scale;
  const double centre_x = Box.MinX / 2 + Box.MaxX / 2;
  const double centre_y = Box.MinY / 2 + Box.MaxY / 2;
  fitted.OriginX = Saturate(RoundHalfEven(Width / 2 - centre_x / fitted.Scale));
  fitted.OriginY =
      Saturate(RoundHalfEven(Height / 2 + centre_y / fitted.Scale));
  return fitted;
}

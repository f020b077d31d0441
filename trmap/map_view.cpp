#include <cmath>
#include <cstdint>
#include <limits>

#include "map_window.h"
#include "pixel_rounding.h"

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

}  // namespace

int32_t TfrmMap::WorldToScreenX(double X) const {
  return Saturate(ScreenColumn(X));
}

int32_t TfrmMap::WorldToScreenY(double Y) const {
  return Saturate(ScreenRow(Y));
}

void TfrmMap::ScrollBy(int32_t DX, int32_t DY) {
  OriginX = Saturate(static_cast<double>(OriginX) + DX);
  OriginY = Saturate(static_cast<double>(OriginY) + DY);
  Repaint();
}

void TfrmMap::ZoomBy(double Factor) {
  // Zoom has no limit of its own, but a scale that has run out of the range
  // of doubles would make every conversion meaningless: such a step changes
  // nothing.
  const double scale = Scale / Factor;
  if (std::isnormal(scale) && scale > 0.0) {
    const double cx = width() / 2;
    const double cy = height() / 2;
    OriginX = Saturate(RoundHalfEven((OriginX - cx) * Factor + cx));
    OriginY = Saturate(RoundHalfEven((OriginY - cy) * Factor + cy));
    Scale = scale;
  }
  Repaint();
}

void TfrmMap::SetGridSpacing(double G) {
  GridSpacing = G;
  Repaint();
}

void TfrmMap::Repaint() {
  Canvas->Erase(ButtonFace());
  FormPaint();
  PresentNow();
}

#include "map_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "pixel_rounding.h"

namespace {

// Room around the points for their circles, wide lines and markers.
constexpr int kMargin = 8;
// How far the origin may lie from the picture, in pixels: well inside 32
// bits, whatever the rounding.
constexpr double kMaxOrigin = 1e9;

bool Empty(const TWorldBox& Box) { return Box.MinX > Box.MaxX; }
double Width(const TWorldBox& Box) {
  return Empty(Box) ? 0.0 : Box.MaxX - Box.MinX;
}
double Height(const TWorldBox& Box) {
  return Empty(Box) ? 0.0 : Box.MaxY - Box.MinY;
}

// The pixels of one side inside the margins.
double Inner(int Side) { return std::max(1, Side - 2 * kMargin); }

}  // namespace

TWorldBox PointExtent(const TTrainStructureSV& Map) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  TWorldBox extent{inf, inf, -inf, -inf};
  for (const auto& point : Map.Points) {
    extent.MinX = std::min(extent.MinX, point->Pos.X);
    extent.MinY = std::min(extent.MinY, point->Pos.Y);
    extent.MaxX = std::max(extent.MaxX, point->Pos.X);
    extent.MaxY = std::max(extent.MaxY, point->Pos.Y);
  }
  return extent;
}

QSize FittedSize(const TTrainStructureSV& Map, int LongSide) {
  const TWorldBox extent = PointExtent(Map);
  const double width = Width(extent);
  const double height = Height(extent);
  if (!(width > 0.0 || height > 0.0)) return {LongSide, LongSide};
  const auto shortSide = [&](double Short, double Long) {
    const double side = 2 * kMargin + std::ceil(Inner(LongSide) * Short / Long);
    return static_cast<int>(std::clamp(side, 1.0, double(LongSide)));
  };
  if (width >= height) return {LongSide, shortSide(height, width)};
  return {shortSide(width, height), LongSide};
}

TMapView FittedView(const TTrainStructureSV& Map, const QSize& Size,
                    double GridSpacing) {
  const TWorldBox extent = PointExtent(Map);
  const double centreX = Empty(extent) ? 0.0 : extent.MinX + Width(extent) / 2;
  const double centreY = Empty(extent) ? 0.0 : extent.MinY + Height(extent) / 2;
  double scale = std::max(Width(extent) / Inner(Size.width()),
                          Height(extent) / Inner(Size.height()));
  if (!std::isnormal(scale)) scale = 1.0;
  scale = std::max({scale, std::fabs(centreX) / kMaxOrigin,
                    std::fabs(centreY) / kMaxOrigin});
  TMapView view;
  view.Scale = scale;
  view.GridSpacing = GridSpacing;
  view.Width = Size.width();
  view.Height = Size.height();
  view.OriginX =
      static_cast<int32_t>(RoundHalfEven(Size.width() / 2.0 - centreX / scale));
  view.OriginY = static_cast<int32_t>(
      RoundHalfEven(Size.height() / 2.0 + centreY / scale));
  return view;
}

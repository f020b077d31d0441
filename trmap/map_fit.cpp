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

struct TExtent {
  double MinX = std::numeric_limits<double>::infinity();
  double MinY = std::numeric_limits<double>::infinity();
  double MaxX = -std::numeric_limits<double>::infinity();
  double MaxY = -std::numeric_limits<double>::infinity();

  bool Empty() const { return MinX > MaxX; }
  double Width() const { return Empty() ? 0.0 : MaxX - MinX; }
  double Height() const { return Empty() ? 0.0 : MaxY - MinY; }
};

TExtent ExtentOf(const TTrainStructureSV& Map) {
  TExtent extent;
  for (const auto& point : Map.Points) {
    extent.MinX = std::min(extent.MinX, point->Pos.X);
    extent.MinY = std::min(extent.MinY, point->Pos.Y);
    extent.MaxX = std::max(extent.MaxX, point->Pos.X);
    extent.MaxY = std::max(extent.MaxY, point->Pos.Y);
  }
  return extent;
}

// The pixels of one side inside the margins.
double Inner(int Side) { return std::max(1, Side - 2 * kMargin); }

}  // namespace

QSize FittedSize(const TTrainStructureSV& Map, int LongSide) {
  const TExtent extent = ExtentOf(Map);
  const double width = extent.Width();
  const double height = extent.Height();
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
  const TExtent extent = ExtentOf(Map);
  const double centreX =
      extent.Empty() ? 0.0 : extent.MinX + extent.Width() / 2;
  const double centreY =
      extent.Empty() ? 0.0 : extent.MinY + extent.Height() / 2;
  double scale = std::max(extent.Width() / Inner(Size.width()),
                          extent.Height() / Inner(Size.height()));
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

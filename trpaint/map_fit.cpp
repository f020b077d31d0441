#include "map_fit.h"

#include <algorithm>
#include <cmath>

namespace {

// Room around the points for their circles, wide lines and markers.
constexpr int kMargin = 8;

}  // namespace

std::optional<TWorldBox> PointExtent(const TTrainStructureSV& Map) {
  std::optional<TWorldBox> extent;
  for (const auto& point : Map.Points) {
    const double x = point->Pos.X;
    const double y = point->Pos.Y;
    if (!extent) extent = TWorldBox{x, y, x, y};
    extent->MinX = std::min(extent->MinX, x);
    extent->MinY = std::min(extent->MinY, y);
    extent->MaxX = std::max(extent->MaxX, x);
    extent->MaxY = std::max(extent->MaxY, y);
  }
  return extent;
}

QSize FittedSize(const TTrainStructureSV& Map, int LongSide) {
  const std::optional<TWorldBox> extent = PointExtent(Map);
  const double width = extent ? extent->MaxX - extent->MinX : 0.0;
  const double height = extent ? extent->MaxY - extent->MinY : 0.0;
  if (!(width > 0.0 || height > 0.0)) return {LongSide, LongSide};
  // The short side in the map's proportions, the margins apart.
  const auto shortSide = [&](double Short, double Long) {
    const double inner = std::max(1, LongSide - 2 * kMargin);
    const double side = 2 * kMargin + std::ceil(inner * Short / Long);
    return static_cast<int>(std::clamp(side, 1.0, double(LongSide)));
  };
  if (width >= height) return {LongSide, shortSide(height, width)};
  return {shortSide(width, height), LongSide};
}

TMapView FittedView(const TTrainStructureSV& Map, const QSize& Size,
                    double GridSpacing) {
  TMapView view;
  view.GridSpacing = GridSpacing;
  view.Width = Size.width();
  view.Height = Size.height();
  view.OriginX = Size.width() / 2;
  view.OriginY = Size.height() / 2;
  const std::optional<TWorldBox> extent = PointExtent(Map);
  return extent ? view.FittedTo(*extent, kMargin) : view;
}

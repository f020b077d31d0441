#include "benchmark_views.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>

#include "map_fit.h"
#include "map_generator.h"

namespace {

// The generated runs lie east to west. Turned by 30 degrees, hardly any
// line is horizontal or vertical any more, which the canvas draws faster.
void Turn(TTrainStructureSV& Map) {
  const double c = std::cos(std::numbers::pi / 6);
  const double s = std::sin(std::numbers::pi / 6);
  for (const auto& point : Map.Points) {
    const TTrVector p = point->Pos;
    Map.MovePoint(point.get(), p.X * c - p.Y * s, p.X * s + p.Y * c);
  }
}

}  // namespace

std::unique_ptr<TTrainStructureSV>& CachedMap(size_t PointCount, bool Turned) {
  static std::map<std::pair<size_t, bool>, std::unique_ptr<TTrainStructureSV>>
      maps;
  auto& map = maps[{PointCount, Turned}];
  if (!map) {
    map = GenerateMap(PointCount);
    if (Turned) Turn(*map);
  }
  return map;
}

double ShareInView(const TfrmMap& Window) {
  size_t inView = 0;
  for (const auto& point : Window.Map()->Points) {
    const int x = Window.WorldToScreenX(point->Pos.X);
    const int y = Window.WorldToScreenY(point->Pos.Y);
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) ++inView;
  }
  return static_cast<double>(inView) / Window.Map()->Points.size();
}

void FitView(TfrmMap& Window, double ViewShare) {
  const TWorldBox b = *PointExtent(*Window.Map());
  const double width = b.MaxX - b.MinX;
  const double height = b.MaxY - b.MinY;
  Window.Scale = std::max(width / kWidth, height / kHeight) * 1.02;
  const int iterations = ViewShare < 1.0 ? 8 : 1;
  for (int i = 0; i < iterations; ++i) {
    if (i > 0) Window.Scale *= std::sqrt(ViewShare / ShareInView(Window));
    Window.OriginX = static_cast<int32_t>(
        std::nearbyint(kWidth / 2 - (b.MinX + b.MaxX) / 2 / Window.Scale));
    Window.OriginY = static_cast<int32_t>(
        std::nearbyint(kHeight / 2 + (b.MinY + b.MaxY) / 2 / Window.Scale));
  }
}

void SwapMap(TfrmMap& Window, std::unique_ptr<TTrainStructureSV>& Map) {
  Map = Window.Document().ReplaceMap(std::move(Map));
}

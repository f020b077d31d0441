// Time of one full paint of a map window onto its image, on generated maps
// of about 10,000 and 100,000 lines, 1920 x 1080 pixels, with the whole map
// in view and zoomed so that about 5 % of its area is in view; each map as
// generated and turned by 30 degrees.
#include <benchmark/benchmark.h>

#include <QtWidgets/QApplication>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <utility>

#include "image_canvas.h"
#include "map_generator.h"
#include "map_window.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// The generated runs lie east to west. Turned by 30 degrees, hardly any
// line is horizontal or vertical any more, which the canvas draws faster.
void Turn(TTrainStructureSV& Map) {
  const double c = std::cos(std::numbers::pi / 6);
  const double s = std::sin(std::numbers::pi / 6);
  for (const auto& point : Map.Points) {
    const TTrVector p = point->Pos;
    point->Pos = Vector(p.X * c - p.Y * s, p.X * s + p.Y * c, p.Z);
  }
}

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

struct TBounds {
  double Left = std::numeric_limits<double>::max();
  double Right = -std::numeric_limits<double>::max();
  double Bottom = std::numeric_limits<double>::max();
  double Top = -std::numeric_limits<double>::max();
};

TBounds MapBounds(const TTrainStructureSV& Map) {
  TBounds bounds;
  for (const auto& point : Map.Points) {
    bounds.Left = std::min(bounds.Left, point->Pos.X);
    bounds.Right = std::max(bounds.Right, point->Pos.X);
    bounds.Bottom = std::min(bounds.Bottom, point->Pos.Y);
    bounds.Top = std::max(bounds.Top, point->Pos.Y);
  }
  return bounds;
}

// The share of the map's points that lie in the window.
double ShareInView(const TfrmMap& Window) {
  size_t inView = 0;
  for (const auto& point : Window.Map->Points) {
    const int x = Window.WorldToScreenX(point->Pos.X);
    const int y = Window.WorldToScreenY(point->Pos.Y);
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) ++inView;
  }
  return static_cast<double>(inView) / Window.Map->Points.size();
}

// Centres the map in the window. With ViewShare 1 the whole map is in view;
// below 1 the scale is narrowed until about that share of the map's points
// lie in the window.
void FitView(TfrmMap& Window, double ViewShare) {
  const TBounds b = MapBounds(*Window.Map);
  const double width = b.Right - b.Left;
  const double height = b.Top - b.Bottom;
  Window.Scale = std::max(width / kWidth, height / kHeight) * 1.02;
  const int iterations = ViewShare < 1.0 ? 8 : 1;
  for (int i = 0; i < iterations; ++i) {
    if (i > 0) Window.Scale *= std::sqrt(ViewShare / ShareInView(Window));
    Window.OriginX = static_cast<int32_t>(
        std::nearbyint(kWidth / 2 - (b.Left + b.Right) / 2 / Window.Scale));
    Window.OriginY = static_cast<int32_t>(
        std::nearbyint(kHeight / 2 + (b.Bottom + b.Top) / 2 / Window.Scale));
  }
}

void BM_FullPaint(benchmark::State& State) {
  const size_t pointCount = static_cast<size_t>(State.range(0));
  const double viewShare = State.range(1) / 100.0;
  const bool turned = State.range(2) != 0;
  auto* canvas = new TImageCanvas(QSize(kWidth, kHeight));
  TfrmMap window(nullptr, std::unique_ptr<TCanvas>(canvas));
  window.resize(kWidth, kHeight);
  window.Map.swap(CachedMap(pointCount, turned));
  FitView(window, viewShare);

  for (auto _ : State) {
    canvas->Erase(clWhite);
    window.FormPaint();
    benchmark::DoNotOptimize(canvas->Picture().constBits());
  }
  const TTrainStructureSV& map = *window.Map;
  State.counters["lines"] =
      static_cast<double>(map.Tracks.size() + map.Walls.size());
  State.counters["points"] = static_cast<double>(map.Points.size());
  State.counters["trains"] = static_cast<double>(map.Trains.size());
  State.counters["in_view%"] = 100.0 * ShareInView(window);
  window.Map.swap(CachedMap(pointCount, turned));
}

BENCHMARK(BM_FullPaint)
    ->ArgNames({"points", "view%", "turned"})
    ->ArgsProduct({{10000, 100000}, {100, 5}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

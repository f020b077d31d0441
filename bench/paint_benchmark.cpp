// Time of one full paint of a map window onto its image, 1920 x 1080 pixels:
// on generated maps of about 10,000 and 100,000 lines with the whole map in
// view and zoomed so that about 5 % of it is in view, each map as generated
// and turned by 30 degrees; and on the map of 1,000,000 points with about
// 1 %, 5 % and 100 % of it in view.
#include <benchmark/benchmark.h>

#include "benchmark_views.h"
#include "image_canvas.h"
#include "map_window.h"

namespace {

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
    ->ArgsProduct({{1000000}, {1, 5, 100}, {0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

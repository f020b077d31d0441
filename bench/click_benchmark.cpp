// Time of the hit test of one click: the nearest point, line or train to a
// pixel of a 1920 x 1080 window showing the generated map of 1,000,000
// and of 10,000,000 points, with about 5 % and 100 % of it in view. Clicks
// fall on pixels spread over the window.
#include <benchmark/benchmark.h>

#include <random>

#include "benchmark_views.h"
#include "map_window.h"

namespace {

enum TKind { kPoint, kLine, kTrain };

void BM_Click(benchmark::State& State) {
  const auto kind = static_cast<TKind>(State.range(0));
  const double viewShare = State.range(1) / 100.0;
  const size_t pointCount = static_cast<size_t>(State.range(2));
  TfrmMap window;
  window.resize(kWidth, kHeight);
  SwapMap(window, CachedMap(pointCount, false));
  FitView(window, viewShare);
  // The first hit test makes the map's spatial index, which a window keeps.
  window.Map()->SpatialIndex();

  std::mt19937 random(13);
  std::uniform_int_distribution<int32_t> column(0, kWidth - 1);
  std::uniform_int_distribution<int32_t> row(0, kHeight - 1);
  double distance = 0.0;
  for (auto _ : State) {
    const int32_t x = column(random);
    const int32_t y = row(random);
    TTrPoint* point = nullptr;
    TTrLine* line = nullptr;
    TTrain* train = nullptr;
    switch (kind) {
      case kPoint:
        distance = window.HitTestPoint(x, y, nullptr, point);
        break;
      case kLine:
        distance = window.HitTestLine(x, y, line);
        break;
      case kTrain:
        distance = window.HitTestTrain(x, y, train);
        break;
    }
    benchmark::DoNotOptimize(distance);
  }
  State.counters["in_view%"] = 100.0 * ShareInView(window);
  SwapMap(window, CachedMap(pointCount, false));
}

BENCHMARK(BM_Click)
    ->ArgNames({"kind", "view%", "points"})
    ->ArgsProduct({{kPoint, kLine, kTrain}, {5, 100}, {1000000, 10000000}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

}  // namespace

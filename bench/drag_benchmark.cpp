// Time of one mouse move while a point is dragged: the point follows the
// mouse and the whole window is repainted, 1920 x 1080 pixels, with about
// 5 % of the map in view: on the generated map of about 100,000 lines, as
// generated and turned by 30 degrees, and on the maps of 1,000,000 and
// 10,000,000 points.
#include <benchmark/benchmark.h>

#include "benchmark_views.h"
#include "image_canvas.h"
#include "map_window.h"

namespace {

// Select mode, picking points: a press on a point drags it.
class TSelectPointsMode : public TModeButtons {
 public:
  bool IsDown(TModeButton Button) const override {
    return Button == TModeButton::spbCursor || Button == TModeButton::spbPoint;
  }
  void SetConnDown(bool) override {}
};

void BM_PointDragMove(benchmark::State& State) {
  const size_t pointCount = static_cast<size_t>(State.range(0));
  const bool turned = State.range(1) != 0;
  TSelectPointsMode mode;
  auto* canvas = new TImageCanvas(QSize(kWidth, kHeight));
  TfrmMap window(nullptr, std::unique_ptr<TCanvas>(canvas));
  window.resize(kWidth, kHeight);
  window.ModeButtons = &mode;
  SwapMap(window, CachedMap(pointCount, turned));
  FitView(window, 0.05);

  // Grab the point nearest the middle of the window.
  TTrPoint* point = nullptr;
  window.HitTestPoint(kWidth / 2, kHeight / 2, nullptr, point);
  const int32_t x = window.WorldToScreenX(point->Pos.X);
  const int32_t y = window.WorldToScreenY(point->Pos.Y);
  window.FormMouseDown(TMouseButton::Left, x, y);
  if (!window.MovingPoint()) State.SkipWithError("no point drag started");

  int32_t step = 0;
  for (auto _ : State) {
    step = (step + 1) % 40;
    window.FormMouseMove(x + step, y - step);
    benchmark::DoNotOptimize(canvas->Picture().constBits());
  }
  window.FormMouseUp(TMouseButton::Left, x, y);
  State.counters["lines"] = static_cast<double>(window.Map()->Tracks.size() +
                                                window.Map()->Walls.size());
  State.counters["in_view%"] = 100.0 * ShareInView(window);
  SwapMap(window, CachedMap(pointCount, turned));
}

BENCHMARK(BM_PointDragMove)
    ->ArgNames({"points", "turned"})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({1000000, 0})
    ->Args({10000000, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

// Time of one full paint of a map window onto its image, 1920 x 1080 pixels:
// on generated maps of about 10,000 and 100,000 lines with the whole map in
// view and zoomed so that about 5 % of it is in view, each map as generated
// and turned by 30 degrees; and on the map of 1,000,000 points with about
// 1 %, 5 % and 100 % of it in view, and on the map of 10,000,000 points
// with 5 % and 100 % in view, exact and as the simplified overview, in
// processor time of every thread, as the paint of a large map runs on two. Then
// the same paint on the map of about 100,000 lines with 5 % (and 100 %) in view
// over a background picture of 10,000 x 10,000 pixels that covers the whole
// map, opaque or at 60 %, unturned or turned by 30 degrees; and the time to
// make such a picture ready once. Last, one step of a scroll on the maps of
// 1,000,000 and 10,000,000 points.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "background_picture.h"
#include "benchmark_views.h"
#include "image_canvas.h"
#include "map_window.h"

namespace {

// The View menu's choice of a simplified overview.
class TSimplifyingMode : public TModeButtons {
 public:
  bool IsDown(TModeButton) const override { return false; }
  void SetConnDown(bool) override {}
  bool SimplifyZoomedOut() const override { return true; }
};

void BM_FullPaint(benchmark::State& State) {
  const size_t pointCount = static_cast<size_t>(State.range(0));
  const double viewShare = State.range(1) / 100.0;
  const bool turned = State.range(2) != 0;
  const bool simplified = State.range(3) != 0;
  TSimplifyingMode simplifying;
  auto* canvas = new TImageCanvas(QSize(kWidth, kHeight));
  TfrmMap window(nullptr, std::unique_ptr<TCanvas>(canvas));
  window.resize(kWidth, kHeight);
  if (simplified) window.ModeButtons = &simplifying;
  SwapMap(window, CachedMap(pointCount, turned));
  FitView(window, viewShare);
  // The first paint makes the map's spatial index, which a window keeps.
  window.FormPaint();

  for (auto _ : State) {
    canvas->Erase(clWhite);
    window.FormPaint();
    benchmark::DoNotOptimize(canvas->Picture().constBits());
  }
  const TTrainStructureSV& map = *window.Map();
  State.counters["lines"] =
      static_cast<double>(map.Tracks.size() + map.Walls.size());
  State.counters["points"] = static_cast<double>(map.Points.size());
  State.counters["trains"] = static_cast<double>(map.Trains.size());
  State.counters["in_view%"] = 100.0 * ShareInView(window);
  SwapMap(window, CachedMap(pointCount, turned));
}

BENCHMARK(BM_FullPaint)
    ->ArgNames({"points", "view%", "turned", "simplified"})
    ->ArgsProduct({{10000, 100000}, {100, 5}, {0, 1}, {0}})
    ->ArgsProduct({{1000000}, {1, 5, 100}, {0}, {0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FullPaint)
    ->ArgNames({"points", "view%", "turned", "simplified"})
    ->ArgsProduct({{10000000}, {5, 100}, {0}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

constexpr int kPictureSide = 10000;

// A picture with detail at every scale: fine stripes over broad bands.
QImage GeneratedPicture() {
  QImage picture(kPictureSide, kPictureSide, QImage::Format_RGB32);
  for (int y = 0; y < kPictureSide; ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < kPictureSide; ++x) {
      row[x] = qRgb((x / 500) * 12 % 256, (y / 700) * 17 % 256,
                    (x + y) % 7 == 0 ? 60 : 220);
    }
  }
  return picture;
}

// Made ready once per run, as a window does when the picture is read.
std::shared_ptr<const TBackgroundPicture> CachedPicture() {
  static const auto picture =
      std::make_shared<const TBackgroundPicture>(GeneratedPicture());
  return picture;
}

void BM_PaintOverBackground(benchmark::State& State) {
  const double viewShare = State.range(0) / 100.0;
  const double opacity = State.range(1) / 100.0;
  const double turn = static_cast<double>(State.range(2));
  auto* canvas = new TImageCanvas(QSize(kWidth, kHeight));
  TfrmMap window(nullptr, std::unique_ptr<TCanvas>(canvas));
  window.resize(kWidth, kHeight);
  SwapMap(window, CachedMap(100000, false));
  double left = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  double top = 0.0;
  for (const auto& point : window.Map()->Points) {
    left = std::min(left, point->Pos.X);
    right = std::max(right, point->Pos.X);
    bottom = std::min(bottom, point->Pos.Y);
    top = std::max(top, point->Pos.Y);
  }
  TMapBackground background{{}, CachedPicture()};
  background.Settings.Placement = {
      left, top, std::max(right - left, top - bottom) / kPictureSide, turn};
  background.Settings.Opacity = opacity;
  window.Document().SetBackground(background, QStringLiteral("Set Background"));
  FitView(window, viewShare);

  for (auto _ : State) {
    canvas->Erase(clWhite);
    window.FormPaint();
    benchmark::DoNotOptimize(canvas->Picture().constBits());
  }
  State.counters["in_view%"] = 100.0 * ShareInView(window);
  State.counters["screen_px_per_picture_px"] =
      background.Settings.Placement.MetresPerPixel / window.Scale;
  SwapMap(window, CachedMap(100000, false));
}

BENCHMARK(BM_PaintOverBackground)
    ->ArgNames({"view%", "opacity%", "turn"})
    ->ArgsProduct({{5, 100}, {100, 60}, {0, 30}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_PrepareBackground(benchmark::State& State) {
  const QImage picture = GeneratedPicture();
  for (auto _ : State) {
    const TBackgroundPicture prepared(picture);
    benchmark::DoNotOptimize(prepared.Levels().back().constBits());
  }
}

BENCHMARK(BM_PrepareBackground)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// One step of a scroll, 20 pixels to the right and back again in turn
// (down and up when Vertical), in processor time of every thread: by
// moving the picture and painting the strip that came into view, or, as
// Whole, by a full paint of the moved view, as every step was drawn
// before.
void BM_ScrollStep(benchmark::State& State) {
  const size_t pointCount = static_cast<size_t>(State.range(0));
  const double viewShare = State.range(1) / 100.0;
  const bool vertical = State.range(2) != 0;
  const bool whole = State.range(3) != 0;
  auto* canvas = new TImageCanvas(QSize(kWidth, kHeight));
  TfrmMap window(nullptr, std::unique_ptr<TCanvas>(canvas));
  window.resize(kWidth, kHeight);
  SwapMap(window, CachedMap(pointCount, false));
  FitView(window, viewShare);
  window.Repaint();

  // A right drag, whose mouse moves by the step.
  const int fromX = kWidth / 2;
  const int fromY = kHeight / 2;
  window.FormMouseDown(TMouseButton::Right, fromX, fromY);
  bool there = false;
  for (auto _ : State) {
    there = !there;
    const int step = there ? 20 : -20;
    if (whole) {
      window.OriginX += vertical ? 0 : step;
      window.OriginY += vertical ? step : 0;
      window.Repaint();
    } else {
      window.FormMouseMove(fromX + (vertical || !there ? 0 : 20),
                           fromY + (vertical && there ? 20 : 0));
    }
    benchmark::DoNotOptimize(canvas->Picture().constBits());
  }
  window.FormMouseUp(TMouseButton::Right, fromX, fromY);
  State.counters["in_view%"] = 100.0 * ShareInView(window);
  SwapMap(window, CachedMap(pointCount, false));
}

BENCHMARK(BM_ScrollStep)
    ->ArgNames({"points", "view%", "vertical", "whole"})
    ->ArgsProduct({{1000000, 10000000}, {5, 100}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

}  // namespace

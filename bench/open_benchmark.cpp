// Opening the generated map file of 1,000,000 (and of 10,000,000) points in
// a map window of
// 1920 x 1080 pixels, from the call that the open command makes to the map
// drawn in the window; with the peak resident memory while it opens.
#include <benchmark/benchmark.h>

#include "benchmark_views.h"
#include "generated_map_file.h"
#include "map_window.h"

namespace {

void BM_OpenMap(benchmark::State& State) {
  const TGeneratedMapFile& file =
      GeneratedMapFile(static_cast<size_t>(State.range(0)));
  const QString name = QString::fromStdString(file.Name);
  double peak = 0.0;
  for (auto _ : State) {
    State.PauseTiming();
    auto window = std::make_unique<TfrmMap>();
    window->resize(kWidth, kHeight);
    ResetPeakMemory();
    State.ResumeTiming();
    window->OpenMap(name);
    State.PauseTiming();
    peak = StatusMegabytes("VmHWM");
    window.reset();
    State.ResumeTiming();
  }
  State.counters["peak_MB"] = peak;
  State.counters["file_MB"] = static_cast<double>(file.Bytes) / 1e6;
}

BENCHMARK(BM_OpenMap)
    ->ArgNames({"points"})
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

}  // namespace

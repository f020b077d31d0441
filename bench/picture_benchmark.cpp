// Pictures of the whole 1,000,000-point map in files, as File > Export
// Image and "trntool render" write them: PNG at 4096 and 16384 pixels on
// the long side, SVG at 4096. Prints ms per picture, the peak resident
// memory while it is written, how much of that the picture added to the
// loaded map, and the file's size.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "generated_map_file.h"
#include "map_fit.h"
#include "map_picture.h"
#include "spatial_index.h"

namespace {

const TTrainStructureSV& LoadedMap() {
  static const std::unique_ptr<TTrainStructureSV> map = [] {
    auto loaded = std::make_unique<TTrainStructureSV>();
    loaded->LoadFromFile(GeneratedMapFile(1'000'000).Name);
    loaded->SpatialIndex();
    return loaded;
  }();
  return *map;
}

void WritePicture(benchmark::State& State, TPictureFormat Format,
                  const char* Extension) {
  const TTrainStructureSV& map = LoadedMap();
  const QSize size = FittedSize(map, static_cast<int>(State.range(0)));
  const TMapPicture picture{
      map, FittedView(map, size, 100.0), {}, qRgb(240, 240, 240)};
  const std::string name =
      "/tmp/trn-picture-" + std::to_string(::getpid()) + "." + Extension;
  double peak = 0.0;
  double before = 0.0;
  for (auto _ : State) {
    State.PauseTiming();
    std::filesystem::remove(name);
    before = StatusMegabytes("VmRSS");
    ResetPeakMemory();
    State.ResumeTiming();
    SavePicture(name, Format, picture, [](double) { return true; });
    State.PauseTiming();
    peak = StatusMegabytes("VmHWM");
    State.ResumeTiming();
  }
  State.counters["width"] = size.width();
  State.counters["height"] = size.height();
  State.counters["peak_MB"] = peak;
  State.counters["added_MB"] = peak - before;
  State.counters["file_MB"] =
      static_cast<double>(std::filesystem::file_size(name)) / 1e6;
  std::filesystem::remove(name);
}

void BM_Png(benchmark::State& State) {
  WritePicture(State, TPictureFormat::Png, "png");
}
void BM_Svg(benchmark::State& State) {
  WritePicture(State, TPictureFormat::Svg, "svg");
}

BENCHMARK(BM_Png)
    ->ArgNames({"long_side"})
    ->Arg(4096)
    ->Arg(16384)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Svg)
    ->ArgNames({"long_side"})
    ->Arg(4096)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

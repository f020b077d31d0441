// Load and save speed of map files of 10k, 100k and 1M points made by the
// map generator. Reports points/s, MB/s of file text, the heap the loaded
// map takes (map_MB) and the peak resident memory of the process during the
// benchmark (peak_MB, which includes the file text while it is read).
// Rates are over wall-clock time, so a save includes flushing to disk.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "generated_map_file.h"
#include "map_writer.h"
#include "train_structure.h"

namespace {

void Report(benchmark::State& State, const TGeneratedMapFile& File) {
  const auto rounds = static_cast<double>(State.iterations());
  State.counters["points/s"] = benchmark::Counter(
      static_cast<double>(File.Points) * rounds, benchmark::Counter::kIsRate);
  State.counters["MB/s"] =
      benchmark::Counter(static_cast<double>(File.Bytes) * rounds / 1e6,
                         benchmark::Counter::kIsRate);
  State.counters["file_MB"] = static_cast<double>(File.Bytes) / 1e6;
}

void BM_Load(benchmark::State& State) {
  const TGeneratedMapFile& file =
      GeneratedMapFile(static_cast<size_t>(State.range(0)));
  double mapMegabytes = 0.0;
  ResetPeakMemory();
  for (auto _ : State) {
    const double before = HeapMegabytes();
    auto map = std::make_unique<TTrainStructureSV>();
    map->LoadFromFile(file.Name);
    State.PauseTiming();
    mapMegabytes = HeapMegabytes() - before;
    map.reset();
    State.ResumeTiming();
  }
  Report(State, file);
  State.counters["map_MB"] = mapMegabytes;
  State.counters["peak_MB"] = StatusMegabytes("VmHWM");
}

void BM_Save(benchmark::State& State) {
  const TGeneratedMapFile& file =
      GeneratedMapFile(static_cast<size_t>(State.range(0)));
  TTrainStructureSV map;
  map.LoadFromFile(file.Name);
  const std::string target = file.Name + ".saved";
  ResetPeakMemory();
  for (auto _ : State) map.SaveToFile(target);
  Report(State, file);
  State.counters["peak_MB"] = StatusMegabytes("VmHWM");
  std::remove(target.c_str());
}

// The same map drawn off the whole metres, as one drawn to the centimetre
// is: every coordinate but the heights is written with decimals, in a file
// of its own size.
void BM_SaveMillimetres(benchmark::State& State) {
  const TGeneratedMapFile& file =
      GeneratedMapFile(static_cast<size_t>(State.range(0)));
  TTrainStructureSV map;
  map.LoadFromFile(file.Name);
  for (const auto& point : map.Points) {
    map.MovePoint(point.get(), point->Pos.X + 0.25, point->Pos.Y - 0.375);
  }
  const TGeneratedMapFile moved{file.Name + ".mm", file.Points,
                                WriteMap(map).size()};
  ResetPeakMemory();
  for (auto _ : State) map.SaveToFile(moved.Name);
  Report(State, moved);
  State.counters["peak_MB"] = StatusMegabytes("VmHWM");
  std::remove(moved.Name.c_str());
}

BENCHMARK(BM_Load)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Save)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SaveMillimetres)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

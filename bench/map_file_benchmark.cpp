// Load and save speed of map files of 10k, 100k and 1M points made by the
// map generator. Reports points/s, MB/s of file text, the heap the loaded
// map takes (map_MB) and the peak resident memory of the process during the
// benchmark (peak_MB, which includes the file text while it is read).
// Rates are over wall-clock time, so a save includes flushing to disk.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "map_generator.h"
#include "train_structure.h"

namespace {

// A field of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double StatusMegabytes(const std::string& Field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(Field + ":", 0) == 0) {
      return std::stod(line.substr(Field.size() + 1)) / 1024.0;  // kB
    }
  }
  return 0.0;
}

// Heap memory in use, in megabytes.
double HeapMegabytes() {
  return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// Starts a new peak: VmHWM falls back to the current resident size.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct TMapFile {
  std::string Name;
  size_t Points = 0;
  size_t Bytes = 0;
};

// The generated map of PointCount points, saved once per run.
const TMapFile& MapFile(size_t PointCount) {
  static std::map<size_t, TMapFile> files;
  TMapFile& file = files[PointCount];
  if (file.Name.empty()) {
    file.Name = "/tmp/trn-bench-" + std::to_string(::getpid()) + "-" +
                std::to_string(PointCount) + ".trn";
    const auto map = GenerateMap(PointCount);
    map->SaveToFile(file.Name);
    file.Points = map->Points.size();
    std::ifstream in(file.Name, std::ios::binary | std::ios::ate);
    file.Bytes = static_cast<size_t>(in.tellg());
  }
  return file;
}

void Report(benchmark::State& State, const TMapFile& File) {
  const auto rounds = static_cast<double>(State.iterations());
  State.counters["points/s"] = benchmark::Counter(
      static_cast<double>(File.Points) * rounds, benchmark::Counter::kIsRate);
  State.counters["MB/s"] =
      benchmark::Counter(static_cast<double>(File.Bytes) * rounds / 1e6,
                         benchmark::Counter::kIsRate);
  State.counters["file_MB"] = static_cast<double>(File.Bytes) / 1e6;
}

void BM_Load(benchmark::State& State) {
  const TMapFile& file = MapFile(static_cast<size_t>(State.range(0)));
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
  const TMapFile& file = MapFile(static_cast<size_t>(State.range(0)));
  TTrainStructureSV map;
  map.LoadFromFile(file.Name);
  const std::string target = file.Name + ".saved";
  ResetPeakMemory();
  for (auto _ : State) map.SaveToFile(target);
  Report(State, file);
  State.counters["peak_MB"] = StatusMegabytes("VmHWM");
  std::remove(target.c_str());
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

// Removes the map files at exit.
struct TCleanup {
  ~TCleanup() {
    for (size_t size : {10'000u, 100'000u, 1'000'000u}) {
      std::remove(("/tmp/trn-bench-" + std::to_string(::getpid()) + "-" +
                   std::to_string(size) + ".trn")
                      .c_str());
    }
  }
} cleanup;

}  // namespace

BENCHMARK_MAIN();

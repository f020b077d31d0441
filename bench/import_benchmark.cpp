// The import of generated OpenStreetMap PBF files of 1,000,000 and
// 10,000,000 nodes into a map, as trntool import makes it, up to the map
// in memory; with nodes per second and the peak resident memory. And the
// import of the shipped example station. CPU time is that of the whole
// process, as the file is decoded on threads of its own.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

#include "generated_map_file.h"
#include "map_import.h"
#include "osm_generator.h"
#include "train_structure.h"

namespace {

// The files written so far, removed when the program ends.
class TPbfFiles {
 public:
  ~TPbfFiles() {
    for (const auto& [nodes, name] : names_) std::remove(name.c_str());
  }
  const std::string& Of(size_t Nodes) {
    std::string& name = names_[Nodes];
    if (name.empty()) {
      name = "/tmp/trn-bench-" + std::to_string(::getpid()) + "-" +
             std::to_string(Nodes) + ".osm.pbf";
      WriteOsmPbf(name, Nodes);
      malloc_trim(0);
    }
    return name;
  }

 private:
  std::map<size_t, std::string> names_;
};

void Import(benchmark::State& State, const std::string& Name) {
  TImportOptions options;
  options.Railways = {"rail"};
  double peak = 0.0;
  size_t points = 0;
  for (auto _ : State) {
    State.PauseTiming();
    ResetPeakMemory();
    State.ResumeTiming();
    {
      TTrainStructureSV map;
      ImportMap(Name, options, map);
      points = map.Points.size();
      State.PauseTiming();
      peak = StatusMegabytes("VmHWM");
    }
    malloc_trim(0);
    State.ResumeTiming();
  }
  State.counters["points"] = static_cast<double>(points);
  State.counters["peak_MB"] = peak;
}

void BM_ImportPbf(benchmark::State& State) {
  static TPbfFiles files;
  const auto nodes = static_cast<size_t>(State.range(0));
  Import(State, files.Of(nodes));
  State.counters["nodes_per_s"] = benchmark::Counter(
      static_cast<double>(nodes) * static_cast<double>(State.iterations()),
      benchmark::Counter::kIsRate);
}

void BM_ImportExample(benchmark::State& State) {
  Import(State, TR_EXAMPLE_STATION);
}

BENCHMARK(BM_ImportPbf)
    ->ArgNames({"nodes"})
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_ImportExample)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

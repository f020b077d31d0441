// The shortest path a train can take on the generated map of 1,000,000
// points, and the route of a train. Prints ms per search, each afresh and
// with the memory of the last one kept:
//  - RunEndToEnd: from one end of a run of track to the other, past its
//    switches (the generated runs are not joined to each other);
//  - NoPath: between two runs, which finds that no track joins them;
//  - AcrossAllRuns: on the same map with every run joined to the next at
//    alternate ends, from the first run's start to the last run's end: one
//    way through nearly every line of the map, the search's worst case;
//  - Route: the route of the first train, to its run's end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "map_generator.h"
#include "track_path.h"
#include "train_route.h"
#include "train_structure.h"

namespace {

// The two ends of each run of track, from the top run down. Every run
// starts at the map's left edge; the sidings' ends lie further right.
std::vector<std::pair<TTrPoint*, TTrPoint*>> RunEnds(TTrainStructureSV& Map) {
  std::map<double, std::pair<TTrPoint*, TTrPoint*>, std::greater<>> rows;
  double left = 0.0;
  for (const auto& point : Map.Points) {
    if (point->LineCount() != 1 || point->IsWallPoint()) continue;
    left = std::min(left, point->Pos.X);
    auto [row, added] =
        rows.try_emplace(point->Pos.Y, point.get(), point.get());
    if (point->Pos.X < row->second.first->Pos.X)
      row->second.first = point.get();
    if (point->Pos.X > row->second.second->Pos.X) {
      row->second.second = point.get();
    }
  }
  std::vector<std::pair<TTrPoint*, TTrPoint*>> ends;
  for (const auto& [y, row] : rows) {
    if (row.first->Pos.X == left && row.first != row.second) {
      ends.push_back(row);
    }
  }
  return ends;
}

struct TBigMap {
  std::unique_ptr<TTrainStructureSV> Map = GenerateMap(1000000);
  std::vector<std::pair<TTrPoint*, TTrPoint*>> Runs = RunEnds(*Map);
};

TBigMap& Generated() {
  static TBigMap map;
  return map;
}

// The generated map with its runs joined into one long way.
TBigMap& Joined() {
  static TBigMap joined = [] {
    TBigMap map;
    TTrainStructureSV& m = *map.Map;
    for (size_t i = 0; i + 1 < map.Runs.size(); ++i) {
      const bool right = i % 2 == 0;
      TTrPoint* from = right ? map.Runs[i].second : map.Runs[i].first;
      TTrPoint* to = right ? map.Runs[i + 1].second : map.Runs[i + 1].first;
      const double x = from->Pos.X + (right ? 100.0 : -100.0);
      TTrLine* out = m.BuildLine(from, m.NewPoint(x, from->Pos.Y), true);
      TTrPoint* bend = out->P2;
      TTrLine* down = m.BuildLine(bend, m.NewPoint(x, to->Pos.Y), true);
      TTrLine* in = m.BuildLine(down->P2, m.NewPoint(x, to->Pos.Y), true);
      TTrPoint* gone = in->P2;
      if (m.JoinPoint(gone, in, to)) m.RemovePoint(gone);
    }
    return map;
  }();
  return joined;
}

void Search(benchmark::State& State, const TTrPoint& From, const TTrPoint& To) {
  // Each search afresh, or with the memory of the last one kept, as the
  // editor keeps it while it shows a path.
  const bool kept = State.range(0) == 1;
  TPathFinder finder;
  double length = 0.0;
  size_t lines = 0;
  for (auto _ : State) {
    const TTrackPath path = kept ? finder.Find(From, To) : FindPath(From, To);
    length = path.Length;
    lines = path.Stretches.size();
  }
  State.counters["path_m"] = length;
  State.counters["path_lines"] = static_cast<double>(lines);
}

void BM_RunEndToEnd(benchmark::State& State) {
  const TBigMap& map = Generated();
  const auto& run = map.Runs[map.Runs.size() / 2];
  Search(State, *run.first, *run.second);
}

void BM_NoPath(benchmark::State& State) {
  const TBigMap& map = Generated();
  Search(State, *map.Runs[0].first, *map.Runs.back().second);
}

void BM_AcrossAllRuns(benchmark::State& State) {
  const TBigMap& map = Joined();
  const bool right = (map.Runs.size() - 1) % 2 == 0;
  const auto& last = map.Runs.back();
  Search(State, *map.Runs[0].first, right ? *last.first : *last.second);
  State.counters["points"] = static_cast<double>(map.Map->Points.size());
}

void BM_Route(benchmark::State& State) {
  const TTrain& train = *Generated().Map->Trains.front();
  double length = 0.0;
  for (auto _ : State) {
    length = TraceRoute(train.Position).Length;
    benchmark::DoNotOptimize(length);
  }
  State.counters["route_m"] = length;
}

BENCHMARK(BM_RunEndToEnd)
    ->ArgNames({"kept"})
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoPath)->ArgNames({"kept"})->Arg(0)->Arg(1)->Unit(
    benchmark::kMillisecond);
BENCHMARK(BM_AcrossAllRuns)
    ->ArgNames({"kept"})
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Route)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Undo and redo of single steps on the generated map of 1,000,000 points:
// Delete of a switch point (the point, its three lines, the trains on them;
// on the map of 10,000,000 points too), and a point drag. Prints ms per undo
// and per redo of the map's journal (the window repaints afterwards, as after
// any edit), and the bytes one step holds for a one-line build.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "map_generator.h"
#include "train_structure.h"

namespace {

constexpr size_t kPoints = 1000000;

// Made once per run and kept.
TTrainStructureSV& BigMap(size_t PointCount) {
  static std::map<size_t, std::unique_ptr<TTrainStructureSV>> maps;
  auto& map = maps[PointCount];
  if (!map) map = GenerateMap(PointCount);
  return *map;
}

// A switch near the middle of the point list, where removing and putting
// back moves the most of it.
TTrPoint* MiddleSwitch(TTrainStructureSV& Map) {
  for (size_t i = Map.Points.size() / 2; i < Map.Points.size(); ++i) {
    if (Map.Points[i]->LineCount() == 3) return Map.Points[i].get();
  }
  return nullptr;
}

TMapEdit DeleteSwitch(TTrainStructureSV& Map) {
  Map.BeginEdit();
  Map.DeletePoint(MiddleSwitch(Map));
  return Map.EndEdit();
}

TMapEdit DragPoint(TTrainStructureSV& Map) {
  TTrPoint* point = Map.Points[Map.Points.size() / 2].get();
  Map.BeginEdit();
  for (int step = 1; step <= 20; ++step) {
    Map.MovePoint(point, point->Pos.X + step, point->Pos.Y - step);
  }
  return Map.EndEdit();
}

// Times Undo (or Redo) of the step Make gives on the map of about the
// second argument's points; the other direction runs untimed between the
// timed ones. Leaves the map as it found it.
template <TMapEdit (*Make)(TTrainStructureSV&)>
void BM_Step(benchmark::State& State) {
  const bool undo = State.range(0) == 0;
  TTrainStructureSV& map = BigMap(static_cast<size_t>(State.range(1)));
  TMapEdit edit = Make(map);
  State.counters["step_bytes"] = static_cast<double>(edit.Bytes());
  if (!undo) edit.Undo(map);
  for (auto _ : State) {
    if (undo) {
      edit.Undo(map);
    } else {
      edit.Redo(map);
    }
    State.PauseTiming();
    if (undo) {
      edit.Redo(map);
    } else {
      edit.Undo(map);
    }
    State.ResumeTiming();
  }
  if (!undo) edit.Redo(map);
  edit.Undo(map);
  State.counters["points"] = static_cast<double>(map.Points.size());
}

BENCHMARK(BM_Step<DeleteSwitch>)
    ->Name("DeleteSwitchPoint")
    ->ArgNames({"redo", "points"})
    ->ArgsProduct({{0, 1}, {kPoints, 10000000}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step<DragPoint>)
    ->Name("PointDrag")
    ->ArgNames({"redo", "points"})
    ->ArgsProduct({{0, 1}, {kPoints}})
    ->Unit(benchmark::kMillisecond);

// A build gesture as the window makes it: two new points, the line, the end
// point following the mouse, then taken back. Reports the bytes the step
// holds in its history.
void BM_OneLineBuildStep(benchmark::State& State) {
  TTrainStructureSV& map = BigMap(kPoints);
  size_t bytes = 0;
  for (auto _ : State) {
    map.BeginEdit();
    TTrPoint* start = map.NewPoint(0, 0);
    TTrPoint* end = map.NewPoint(0, 0);
    map.BuildLine(start, end, true);
    for (int step = 1; step <= 50; ++step) map.MovePoint(end, step, step);
    TMapEdit edit = map.EndEdit();
    bytes = edit.Bytes();
    edit.Undo(map);
  }
  State.counters["step_bytes"] = static_cast<double>(bytes);
}

BENCHMARK(BM_OneLineBuildStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

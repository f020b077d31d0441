#pragma once

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "map_window.h"

// What the window names that its map does not hold, empty when every
// reference it keeps between events (the selection, the point a gesture
// drags, the line of the latest build) is an object of its map.
inline std::string WindowReferenceProblems(const TfrmMap& Window) {
  const TTrainStructureSV& map = *Window.Map();
  const auto holds = [](const auto& List, const void* Object) {
    return Object == nullptr ||
           std::any_of(List.begin(), List.end(), [Object](const auto& Item) {
             return Item.get() == Object;
           });
  };
  const auto holdsLine = [&](const TTrLine* Line) {
    return holds(map.Tracks, Line) || holds(map.Walls, Line);
  };
  std::string problems;
  if (!holds(map.Points, Window.SelectedPoint())) problems += "SelectedPoint ";
  if (!holdsLine(Window.SelectedLine())) problems += "SelectedLine ";
  if (!holds(map.Trains, Window.SelectedTrain())) problems += "SelectedTrain ";
  if (!holds(map.Points, Window.DragPoint())) problems += "DragPoint ";
  if (!holdsLine(Window.BuildLine())) problems += "BuildLine ";
  // Each object of a selection of many, and the current one among them.
  const TMapSelection& selection = Window.Document().Selection();
  // A selection of many may hold the whole map: look its objects up in a
  // hash of the lists, not along them.
  const auto setHolds = [&holds](const auto& Set, const auto&... Lists) {
    bool all = true;
    if (Set.Size() <= 8) {
      Set.ForEach([&](const void* Object) {
        all = all && (holds(Lists, Object) || ...);
      });
      return all;
    }
    std::unordered_set<const void*> held;
    ((std::for_each(Lists.begin(), Lists.end(),
                    [&](const auto& Item) { held.insert(Item.get()); })),
     ...);
    Set.ForEach([&](const void* Object) { all = all && held.count(Object); });
    return all;
  };
  if (!setHolds(selection.Many.Points, map.Points)) problems += "Points ";
  if (!setHolds(selection.Many.Lines, map.Tracks, map.Walls)) {
    problems += "Lines ";
  }
  if (!setHolds(selection.Many.Trains, map.Trains)) problems += "Trains ";
  const bool currentIn = (selection.Point == nullptr ||
                          selection.Many.Points.Contains(selection.Point)) &&
                         (selection.Line == nullptr ||
                          selection.Many.Lines.Contains(selection.Line)) &&
                         (selection.Train == nullptr ||
                          selection.Many.Trains.Contains(selection.Train));
  if (!currentIn) problems += "CurrentNotSelected ";
  // What the way shown and a trial run follow.
  if (const TShownWay* way = Window.Way()) {
    if (!holds(map.Trains, way->Train())) problems += "WayTrain ";
    if (!holds(map.Points, way->From()) || !holds(map.Points, way->To())) {
      problems += "WayPoints ";
    }
  }
  if (const TTrainRun* run = Window.RunState()) {
    for (const TRunningTrain& train : run->Trains()) {
      if (!holds(map.Trains, train.Train) || !holdsLine(train.Position.Line)) {
        problems += "RunTrain ";
        break;
      }
    }
  }
  return problems;
}

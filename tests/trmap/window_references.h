#pragma once

#include <algorithm>
#include <string>
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
  const auto setHolds = [](const auto& Set, const auto&... Lists) {
    bool all = true;
    Set.ForEach([&](const void* Object) {
      all = all && (std::any_of(Lists.begin(), Lists.end(),
                                [Object](const auto& Item) {
                                  return Item.get() == Object;
                                }) ||
                    ...);
    });
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
  return problems;
}

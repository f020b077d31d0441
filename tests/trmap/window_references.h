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
  return problems;
}

#pragma once

#include <cstddef>

#include "map_group.h"

class TTrLine;
class TTrPoint;
class TTrain;

// What is selected in a map: the objects of Many, and among them at most
// one current object (Line, Point or Train), the one the commands on a
// single object act on. None is owned.
struct TMapSelection {
  TTrLine* Line = nullptr;
  TTrPoint* Point = nullptr;
  TTrain* Train = nullptr;
  TObjectGroup Many = {};

  bool operator==(const TMapSelection&) const = default;

  bool Empty() const {
    return Line == nullptr && Point == nullptr && Train == nullptr &&
           Many.Empty();
  }
  size_t Count() const {
    return Many.Points.Size() + Many.Lines.Size() + Many.Trains.Size();
  }
  // The current object is one of Many.
  void IncludeCurrent() {
    if (Line != nullptr && !Many.Lines.Contains(Line)) Many.Lines.Insert(Line);
    if (Point != nullptr && !Many.Points.Contains(Point)) {
      Many.Points.Insert(Point);
    }
    if (Train != nullptr && !Many.Trains.Contains(Train)) {
      Many.Trains.Insert(Train);
    }
  }
};

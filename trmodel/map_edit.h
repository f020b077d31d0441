#pragma once

#include <cstddef>
#include <vector>

#include "map_change.h"

class TTrainStructureSV;

// A group of changes made to one map as one step, in the order they were
// made. It can be taken back and done again exactly, any number of times,
// as long as the map is in the state the step left (Undo) or found (Redo).
// The objects the step removed (or, taken back, had added) live here.
class TMapEdit {
 public:
  TMapEdit() = default;
  TMapEdit(TMapEdit&&) = default;
  TMapEdit& operator=(TMapEdit&&) = default;

  bool Empty() const { return Changes.empty(); }
  // The memory the step holds: its records and the objects they keep.
  size_t Bytes() const;

  // Both tell the map first how many points the step moves.
  void Undo(TTrainStructureSV& Map);
  void Redo(TTrainStructureSV& Map);

 private:
  friend class TTrainStructureSV;
  size_t PointMoves() const;
  std::vector<TMapChange> Changes;
};

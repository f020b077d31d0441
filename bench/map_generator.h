#pragma once

#include <cstddef>
#include <memory>

#include "train_structure.h"

// Builds a large map of the kind users draw, for benchmarks: parallel
// east-west runs of track made of 100 m lines, a switch every twelve lines
// leading to a short siding, a wall beside every run, and a train on every
// twenty-fifth track. Built through the same model operations as the editor
// uses, with identifiers in editor order. Stops adding once the map holds
// at least PointCount points; lines come to about the same number. The map
// is laid out roughly square around the world origin.
std::unique_ptr<TTrainStructureSV> GenerateMap(size_t PointCount);

#pragma once

#include <memory>

#include "train_structure.h"

// A small map to look at: a main line with a switch onto a platform track,
// a wall alongside, and two trains.
std::unique_ptr<TTrainStructureSV> BuildSampleMap();

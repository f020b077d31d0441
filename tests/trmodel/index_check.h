#pragma once

#include <string>
#include <vector>

#include "train_structure.h"
#include "world_box.h"

namespace test_maps {

// Whether the map's spatial index (kept current since it was made, or made
// now) finds for each of Boxes what a visit of every object finds: the
// objects whose boxes meet it, in list order. Empty when it does, else what
// is wrong.
std::string IndexProblems(const TTrainStructureSV& Map,
                          const std::vector<TWorldBox>& Boxes);

}  // namespace test_maps

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "track_path.h"
#include "train_route.h"

// Routes and paths as they are listed to the user, in the editor's dock
// and by trntool: a first line that sums the way up, then one line for
// each switch passed.

// "Train N: ..." for the train numbered Number in the map's order (from 1).
std::vector<std::string> RouteLines(const TTrainRoute& Route, size_t Number);

// "Path from point A to point B: ..." or "No path from point A to point B:
// why".
std::vector<std::string> PathLines(const TTrackPath& Path, int32_t FromId,
                                   int32_t ToId);

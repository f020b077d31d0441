#pragma once

#include "command_line.h"

// trntool route FILE TRAIN-INDEX: the route of the train numbered TRAIN-INDEX
// (from 1, in the map's order), as Tools > Show Route lists it. trntool path
// FILE POINT-ID POINT-ID: the shortest path a train can take between the two
// points, as Tools > Find Path lists it; exits 1 when there is none. Both exit
// 2 when the file cannot be read or names no such train or point.
int Route(const TCommandArgs& Args);
int Path(const TCommandArgs& Args);

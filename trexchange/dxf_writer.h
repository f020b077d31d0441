#pragma once

#include <string>

class TTrainStructureSV;

// The map as a DXF drawing in metres: tracks on the layer "tracks", walls
// on "walls", each line one LINE from its first point to its second, walls
// at their points' heights.
std::string DxfText(const TTrainStructureSV& Map);

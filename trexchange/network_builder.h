#pragma once

#include <string>
#include <vector>

#include "source_data.h"

class TMapProjection;
class TTrainStructureSV;

// Turns the lines read from a file into a map's points, tracks and walls:
// a node shared by lines becomes one point; where three segments meet, a
// switch whose entry leaves opposite the other two; where more meet, points
// at the same place that keep the straight-through pairs joined. Consecutive
// duplicate nodes and zero-length segments are dropped. Ends that come
// within a few centimetres of another line without sharing its node stay
// unjoined. Every such place is reported, one line each.
//
// Projection takes the vertices from longitude and latitude to metres; none
// when the data holds metres already. Throws EImportError naming the file
// (Name) and element for coordinates out of range or data too large for a
// map.
std::vector<std::string> BuildNetwork(TSourceData Data,
                                      const TMapProjection* Projection,
                                      const std::string& Name,
                                      TTrainStructureSV& Map);

// Ends of different lines closer than this, without a shared node, are
// reported as a gap.
inline constexpr double kGapReach = 0.05;
// A track whose middle lies this near a platform edge has a platform.
inline constexpr double kPlatformReach = 4.0;

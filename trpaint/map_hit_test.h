#pragma once

#include <cstdint>

#include "map_view.h"
#include "spatial_index.h"
#include "train_structure.h"

// Hit tests at a client pixel (X, Y) of a view: the nearest object however
// far, and its distance in pixels from its place on screen (a point's, a
// line's midpoint, a train's rear end) to the pixel; -1 and none when there
// is none. On equal distances the earlier object in its list wins, and a
// track beats a wall. With an index, only the objects near the pixel are
// looked at, with the same answer as a visit of every object.

double ScreenDistance(double X1, double Y1, double X2, double Y2);

double NearestPoint(const TTrainStructureSV& Map, const TMapView& View,
                    const TSpatialIndex* Index, int32_t X, int32_t Y,
                    const TTrPoint* Exclude, TTrPoint*& Point);
double NearestLine(const TTrainStructureSV& Map, const TMapView& View,
                   const TSpatialIndex* Index, int32_t X, int32_t Y,
                   TTrLine*& Line);
double NearestTrain(const TTrainStructureSV& Map, const TMapView& View,
                    const TSpatialIndex* Index, int32_t X, int32_t Y,
                    TTrain*& Train);

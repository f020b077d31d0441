#pragma once

#include <QtCore/QSize>
#include <optional>

#include "map_view.h"
#include "train_structure.h"
#include "world_box.h"

// The whole of a map in a picture.

// The box of the points of Map, which holds all of it (lines join points,
// trains stand on lines); none when it has no points.
std::optional<TWorldBox> PointExtent(const TTrainStructureSV& Map);

// The size of a picture of Map with LongSide pixels on its longer side and
// the other side in the proportions of the map; square for a map without
// extent.
QSize FittedSize(const TTrainStructureSV& Map, int LongSide);

// The view that shows every point of Map in a picture of Size, centred,
// with a margin for what is drawn around the points.
TMapView FittedView(const TTrainStructureSV& Map, const QSize& Size,
                    double GridSpacing);

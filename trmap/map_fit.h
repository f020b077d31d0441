#pragma once

#include <QtCore/QSize>

#include "map_view.h"
#include "train_structure.h"
#include "world_box.h"

// The whole of a map in a picture.

// The box of the points of Map; MinX > MaxX when it has none.
TWorldBox PointExtent(const TTrainStructureSV& Map);

// The size of a picture of Map with LongSide pixels on its longer side and
// the other side in the proportions of the map; square for a map without
// extent.
QSize FittedSize(const TTrainStructureSV& Map, int LongSide);

// The view that shows every point of Map in a picture of Size, centred,
// with a margin for what is drawn around the points. A map that lies so
// far from the world's origin that its centre could not be given in whole
// pixels is shown smaller.
TMapView FittedView(const TTrainStructureSV& Map, const QSize& Size,
                    double GridSpacing);

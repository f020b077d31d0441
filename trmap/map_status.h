#pragma once

#include <QtCore/QString>
#include <cstddef>
#include <cstdint>

#include "map_view.h"

class TTrain;
class TTrainRun;
class TTrLine;
class TTrPoint;

// The texts the frame's status bar shows about a map window.

// The world position of client pixel (PX, PY), with as many decimals as a
// pixel is fine at the view's scale.
QString CursorText(const TMapView& View, int32_t PX, int32_t PY);
// The scale in metres per pixel and the grid spacing.
QString ViewText(const TMapView& View);
// What is selected (at most one of the three is set); empty for nothing.
QString SelectionText(const TTrPoint* Point, const TTrLine* Line,
                      const TTrain* Train);
// A selection of several objects: "N points, M lines, K trains".
QString GroupText(size_t Points, size_t Lines, size_t Trains);
// A trial run going SpeedUp times as fast as real time: how long it has
// run, and how many of its trains stand at a dead end or meet another.
QString RunText(const TTrainRun& Run, double SpeedUp);
// The line a build or a drag is drawing: its length and compass bearing.
QString DrawingText(const TTrLine& Line);

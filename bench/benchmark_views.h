#pragma once

#include <cstddef>
#include <memory>

#include "map_window.h"
#include "train_structure.h"

// The window size the benchmarks draw at.
inline constexpr int kWidth = 1920;
inline constexpr int kHeight = 1080;

// A generated map of about PointCount points, made once per run and kept;
// Turned, it is turned by 30 degrees so that hardly any line is horizontal
// or vertical. A benchmark swaps it into its window and back.
std::unique_ptr<TTrainStructureSV>& CachedMap(size_t PointCount, bool Turned);
// Exchanges the map of Window's document with Map: a cached map is lent to
// a window and taken back.
void SwapMap(TfrmMap& Window, std::unique_ptr<TTrainStructureSV>& Map);

// The share of the map's points that lie in the window.
double ShareInView(const TfrmMap& Window);

// Centres the map in the window. With ViewShare 1 the whole map is in view;
// below 1 the scale is narrowed until about that share of the map's points
// lie in the window.
void FitView(TfrmMap& Window, double ViewShare);

// A simplified view leaves out the points along the track that crowd
// together and thins the grid; where nothing crowds, it draws what the
// plain view draws.
#include <gtest/gtest.h>

#include <QtCore/QSize>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "image_canvas.h"
#include "map_fit.h"
#include "map_generator.h"
#include "map_painter.h"
#include "recording_canvas.h"

namespace {

std::vector<std::string> Painted(const TTrainStructureSV& Map,
                                 const TMapView& View) {
  TRecordingCanvas canvas;
  TMapPainter(canvas, Map, View, {}, &Map.SpatialIndex()).Paint();
  return canvas.Log;
}

// The centres of the points drawn.
std::set<std::pair<int, int>> DrawnPoints(const std::vector<std::string>& Log) {
  std::set<std::pair<int, int>> centres;
  for (const std::string& drawn : Log) {
    int x = 0;
    int y = 0;
    if (std::sscanf(drawn.c_str(), "Ellipse %d,%d", &x, &y) == 2) {
      centres.insert({x + 3, y + 3});
    }
  }
  return centres;
}

// The columns of the grid's dotted black lines from top to bottom.
std::vector<int> GridColumns(const std::vector<std::string>& Log, int Height) {
  std::vector<int> columns;
  int x = 0;
  int at = 0;
  for (const std::string& drawn : Log) {
    int y = 0;
    if (std::sscanf(drawn.c_str(), "MoveTo %d,%d", &x, &y) == 2) {
      at = y;
      continue;
    }
    int x2 = 0;
    int y2 = 0;
    if (std::sscanf(drawn.c_str(), "LineTo %d,%d", &x2, &y2) == 2 && x2 == x &&
        at == 0 && y2 == Height && drawn.ends_with("000000/1/dot")) {
      columns.push_back(x);
    }
  }
  return columns;
}

TEST(SimplifiedView, ZoomedOutDrawsSwitchesAndEndsAndASparseGrid) {
  const auto map = GenerateMap(20000);
  TMapView view = FittedView(*map, QSize(800, 600), 10.0);
  view.Simplified = true;
  const std::vector<std::string> simplified = Painted(*map, view);
  view.Simplified = false;
  const std::vector<std::string> plain = Painted(*map, view);

  const std::set<std::pair<int, int>> shown = DrawnPoints(simplified);
  EXPECT_LT(shown.size() * 2, DrawnPoints(plain).size());
  size_t kept = 0;
  for (const auto& point : map->Points) {
    const std::pair<int, int> at{view.WorldToScreenX(point->Pos.X),
                                 view.WorldToScreenY(point->Pos.Y)};
    if (!point->Conn3.IsEmpty() || point->LineCount() < 2) {
      EXPECT_TRUE(shown.contains(at)) << point->Id;
      ++kept;
    }
  }
  EXPECT_GT(kept, 10u);

  const std::vector<int> columns = GridColumns(simplified, view.Height);
  ASSERT_GT(columns.size(), 3u);
  for (size_t i = 1; i < columns.size(); ++i) {
    EXPECT_GE(columns[i] - columns[i - 1], 8) << columns[i];
  }
}

// Zoomed in so far that every line is 5 pixels long at least, with grid
// lines 10 pixels apart, nothing is left out.
TEST(SimplifiedView, ChangesNothingWhereNothingCrowds) {
  const auto map = GenerateMap(3000);
  double shortest = HUGE_VAL;
  for (const auto& track : map->Tracks)
    shortest = std::min(shortest, track->Length());
  for (const auto& wall : map->Walls)
    shortest = std::min(shortest, wall->Length());
  TMapView view =
      FittedView(*map, QSize(500, 400), 10.0).ScaledTo(shortest / 5.0);
  view.GridSpacing = 10.0 * view.Scale;
  TMapView simplified = view;
  simplified.Simplified = true;
  ASSERT_GT(DrawnPoints(Painted(*map, view)).size(), 20u);
  EXPECT_EQ(Painted(*map, simplified), Painted(*map, view));
}

}  // namespace

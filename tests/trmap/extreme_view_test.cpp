#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <regex>
#include <string>

#include "image_canvas.h"
#include "map_generator.h"
#include "map_window.h"
#include "recording_canvas.h"
#include "structure_check.h"

namespace {

struct View {
  const char* Name;
  double Scale;
  int32_t OriginX;
  int32_t OriginY;
  double GridSpacing;
};

constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();
constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();

const View kViews[] = {
    {"scale 2^-60", std::ldexp(1.0, -60), 213, 135, 100.0},
    {"scale 2^60", std::ldexp(1.0, 60), 213, 135, 100.0},
    {"origin near the top limits", 1.0, kHighest - 5, kHighest - 5, 100.0},
    {"origin near the bottom limits", 1.0, kLowest + 5, kLowest + 5, 100.0},
    {"mixed origin, magnified", std::ldexp(1.0, -30), kLowest + 5, kHighest - 5,
     100.0},
    {"grid 2^-40", 1.0, 213, 135, std::ldexp(1.0, -40)},
    {"grid 2^60", 1.0, 213, 135, std::ldexp(1.0, 60)},
    {"grid 2^60, far origin", 1.0, kLowest + 5, kHighest - 5,
     std::ldexp(1.0, 60)},
    {"grid 2^-40 at scale 2^-60", std::ldexp(1.0, -60), 213, 135,
     std::ldexp(1.0, -40)},
};

void SetView(TfrmMap& Window, const View& V) {
  Window.Scale = V.Scale;
  Window.OriginX = V.OriginX;
  Window.OriginY = V.OriginY;
  Window.GridSpacing = V.GridSpacing;
}

// Every paint finishes, and every coordinate that reaches the canvas lies
// in a modest band around the window.
TEST(ExtremeViews, PaintsFinishWithCoordinatesNearTheWindow) {
  auto* canvas = new TRecordingCanvas;
  TfrmMap window(nullptr, std::unique_ptr<TCanvas>(canvas));
  window.Document().ReplaceMap(GenerateMap(3000));
  const std::regex number("-?[0-9]+");
  for (const View& view : kViews) {
    SCOPED_TRACE(view.Name);
    SetView(window, view);
    canvas->Clear();
    window.Repaint();
    // Far beyond the window would mean a coordinate escaped the clipping.
    for (const std::string& op : canvas->Log) {
      const std::string coordinates = op.substr(0, op.find(" pen"));
      for (std::sregex_iterator it(coordinates.begin(), coordinates.end(),
                                   number);
           it != std::sregex_iterator(); ++it) {
        ASSERT_LT(std::abs(std::stoll(it->str())), 100000) << op;
      }
    }
    EXPECT_TRUE(CheckStructure(*window.Map()).empty());
  }
}

TEST(ExtremeViews, PaintOntoTheImageFinishes) {
  TfrmMap window;
  window.Document().ReplaceMap(GenerateMap(3000));
  for (const View& view : kViews) {
    SCOPED_TRACE(view.Name);
    SetView(window, view);
    window.Repaint();
    window.SelectPoint(window.Map()->Points[7].get());
    window.SelectTrain(window.Map()->Trains[0].get());
    EXPECT_TRUE(CheckStructure(*window.Map()).empty());
  }
}

TEST(ExtremeViews, ZoomingFarBothWaysFinishes) {
  auto* canvas = new TRecordingCanvas;
  TfrmMap window(nullptr, std::unique_ptr<TCanvas>(canvas));
  window.Document().ReplaceMap(GenerateMap(500));
  window.OriginX = 1000;  // off centre, so each zoom step moves it
  for (int step = 0; step < 1100; ++step) window.ZoomBy(2.0);
  EXPECT_GT(window.Scale, 0.0);
  EXPECT_EQ(window.OriginX, kHighest);
  for (int step = 0; step < 2200; ++step) window.ZoomBy(0.5);
  EXPECT_TRUE(std::isfinite(window.Scale));
  EXPECT_TRUE(CheckStructure(*window.Map()).empty());
}

}  // namespace

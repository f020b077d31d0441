#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "map_builder.h"
#include "map_window.h"
#include "recording_canvas.h"

// A new map window of the designed client size, 427 x 271, origin at
// (213, 135), drawing onto a recording canvas.
class MapWindowTest : public ::testing::Test {
 protected:
  TRecordingCanvas* Canvas = new TRecordingCanvas;
  TfrmMap Window{nullptr, std::unique_ptr<TCanvas>(Canvas)};
  TTrainStructureSV& Map = *Window.Map();

  // What a full paint draws after the grid and the origin cross.
  std::vector<std::string> ObjectsPainted() {
    Canvas->Clear();
    Window.FormPaint();
    std::vector<std::string> drawn = Canvas->Drawn();
    const std::string crossEnd = std::to_string(Window.OriginX) + "," +
                                 std::to_string(Window.OriginY - 10) + " " +
                                 std::to_string(Window.OriginX) + "," +
                                 std::to_string(Window.OriginY + 10);
    for (size_t i = 0; i < drawn.size(); ++i) {
      if (drawn[i].starts_with(crossEnd)) {
        return {drawn.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                drawn.end()};
      }
    }
    ADD_FAILURE() << "no origin cross drawn";
    return drawn;
  }

  // What drawing one object draws.
  template <typename Draw>
  std::vector<std::string> DrawnBy(Draw&& DrawIt) {
    Canvas->Clear();
    DrawIt();
    return Canvas->Drawn();
  }
};

inline constexpr const char* kBlackSolid = "pen 000000/1/solid";
inline constexpr const char* kBlackDot = "pen 000000/1/dot";

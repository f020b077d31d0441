// A scroll moves the window's picture and paints only what came into view:
// the result must be the picture a full paint at the new view gives, pixel
// for pixel, however the steps run.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <memory>
#include <random>
#include <string>

#include "background_picture.h"
#include "image_canvas.h"
#include "map_builder.h"
#include "map_window.h"

namespace {

using test_maps::Kind;

// The window's own canvas, counting the moves it makes.
class TMovingCanvas : public TImageCanvas {
 public:
  using TImageCanvas::TImageCanvas;
  bool MovePicture(int DX, int DY) override {
    ++Moves;
    return TImageCanvas::MovePicture(DX, DY);
  }
  int Moves = 0;
};

// Where two pictures of one size differ: how many pixels, and the first.
std::string Differences(const QImage& A, const QImage& B) {
  if (A.size() != B.size()) return "sizes differ";
  int count = 0;
  QPoint first;
  for (int y = 0; y < A.height(); ++y) {
    for (int x = 0; x < A.width(); ++x) {
      if (A.pixel(x, y) != B.pixel(x, y) && count++ == 0) first = QPoint(x, y);
    }
  }
  return count == 0
             ? std::string()
             : std::to_string(count) + " pixels, the first at " +
                   std::to_string(first.x()) + "," + std::to_string(first.y());
}

struct TScrolledWindow {
  TMovingCanvas* Canvas = new TMovingCanvas(QSize(311, 197));
  TfrmMap Window{nullptr, std::unique_ptr<TCanvas>(Canvas)};

  TScrolledWindow() {
    Window.resize(311, 197);
    Window.FormCreate();
  }

  // The picture as it is, and as a full paint of the same view makes it.
  QImage Shown() { return Canvas->Picture().copy(); }
  QImage Painted() {
    Window.Repaint();
    return Canvas->Picture().copy();
  }
};

// Lines at every slope through and past the window, switches, walls and a
// selection of every kind, drawn only with thin pens. Wide means platforms
// and trains as well, which Qt draws itself.
void BuildMap(TfrmMap& Window, std::mt19937& Random, bool Wide) {
  TTrainStructureSV& map = *Window.Map();
  std::uniform_real_distribution<double> place(-400.0, 400.0);
  for (int i = 0; i < 120; ++i) {
    const Kind kind = i % 5 == 0 ? Kind::Wall : Kind::Track;
    TTrLine* line = test_maps::Build(map, place(Random), place(Random),
                                     place(Random), place(Random), kind);
    if (kind == Kind::Track && i % 3 == 0) {
      test_maps::BuildFrom(map, line->P2, place(Random), place(Random));
      test_maps::BuildFrom(map, line->P2, place(Random), place(Random));
    }
    auto* track = AsTrack(line);
    if (Wide && track != nullptr && i % 4 == 1) {
      map.SetTrackProperties(track, 0, 1);
      map.AddTrain(MakeOwned<TTrain>(track, 1, 80.0));
    }
  }
  TMapSelection selection;
  selection.Line = map.Tracks[3].get();
  selection.Point = map.Points[10].get();
  for (size_t i = 0; i < map.Points.size(); i += 7) {
    selection.Many.Points.Insert(map.Points[i].get());
  }
  Window.SetSelection(selection);
}

// A right drag in steps of up to a window and a half, some steps straight,
// some not moving at all.
void Drag(TfrmMap& Window, std::mt19937& Random, int Steps) {
  std::uniform_int_distribution<int> step(-60, 60);
  std::uniform_int_distribution<int> far(-450, 450);
  int x = 150;
  int y = 100;
  Window.FormMouseDown(TMouseButton::Right, x, y);
  for (int i = 0; i < Steps; ++i) {
    const bool leap = i % 9 == 8;
    x += leap ? far(Random) : step(Random);
    y += i % 4 == 0 ? 0 : (leap ? far(Random) : step(Random));
    Window.FormMouseMove(x, y);
  }
}

// Lines run far past the window when zoomed in far; the painter cuts them
// at a band around it, and the pixels of a cut line depend on where it is
// cut, so the window is painted whole when such a scroll ends.
TEST(ScrollReuse, StepsGiveTheFullPaintsPixels) {
  std::mt19937 random(11);
  // Ordinary, zoomed out far with a grid two pixels apart, zoomed in far.
  for (const double scale : {0.7, 1.3, 50.0, 0.01}) {
    TScrolledWindow scrolled;
    BuildMap(scrolled.Window, random, false);
    scrolled.Window.Scale = scale;
    scrolled.Window.GridSpacing = scale == 0.7 ? 100.0 : 2.0 * scale;
    scrolled.Window.Repaint();
    for (int round = 0; round < 6; ++round) {
      Drag(scrolled.Window, random, 25);
      if (scale != 0.01) {
        const QImage shown = scrolled.Shown();
        ASSERT_EQ(Differences(shown, scrolled.Painted()), "")
            << "scale " << scale << " round " << round;
      }
      scrolled.Window.FormMouseUp(TMouseButton::Right, 0, 0);
      const QImage shown = scrolled.Shown();
      ASSERT_EQ(Differences(shown, scrolled.Painted()), "")
          << "scale " << scale << " round " << round << " released";
    }
    EXPECT_GT(scrolled.Canvas->Moves, 100) << "scale " << scale;
  }
}

// Wide lines, trains and a turned background picture with some opacity
// are drawn by Qt, which places what an edge cuts by where it cuts: the
// window is painted whole when the scroll ends, and after a step of its
// own (as Check Map's centring makes) at once. The grid's dots lie every
// third pixel from the window's edge: a step of another length is painted
// whole while the grid shows.
TEST(ScrollReuse, WhatQtDrawsIsPaintedWholeWhenTheScrollEnds) {
  std::mt19937 random(5);
  TScrolledWindow scrolled;
  BuildMap(scrolled.Window, random, true);
  QImage plan(64, 48, QImage::Format_RGB32);
  for (int y = 0; y < plan.height(); ++y) {
    for (int x = 0; x < plan.width(); ++x) {
      plan.setPixel(x, y, qRgb(x * 4, y * 5, (x ^ y) * 8));
    }
  }
  scrolled.Window.Document().SetBackground(
      TMapBackground{{"plan.png", {-300.0, 300.0, 9.0, 17.0}, 0.6, true},
                     std::make_shared<const TBackgroundPicture>(plan)},
      QStringLiteral("Set Background"));
  scrolled.Window.Repaint();
  Drag(scrolled.Window, random, 30);
  scrolled.Window.FormMouseUp(TMouseButton::Right, 10, 20);
  const int moves = scrolled.Canvas->Moves;
  EXPECT_GT(moves, 20);
  QImage shown = scrolled.Shown();
  EXPECT_EQ(Differences(shown, scrolled.Painted()), "");

  scrolled.Window.ScrollBy(36, -12);
  EXPECT_EQ(scrolled.Canvas->Moves, moves + 1);
  shown = scrolled.Shown();
  EXPECT_EQ(Differences(shown, scrolled.Painted()), "");

  // A point in the window, brought to its middle: by any step once the grid
  // is too dense to draw, whose dots lie every third pixel.
  TfrmMap& window = scrolled.Window;
  window.SetGridSpacing(window.Scale);
  TTrPoint* found = nullptr;
  for (const auto& point : window.Map()->Points) {
    const int x = window.WorldToScreenX(point->Pos.X);
    const int y = window.WorldToScreenY(point->Pos.Y);
    if (x > 60 && x < 250 && y > 40 && y < 150) found = point.get();
  }
  ASSERT_NE(found, nullptr);
  scrolled.Window.ShowFinding({TLintKind::BarePoint, found->Id, {}});
  EXPECT_EQ(scrolled.Canvas->Moves, moves + 2);
  EXPECT_EQ(window.SelectedPoint(), found);
  EXPECT_EQ(window.WorldToScreenX(found->Pos.X), window.width() / 2);
}

}  // namespace

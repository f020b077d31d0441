#include <gmock/gmock.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "map_window_fixture.h"

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Kind;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using PaintTest = MapWindowTest;

TEST_F(PaintTest, EmptyMapShowsDottedGridThroughOriginAndSolidCross) {
  Window.Repaint();
  EXPECT_EQ(Canvas->Erases, 1);
  EXPECT_THAT(
      Canvas->Drawn(),
      ElementsAre(
          "13,0 13,271 pen 000000/1/dot", "113,0 113,271 pen 000000/1/dot",
          "213,0 213,271 pen 000000/1/dot", "313,0 313,271 pen 000000/1/dot",
          "413,0 413,271 pen 000000/1/dot", "0,35 427,35 pen 000000/1/dot",
          "0,135 427,135 pen 000000/1/dot", "0,235 427,235 pen 000000/1/dot",
          "203,135 223,135 pen 000000/1/solid",
          "213,125 213,145 pen 000000/1/solid"));
}

TEST_F(PaintTest, GridStartsLeftOfTheWindowWhenTheOriginDoes) {
  Window.ScrollBy(-243, -95);  // origin to (-30, 40)
  const std::vector<std::string> drawn = Canvas->Drawn();
  ASSERT_GE(drawn.size(), 2u);
  EXPECT_EQ(drawn[0], "-30,0 -30,271 pen 000000/1/dot");
  EXPECT_EQ(drawn[1], "70,0 70,271 pen 000000/1/dot");
  EXPECT_THAT(drawn, ::testing::Contains("0,40 427,40 pen 000000/1/dot"));
}

TEST_F(PaintTest, GridFollowsSpacingAndScale) {
  Window.Scale = 0.5;  // 100 m grid lines 200 pixels apart
  Window.GridSpacing = 100.0;
  Window.OriginX = 250;
  Canvas->Clear();
  Window.FormPaint();
  EXPECT_THAT(Canvas->Drawn(),
              ElementsAre("50,0 50,271 pen 000000/1/dot",
                          "250,0 250,271 pen 000000/1/dot",
                          "0,135 427,135 pen 000000/1/dot",
                          "240,135 260,135 pen 000000/1/solid",
                          "250,125 250,145 pen 000000/1/solid"));
}

TEST_F(PaintTest, GridLeftOutWhenLinesWouldFallUnderTwoPixelsApart) {
  Window.GridSpacing = 2.0;  // exactly 2 pixels: still drawn
  Canvas->Clear();
  Window.FormPaint();
  // Columns 1, 3, ..., 425 and rows 1, 3, ..., 269, then the cross.
  EXPECT_EQ(Canvas->Drawn().size(), 213u + 135u + 2u);

  Window.GridSpacing = 1.9;
  Canvas->Clear();
  Window.FormPaint();
  EXPECT_THAT(Canvas->Drawn(),
              ElementsAre("203,135 223,135 pen 000000/1/solid",
                          "213,125 213,145 pen 000000/1/solid"));
}

TEST_F(PaintTest, LineWidthAndStyleByKindAndSelection) {
  TTrLine* platform = Build(Map, 0, 0, 100, 0);
  static_cast<TTrack*>(platform)->Platform = 1;
  TTrLine* otherByte = Build(Map, 0, 10, 100, 10);
  static_cast<TTrack*>(otherByte)->Platform = 2;
  TTrLine* wall = Build(Map, 0, 20, 100, 20, Kind::Wall);

  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(platform); }),
              ElementsAre("213,135 313,135 pen 000000/3/solid"));
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(otherByte); }),
              ElementsAre("213,125 313,125 pen 000000/1/solid"));
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(wall); }),
              ElementsAre("213,115 313,115 pen 000000/1/dot"));

  Window.Document().Select({platform, nullptr, nullptr}, nullptr);
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(platform); }),
              ElementsAre("213,135 313,135 pen ffffff/3/solid"));
  Window.Document().Select({wall, nullptr, nullptr}, nullptr);
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(wall); }),
              ElementsAre("213,115 313,115 pen ffffff/1/dot"));
}

// A switch at S (the world origin): Entry is its entry line, Default its
// default direction, Other its other direction.
struct TSwitch {
  TTrLine* Entry;
  TTrLine* Default;
  TTrLine* Other;
};

// Entry runs from S to (EntryX, 0), so its P1 lies at the switch.
TSwitch SwitchWithEntryAtP1(TTrainStructureSV& Map, double EntryX) {
  TTrLine* entry = Build(Map, 0, 0, EntryX, 0);
  TTrPoint* s = entry->P1;
  TTrLine* byDefault = BuildFrom(Map, s, 0, 100);
  TTrLine* other = BuildFrom(Map, s, 0, -100);
  return {entry, byDefault, other};
}

TEST_F(PaintTest, SwitchTicksRedOnEntryGreenOnDefaultNoneOnOther) {
  const TSwitch s = SwitchWithEntryAtP1(Map, 100);
  // Bearing pi/2: the entry's tick runs right along it from P1.
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(s.Entry); }),
              ElementsAre("213,135 313,135 pen 000000/1/solid",
                          "213,135 263,135 pen ff0000/1/solid"));
  // Bearing 0: straight up from P1.
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(s.Default); }),
              ElementsAre("213,135 213,35 pen 000000/1/solid",
                          "213,135 213,85 pen 008000/1/solid"));
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(s.Other); }),
              ElementsAre("213,135 213,235 pen 000000/1/solid"));
}

TEST_F(PaintTest, TicksAtP2RunBackAlongTheLine) {
  // A horizontal entry from (-100, 0) into a switch at its P2, and a
  // default direction from (100, 0) that also ends there with its P2.
  TTrLine* entry = Build(Map, -100, 0, 0, 0);
  TTrPoint* s = entry->P2;
  TTrLine* byDefault = Build(Map, 100, 0, 0, 0);
  test_maps::Join(Map, byDefault->P2, byDefault, s);
  BuildFrom(Map, s, 0, 100);
  ASSERT_EQ(s->Conn2.Line, byDefault);
  ASSERT_EQ(test_maps::Problems(Map), "");

  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(entry); }),
              ElementsAre("113,135 213,135 pen 000000/1/solid",
                          "213,135 163,135 pen ff0000/1/solid"));
  // From P1 at (100, 0) to P2 at the switch: bearing -pi/2, the tick at P2
  // points back toward P1, to the right.
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(byDefault); }),
              ElementsAre("313,135 213,135 pen 000000/1/solid",
                          "213,135 263,135 pen 008000/1/solid"));
}

TEST_F(PaintTest, TickLengthIsHalfTheLineUpToFiftyPixels) {
  struct Case {
    double Length;
    const char* Tick;
  } cases[] = {{60, "213,135 243,135"},
               {99, "213,135 262,135"},
               {100, "213,135 263,135"},
               {400, "213,135 263,135"},
               {1, "213,135 213,135"}};
  for (const Case& c : cases) {
    TTrainStructureSV map;
    const TSwitch s = SwitchWithEntryAtP1(map, c.Length);
    const std::vector<std::string> drawn =
        DrawnBy([&] { Window.DrawLine(s.Entry); });
    ASSERT_EQ(drawn.size(), 2u) << c.Length;
    EXPECT_EQ(drawn[1], std::string(c.Tick) + " pen ff0000/1/solid")
        << c.Length;
  }
}

TEST_F(PaintTest, TickLengthFollowsScale) {
  const TSwitch s = SwitchWithEntryAtP1(Map, 100);
  Window.Scale = 2.0;  // 100 m is 50 pixels: a 25-pixel tick
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(s.Entry); }),
              ElementsAre("213,135 263,135 pen 000000/1/solid",
                          "213,135 238,135 pen ff0000/1/solid"));
}

TEST_F(PaintTest, PointsOutlinedRedAtSwitchesFilledWhiteWhenSelected) {
  const TSwitch s = SwitchWithEntryAtP1(Map, 100);
  TTrPoint* sw = s.Entry->P1;
  TTrPoint* plain = s.Entry->P2;
  EXPECT_THAT(DrawnBy([&] { Window.DrawPoint(sw); }),
              ElementsAre("Ellipse 210,132 216,138 pen ff0000/1/solid "
                          "brush 000000"));
  EXPECT_THAT(DrawnBy([&] { Window.DrawPoint(plain); }),
              ElementsAre("Ellipse 310,132 316,138 pen 000000/1/solid "
                          "brush 000000"));
  Window.Document().Select({nullptr, plain, nullptr}, nullptr);
  EXPECT_THAT(DrawnBy([&] { Window.DrawPoint(plain); }),
              ElementsAre("Ellipse 310,132 316,138 pen 000000/1/solid "
                          "brush ffffff"));
}

TEST_F(PaintTest, FullPaintDrawsTracksWallsPointsTrainsInTurn) {
  Build(Map, 0, 50, 100, 50, Kind::Wall);
  TTrLine* track = Build(Map, 0, 0, 100, 0);
  Map.AddTrain(MakeOwned<TTrain>(track, 1, 50.0));
  EXPECT_THAT(
      ObjectsPainted(),
      ElementsAre("213,135 313,135 pen 000000/1/solid",
                  "213,85 313,85 pen 000000/1/dot",
                  // Points take the style of the last line drawn: the wall's.
                  "Ellipse 210,82 216,88 pen 000000/1/dot brush 000000",
                  "Ellipse 310,82 316,88 pen 000000/1/dot brush 000000",
                  "Ellipse 210,132 216,138 pen 000000/1/dot brush 000000",
                  "Ellipse 310,132 316,138 pen 000000/1/dot brush 000000",
                  // A train keeps the style too; its front is drawn first.
                  "263,135 213,135 pen bfbf00/3/dot"));
}

TEST_F(PaintTest, PointsOfATrackOnlyMapAreSolid) {
  Build(Map, 0, 0, 100, 0);
  const std::vector<std::string> drawn = ObjectsPainted();
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[1],
            "Ellipse 210,132 216,138 pen 000000/1/solid brush 000000");
}

TEST_F(PaintTest, TrainRunsBackFromItsFrontAcrossLines) {
  TTrLine* first = Build(Map, 0, 0, 30, 0);
  BuildFrom(Map, first->P2, 30, 100);
  TTrain* train = Map.AddTrain(MakeOwned<TTrain>(first, 1, 50.0));
  // The front is 20 m up the second line; one straight segment to the rear.
  EXPECT_THAT(DrawnBy([&] { Window.DrawTrain(train); }),
              ElementsAre("243,115 213,135 pen bfbf00/3/solid"));
  Window.Document().Select({nullptr, nullptr, train}, nullptr);
  EXPECT_THAT(DrawnBy([&] { Window.DrawTrain(train); }),
              ElementsAre("243,115 213,135 pen ffff00/3/solid"));
}

TEST_F(PaintTest, TrainWhoseFrontRunsOffIsDrawnAtItsRear) {
  TTrLine* line = Build(Map, 0, 0, 30, 0);
  TTrain* ahead = Map.AddTrain(MakeOwned<TTrain>(line, 1, 50.0));
  TTrain* back = Map.AddTrain(MakeOwned<TTrain>(line, 2, 50.0));
  EXPECT_THAT(DrawnBy([&] { Window.DrawTrain(ahead); }),
              ElementsAre("213,135 213,135 pen bfbf00/3/solid"));
  EXPECT_THAT(DrawnBy([&] { Window.DrawTrain(back); }),
              ElementsAre("243,135 243,135 pen bfbf00/3/solid"));
}

TEST_F(PaintTest, TrainOnALoopOfLengthZeroIsDrawnAtItsPoint) {
  // A build released where it began: one point, a line from it to itself.
  TTrLine* loop = Build(Map, 10, 10, 10, 10);
  test_maps::Join(Map, loop->P2, loop, loop->P1);
  ASSERT_EQ(test_maps::Problems(Map), "");
  TTrain* train = Map.AddTrain(MakeOwned<TTrain>(loop, 1, 50.0));
  EXPECT_THAT(DrawnBy([&] { Window.DrawTrain(train); }),
              ElementsAre("223,125 223,125 pen bfbf00/3/solid"));
}

// Zoomed out a train of less than a pixel is drawn where its ends round
// to, at every scale, also when a pixel's edge runs through its reach.
TEST_F(PaintTest, TrainsOfAboutAPixelAreDrawnWhereTheirEndsAre) {
  std::mt19937 random(27);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < 3000; ++i) {
    Window.Scale = std::pow(10.0, 3.0 * unit(random) - 1.0);
    const double pixel = Window.Scale;
    // Every other point lies on the edge between two pixels.
    const double x = i % 2 == 0 ? (std::floor(40 * unit(random)) - 19.5) * pixel
                                : (40 * unit(random) - 20.0) * pixel;
    const double y = (40 * unit(random) - 20.0) * pixel;
    const double angle = 6.3 * unit(random);
    const double far = 100.0 * unit(random) * pixel;
    TTrLine* line =
        Build(Map, x, y, x + far * std::sin(angle), y + far * std::cos(angle));
    TTrain* train = Map.AddTrain(MakeOwned<TTrain>(
        line, 1 + i % 2, 2.0 * pixel * unit(random) * unit(random)));
    train->Position.Offset = pixel * (unit(random) - 0.5) * unit(random);

    TTrXY rear;
    train->Position.GetXY(rear);
    TTrXY front = rear;
    TTrackPosition(line, train->Position.Offset + train->Length,
                   train->Position.Dir)
        .GetXY(front);
    const TMapView view = Window.View();
    const auto at = [&](const TTrXY& End) {
      return std::to_string(static_cast<int>(view.ScreenColumn(End.X))) + "," +
             std::to_string(static_cast<int>(view.ScreenRow(End.Y)));
    };
    const std::vector<std::string> drawn =
        DrawnBy([&] { Window.DrawTrain(train); });
    ASSERT_EQ(drawn.size(), 1u) << i;
    EXPECT_EQ(drawn[0].substr(0, drawn[0].find(" pen")),
              at(front) + " " + at(rear))
        << i;
  }
}

TEST_F(PaintTest, ObjectsOffTheWindowAreLeftOutButPassTheirPenOn) {
  Build(Map, 0, 0, 100, 0);
  TTrLine* farWall = Build(Map, 100000, 0, 100100, 0, Kind::Wall);
  Map.AddTrain(MakeOwned<TTrain>(Map.Tracks[0].get(), 1, 50.0));
  Map.AddTrain(MakeOwned<TTrain>(farWall, 1, 50.0));
  // The far wall is not drawn, yet the points and the train after it take
  // its dotted style, as when everything is drawn.
  EXPECT_THAT(
      ObjectsPainted(),
      ElementsAre("213,135 313,135 pen 000000/1/solid",
                  "Ellipse 210,132 216,138 pen 000000/1/dot brush 000000",
                  "Ellipse 310,132 316,138 pen 000000/1/dot brush 000000",
                  "263,135 213,135 pen bfbf00/3/dot"));
}

TEST_F(PaintTest, ObjectsWhoseMarksCanReachIntoTheWindowAreDrawn) {
  // A point 2 pixels left of the window: its ellipse overlaps the edge.
  TTrPoint* point = Map.NewPoint(-215, 0);
  EXPECT_THAT(DrawnBy([&] { Window.DrawPoint(point); }),
              ElementsAre("Ellipse -5,132 1,138 pen 000000/1/solid "
                          "brush 000000"));
  // A line ending a pixel left of the window is drawn; one ending 45 pixels
  // left is not, as its ticks lie along it.
  TTrLine* near = Build(Map, -300, 50, -214, 50);
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(near); }),
              ElementsAre("-87,85 -1,85 pen 000000/1/solid"));
  TTrLine* far = Build(Map, -300, 60, -258, 60);
  EXPECT_THAT(DrawnBy([&] { Window.DrawLine(far); }), IsEmpty());
}

TEST_F(PaintTest, LineCrossingTheWindowAtHugeMagnificationStaysInPlace) {
  Build(Map, -1, -1, 1, 1);
  Window.Scale = 1.0 / 1024 / 1024 / 1024;  // a metre is 2^30 pixels
  const std::vector<std::string> drawn = ObjectsPainted();
  ASSERT_FALSE(drawn.empty());
  int x1, y1, x2, y2;
  ASSERT_EQ(std::sscanf(drawn[0].c_str(), "%d,%d %d,%d", &x1, &y1, &x2, &y2), 4)
      << drawn[0];
  // Clipped to a band around the window, still on the diagonal through the
  // origin at (213, 135).
  EXPECT_LT(x1, 0);
  EXPECT_GT(x2, 427);
  EXPECT_LE(std::abs((x1 - 213) + (y1 - 135)), 1);
  EXPECT_LE(std::abs((x2 - 213) + (y2 - 135)), 1);
  EXPECT_GT(x1, -100000);
  EXPECT_LT(x2, 100000);
}

}  // namespace

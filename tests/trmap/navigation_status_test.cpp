#include <QtGui/QWheelEvent>

#include "gesture_fixture.h"

using test_maps::Build;
using test_maps::BuildFrom;

namespace {

class NavigationStatusTest : public GestureTest {
 protected:
  void Wheel(QPoint At, int Delta) {
    QWheelEvent event(QPointF(At), QPointF(Window.mapToGlobal(At)), QPoint(),
                      QPoint(0, Delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Window, &event);
  }
};

// Each notch halves or doubles the scale, and the world point under the
// cursor stays under it within a pixel; turns smaller than a notch add up.
TEST_F(NavigationStatusTest, TheWheelZoomsAboutTheCursor) {
  const QPoint cursor(50, 200);
  const double x = Window.ScreenToWorldX(cursor.x());
  const double y = Window.ScreenToWorldY(cursor.y());
  const auto expectUnderCursor = [&] {
    EXPECT_LE(std::abs(Window.WorldToScreenX(x) - cursor.x()), 1);
    EXPECT_LE(std::abs(Window.WorldToScreenY(y) - cursor.y()), 1);
  };
  for (int notch = 1; notch <= 5; ++notch) {
    Wheel(cursor, 120);
    EXPECT_DOUBLE_EQ(Window.Scale, 1.0 / (1 << notch));
    expectUnderCursor();
  }
  Wheel(cursor, -60);
  EXPECT_DOUBLE_EQ(Window.Scale, 1.0 / 32);
  Wheel(cursor, -60);
  EXPECT_DOUBLE_EQ(Window.Scale, 1.0 / 16);
  Wheel(QPoint(300, 20), -360);
  EXPECT_DOUBLE_EQ(Window.Scale, 0.5);
  EXPECT_TRUE(Map.Points.empty());
}

// Fit shows every point inside a small margin, as large as the window
// allows; an empty map gets the view of a new window.
TEST_F(NavigationStatusTest, ZoomToFitShowsTheWholeMapOrTheNewView) {
  Build(Map, -1000, -500, 3000, 500);
  Window.ZoomToFit();
  // 4000 m across 427 pixels less the margins, the long way.
  EXPECT_NEAR(Window.Scale, 4000.0 / (427 - 32), 1e-9);
  for (const auto& point : Map.Points) {
    const int32_t px = Window.WorldToScreenX(point->Pos.X);
    const int32_t py = Window.WorldToScreenY(point->Pos.Y);
    EXPECT_GE(px, 15);
    EXPECT_LE(px, 427 - 15);
    EXPECT_GE(py, 15);
    EXPECT_LE(py, 271 - 15);
  }
  Window.ZoomAbout(8.0, 10, 10);
  Map.DeletePoint(Map.Points.front().get());
  ASSERT_TRUE(Map.Points.empty());
  Window.ZoomToFit();
  EXPECT_EQ(Window.Scale, 1.0);
  EXPECT_EQ(Window.OriginX, 213);
  EXPECT_EQ(Window.OriginY, 135);
}

TEST_F(NavigationStatusTest, TheStatusNamesTheCursorTheViewAndTheSelection) {
  int told = 0;
  Window.StatusChanged = [&] { ++told; };
  EXPECT_EQ(Window.CursorStatus(), "");
  MoveTo(Pixel(12, 34));
  EXPECT_EQ(Window.CursorStatus(), "x 12 m, y 34 m");
  EXPECT_GT(told, 0);
  Window.ZoomBy(100.0);
  EXPECT_EQ(Window.ViewStatus(), "0.01 m per pixel, grid 100 m");
  MoveTo(Pixel(12, 34));
  EXPECT_EQ(Window.CursorStatus(), "x 0.12 m, y 0.34 m");
  Window.ZoomBy(0.01);

  TTrLine* first = Build(Map, 0, 0, 100, 0);
  TTrLine* second = BuildFrom(Map, first->P2, 200, 0);
  TTrLine* leg = BuildFrom(Map, first->P2, 200, 50);
  TTrLine* wall = Build(Map, 0, -50, 30, -90, test_maps::Kind::Wall);
  Map.SetTrackProperties(static_cast<TTrack*>(second), 1, 1);
  Map.SetPointHeight(wall->P2, 4.5);
  TTrain* train = Map.AddTrain(MakeOwned<TTrain>(first, 1, 50.0));
  const auto selected = [&](auto Select) {
    Select();
    return Window.SelectionStatus().toStdString();
  };
  EXPECT_EQ(selected([&] { Window.SelectPoint(first->P2); }),
            "Point " + std::to_string(first->P2->Id) + " at 100, 0, switch");
  EXPECT_EQ(
      selected([&] { Window.SelectPoint(wall->P2); }),
      "Point " + std::to_string(wall->P2->Id) + " at 30, -90, height 4.5 m");
  EXPECT_EQ(selected([&] { Window.SelectLine(second); }),
            "Track " + std::to_string(second->Id) +
                ", 100.0 m, poles middle, platform");
  EXPECT_EQ(selected([&] { Window.SelectLine(leg); }),
            "Track " + std::to_string(leg->Id) +
                ", 111.8 m, poles side, no platform");
  EXPECT_EQ(selected([&] { Window.SelectLine(wall); }),
            "Wall " + std::to_string(wall->Id) + ", 50.0 m");
  EXPECT_EQ(selected([&] { Window.SelectTrain(train); }),
            "Train on line " + std::to_string(first->Id) +
                ", towards its second point, 50 m");
  EXPECT_EQ(selected([&] { Window.ClearSelection(); }), "");

  // During a build: the new line's length and compass bearing.
  Buttons.Press(TModeButton::spbLine);
  Press(Pixel(-100, 100));
  MoveTo(Pixel(-70, 140));
  EXPECT_EQ(Window.SelectionStatus(), "Length 50.0 m, bearing 36.9°");
  MoveTo(Pixel(-130, 100));
  EXPECT_EQ(Window.SelectionStatus(), "Length 30.0 m, bearing 270.0°");
  Release(Pixel(-130, 100));
  EXPECT_TRUE(Window.SelectionStatus().startsWith("Point "));
}

}  // namespace

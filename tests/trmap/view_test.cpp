#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFrame>
#include <cstdint>
#include <limits>

#include "map_window_fixture.h"

namespace {

using ViewTest = MapWindowTest;

TEST_F(ViewTest, NewWindowCentresTheOriginInItsDesignedClientArea) {
  EXPECT_EQ(Window.OriginX, 213);
  EXPECT_EQ(Window.OriginY, 135);
  EXPECT_EQ(Window.Scale, 1.0);
  EXPECT_EQ(Window.GridSpacing, 100.0);
  EXPECT_EQ(Window.WorldToScreenX(10), 223);
  EXPECT_EQ(Window.WorldToScreenY(10), 125);
  EXPECT_EQ(Window.ScreenToWorldX(0), -213.0);
  EXPECT_EQ(Window.ScreenToWorldY(0), 135.0);
  EXPECT_TRUE(Map.Points.empty());
  EXPECT_EQ(Window.SelectedPoint(), nullptr);
  EXPECT_FALSE(Window.Panel1->isVisibleTo(&Window));
  EXPECT_EQ(Window.CheckBox3->text(), "LineSw");
}

TEST_F(ViewTest, PixelsRoundHalvesToEven) {
  Window.OriginX = 0;
  Window.OriginY = 0;
  EXPECT_EQ(Window.WorldToScreenX(0.5), 0);
  EXPECT_EQ(Window.WorldToScreenX(1.5), 2);
  EXPECT_EQ(Window.WorldToScreenX(2.5), 2);
  EXPECT_EQ(Window.WorldToScreenX(-0.5), 0);
  EXPECT_EQ(Window.WorldToScreenX(-1.5), -2);
  EXPECT_EQ(Window.WorldToScreenX(2.4999999), 2);
  EXPECT_EQ(Window.WorldToScreenY(2.5), -2);
  EXPECT_EQ(Window.WorldToScreenY(-3.5), 4);
}

TEST_F(ViewTest, ZoomKeepsTheCentreAndScalesAroundIt) {
  Window.ZoomBy(2.0);
  EXPECT_EQ(Window.OriginX, 213);
  EXPECT_EQ(Window.OriginY, 135);
  EXPECT_EQ(Window.Scale, 0.5);
  EXPECT_EQ(Window.WorldToScreenX(10), 233);
  EXPECT_EQ(Window.WorldToScreenY(10), 115);
  EXPECT_EQ(Canvas->Erases, 1);
}

TEST_F(ViewTest, ZoomingOutThenInCanLeaveTheOriginAPixelAway) {
  Window.OriginX = 100;
  Window.OriginY = 50;
  Window.ZoomBy(0.5);
  EXPECT_EQ(Window.OriginX, 156);
  EXPECT_EQ(Window.OriginY, 92);
  Window.ZoomBy(2.0);
  EXPECT_EQ(Window.OriginX, 99);
  EXPECT_EQ(Window.OriginY, 49);
  EXPECT_EQ(Window.Scale, 1.0);
}

TEST_F(ViewTest, ZoomingInThenOutRestoresTheView) {
  Window.OriginX = 100;
  Window.OriginY = 50;
  Window.ZoomBy(2.0);
  EXPECT_EQ(Window.OriginX, -13);
  EXPECT_EQ(Window.OriginY, -35);
  Window.ZoomBy(0.5);
  EXPECT_EQ(Window.OriginX, 100);
  EXPECT_EQ(Window.OriginY, 50);
  EXPECT_EQ(Window.Scale, 1.0);
}

TEST_F(ViewTest, ZoomUsesTheCurrentClientSize) {
  Window.resize(600, 400);
  Window.OriginX = 0;
  Window.OriginY = 0;
  Window.ZoomBy(2.0);
  EXPECT_EQ(Window.OriginX, -300);
  EXPECT_EQ(Window.OriginY, -200);
}

TEST_F(ViewTest, ScrollMovesTheOriginAndRepaints) {
  Window.ScrollBy(30, -20);
  EXPECT_EQ(Window.OriginX, 243);
  EXPECT_EQ(Window.OriginY, 115);
  EXPECT_EQ(Canvas->Erases, 1);
  Window.SetGridSpacing(12.5);
  EXPECT_EQ(Window.GridSpacing, 12.5);
  EXPECT_EQ(Canvas->Erases, 2);
}

TEST_F(ViewTest, ExtremeViewsSaturateInsteadOfOverflowing) {
  constexpr int32_t highest = std::numeric_limits<int32_t>::max();
  constexpr int32_t lowest = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(Window.WorldToScreenX(1e300), highest);
  EXPECT_EQ(Window.WorldToScreenX(-1e300), lowest);
  EXPECT_EQ(Window.WorldToScreenY(1e300), lowest);

  Window.ScrollBy(highest, highest);
  EXPECT_EQ(Window.OriginX, highest);
  Window.ZoomBy(2.0);
  EXPECT_EQ(Window.OriginX, highest);
  EXPECT_EQ(Window.Scale, 0.5);
}

TEST_F(ViewTest, ZoomStopsWhereTheScaleWouldLeaveTheRangeOfDoubles) {
  Window.Scale = std::numeric_limits<double>::min();
  Window.ZoomBy(2.0);
  EXPECT_EQ(Window.Scale, std::numeric_limits<double>::min());
  EXPECT_EQ(Window.OriginX, 213);
  Window.Scale = std::numeric_limits<double>::max();
  Window.ZoomBy(0.5);
  EXPECT_EQ(Window.Scale, std::numeric_limits<double>::max());
  Window.ZoomBy(2.0);
  EXPECT_EQ(Window.Scale, std::numeric_limits<double>::max() / 2);
}

}  // namespace

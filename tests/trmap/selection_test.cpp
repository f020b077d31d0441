#include <gmock/gmock.h>

#include <QtWidgets/QCheckBox>

#include "map_window_fixture.h"

using test_maps::Build;
using test_maps::BuildFrom;
using ::testing::ElementsAre;

namespace {

using SelectionTest = MapWindowTest;

TEST_F(SelectionTest, MovingThePointSelectionRedrawsOldThenNew) {
  TTrLine* line = Build(Map, 0, 0, 100, 0);
  BuildFrom(Map, line->P2, 100, 100);
  Window.SelectPoint(line->P1);
  Canvas->Clear();
  Window.SelectPoint(line->P2);
  // Only the two points, straight onto the window: no erase, no grid.
  EXPECT_EQ(Canvas->Erases, 0);
  EXPECT_THAT(Canvas->Drawn(),
              ElementsAre("Ellipse 210,132 216,138 pen 000000/1/solid "
                          "brush 000000",
                          "Ellipse 310,132 316,138 pen 000000/1/solid "
                          "brush ffffff"));
  EXPECT_EQ(Window.SelectedPoint(), line->P2);
  EXPECT_TRUE(Window.CheckBox1->isChecked());
  EXPECT_TRUE(Window.CheckBox2->isChecked());
  EXPECT_FALSE(Window.CheckBox3->isChecked());

  Window.SelectPoint(line->P1);
  EXPECT_TRUE(Window.CheckBox1->isChecked());
  EXPECT_FALSE(Window.CheckBox2->isChecked());
}

TEST_F(SelectionTest, EachKindIsClearedInTurnBeforeTheNewOneIsDrawn) {
  TTrLine* line = Build(Map, 0, 0, 100, 0);
  TTrain* train = Map.AddTrain(MakeOwned<TTrain>(line, 1, 50.0));
  Window.SelectLine(line);
  EXPECT_THAT(Canvas->Drawn(),
              ElementsAre("213,135 313,135 pen ffffff/1/solid"));

  Canvas->Clear();
  Window.SelectTrain(train);
  EXPECT_THAT(Canvas->Drawn(),
              ElementsAre("213,135 313,135 pen 000000/1/solid",
                          "263,135 213,135 pen ffff00/3/solid"));
  EXPECT_EQ(Window.SelectedLine(), nullptr);

  Canvas->Clear();
  Window.SelectPoint(line->P1);
  // The train's redraw keeps the solid style the line left behind.
  EXPECT_THAT(Canvas->Drawn(),
              ElementsAre("263,135 213,135 pen bfbf00/3/solid",
                          "Ellipse 210,132 216,138 pen 000000/1/solid "
                          "brush ffffff"));
  EXPECT_EQ(Window.SelectedTrain(), nullptr);
  EXPECT_EQ(Window.SelectedPoint(), line->P1);
}

TEST_F(SelectionTest, ClearingWithNothingSelectedDrawsNothing) {
  Build(Map, 0, 0, 100, 0);
  Window.ClearSelection();
  EXPECT_TRUE(Canvas->Log.empty());
}

TEST_F(SelectionTest, PointLinksShowTheThreeReferencesOfASwitch) {
  TTrLine* entry = Build(Map, 0, 0, 100, 0);
  BuildFrom(Map, entry->P1, 0, 100);
  BuildFrom(Map, entry->P1, 0, -100);
  Window.SelectPoint(entry->P1);
  EXPECT_TRUE(Window.CheckBox1->isChecked());
  EXPECT_TRUE(Window.CheckBox2->isChecked());
  EXPECT_TRUE(Window.CheckBox3->isChecked());
  // Selecting a line leaves the boxes as they were.
  Window.SelectLine(entry);
  EXPECT_TRUE(Window.CheckBox3->isChecked());
}

}  // namespace

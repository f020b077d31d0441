#include "grid_steps.h"

#include <gtest/gtest.h>

namespace {

// From the default 100 m, stepping one window from the control's starting
// position 3 to each position 0 to 13.
TEST(GridSteps, SpacingAndTextAtEveryPositionOfTheControl) {
  const struct {
    int Position;
    double Spacing;
    const char* Text;
  } table[] = {
      {0, 12.5, "12"},      {1, 25, "25"},         {2, 50, "50"},
      {3, 100, "100"},      {4, 200, "200"},       {5, 400, "400"},
      {6, 800, "800"},      {7, 1600, "1600"},     {8, 3200, "3200"},
      {9, 6400, "6400"},    {10, 12800, "12800"},  {11, 25600, "25600"},
      {12, 51200, "51200"}, {13, 102400, "102400"}};
  for (const auto& row : table) {
    double spacing = 100.0;
    for (int p = 3; p < row.Position; ++p)
      spacing = NextGridSpacing(spacing, true);
    for (int p = 3; p > row.Position; --p)
      spacing = NextGridSpacing(spacing, false);
    EXPECT_EQ(spacing, row.Spacing) << row.Position;
    EXPECT_EQ(GridSpacingText(spacing), row.Text) << row.Position;
  }
}

TEST(GridSteps, TextRoundsHalvesToEvenAndWritesLargeValuesInFull) {
  EXPECT_EQ(GridSpacingText(6.25), "6");
  EXPECT_EQ(GridSpacingText(2.5), "2");
  EXPECT_EQ(GridSpacingText(3.5), "4");
  EXPECT_EQ(GridSpacingText(0.5), "0");
  EXPECT_EQ(GridSpacingText(204800), "204800");
  EXPECT_EQ(GridSpacingText(1152921504606846976.0), "1152921504606846976");
}

}  // namespace

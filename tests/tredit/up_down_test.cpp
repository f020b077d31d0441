#include "up_down.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(UpDown, ReportsAStepOnlyWhenThePositionChanges) {
  TUpDown upDown(0, 2, 1);
  std::vector<TUDBtnType> steps;
  upDown.OnClick = [&](TUDBtnType Button) { steps.push_back(Button); };
  upDown.Click(TUDBtnType::btNext);
  upDown.Click(TUDBtnType::btNext);
  EXPECT_EQ(upDown.Position(), 2);
  upDown.Click(TUDBtnType::btPrev);
  upDown.Click(TUDBtnType::btPrev);
  upDown.Click(TUDBtnType::btPrev);
  upDown.Click(TUDBtnType::btNext);
  EXPECT_EQ(upDown.Position(), 1);
  EXPECT_EQ(steps,
            (std::vector<TUDBtnType>{TUDBtnType::btNext, TUDBtnType::btPrev,
                                     TUDBtnType::btPrev, TUDBtnType::btNext}));
}

}  // namespace

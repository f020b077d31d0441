#include <algorithm>
#include <random>

#include "gesture_fixture.h"
#include "window_references.h"

namespace {

using RandomGestureTest = GestureTest;

// Random presses, moves and releases of all three buttons, mode changes,
// Delete and Escape keys, new trains, undo and redo, and now and then a view so
// far out that gestures overflow. After every event the map must be sound and
// the window may refer only to objects of its map.
TEST_F(RandomGestureTest, AnySequenceOfInputLeavesASoundMap) {
  std::mt19937 random(20261208);
  const auto pick = [&](int Count) {
    return std::uniform_int_distribution<int>(0, Count - 1)(random);
  };
  // Half the time near an existing point, so that joins happen often; a
  // mouse stays on the screen, a little beyond the window at most.
  const auto near = [&](int32_t Pixel, int Size) {
    return static_cast<int>(
        std::clamp<int64_t>(int64_t{Pixel} + pick(9) - 4, -100, Size + 100));
  };
  const auto somewhere = [&]() {
    if (!Map.Points.empty() && pick(2) == 0) {
      const TTrPoint& p =
          *Map.Points[pick(static_cast<int>(Map.Points.size()))];
      return QPoint(near(Window.WorldToScreenX(p.Pos.X), 427),
                    near(Window.WorldToScreenY(p.Pos.Y), 271));
    }
    return QPoint(pick(427), pick(271));
  };
  constexpr Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::RightButton,
                                          Qt::MiddleButton};
  constexpr TModeButton kModes[] = {
      TModeButton::spbCursor, TModeButton::spbLine,  TModeButton::spbBuild,
      TModeButton::spbPoint,  TModeButton::spbLines, TModeButton::spbTrains};

  size_t maxPoints = 0;
  size_t maxTrains = 0;
  bool sawSwitch = false;
  for (int event = 0; event < 15000; ++event) {
    switch (pick(14)) {
      case 0:
      case 1:
      case 2:
        Press(somewhere(), kButtons[pick(3)]);
        break;
      case 3:
      case 4:
      case 5:
        MoveTo(somewhere());
        break;
      case 6:
      case 7:
        Release(somewhere(), kButtons[pick(3)]);
        break;
      case 8:
        Buttons.Press(kModes[pick(6)]);
        break;
      case 9:
        Buttons.Set(TModeButton::spbConn, pick(2) == 0);
        break;
      case 10:
        // Escape takes back a build or a drag under way.
        Key(pick(2) == 0 ? Qt::Key_Delete : Qt::Key_Escape);
        break;
      case 11:
        if (pick(20) == 0) Window.Scale = Window.Scale == 1.0 ? 1e37 : 1.0;
        if (Map.Tracks.size() > Map.Trains.size() && pick(4) == 0) {
          Window.NewTrain();
        }
        break;
      case 12:
        Window.Undo();
        break;
      case 13:
        Window.Redo();
        break;
    }
    ASSERT_EQ(test_maps::Problems(Map), "") << "after event " << event;
    ASSERT_EQ(WindowReferenceProblems(Window), "") << "after event " << event;
    if (Window.Building() || Window.MovingPoint()) {
      ASSERT_NE(Window.DragPoint(), nullptr);
    }
    maxPoints = std::max(maxPoints, Map.Points.size());
    maxTrains = std::max(maxTrains, Map.Trains.size());
    sawSwitch = sawSwitch || std::any_of(Map.Points.begin(), Map.Points.end(),
                                         [](const auto& point) {
                                           return point->LineCount() == 3;
                                         });
  }
  // The run did build, join into switches and fail: it was not idle
  // throughout.
  EXPECT_GT(maxPoints, 20u);
  EXPECT_TRUE(sawSwitch);
  EXPECT_GT(maxTrains, 0u);
  EXPECT_FALSE(Errors.empty());
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "map_builder.h"
#include "train_structure.h"

namespace {

using test_maps::Kind;

// Edits a map at random the way the editor would, for thousands of steps,
// checking the structure after every step.
class RandomEditor {
 public:
  explicit RandomEditor(unsigned Seed) : rng_(Seed) {}

  void Step() {
    switch (Pick(8)) {
      case 0:
      case 1:
        BuildOnEmptyGround();
        break;
      case 2:
      case 3:
        BuildFromExistingPoint();
        break;
      case 4:
        JoinTwoPoints();
        break;
      case 5:
        DeleteSomePoint();
        break;
      case 6:
        SwitchCommand();
        break;
      default:
        PlaceAndMoveTrain();
        break;
    }
  }

  const TTrainStructureSV& Map() const { return map_; }
  // How often a step left a switch, or a line with both ends at one point.
  int SwitchesSeen() const { return switches_; }
  int LoopsSeen() const { return loops_; }
  void Tally() {
    for (const auto& point : map_.Points) switches_ += point->LineCount() == 3;
    for (const auto& track : map_.Tracks) loops_ += track->P1 == track->P2;
  }

 private:
  size_t Pick(size_t Count) {
    return std::uniform_int_distribution<size_t>(0, Count - 1)(rng_);
  }
  double Coordinate() {
    // A small grid, so that lines of length 0 and shared spots happen.
    return static_cast<double>(Pick(6)) * 10.0;
  }
  TTrPoint* AnyPoint() {
    if (map_.Points.empty()) return nullptr;
    return map_.Points[Pick(map_.Points.size())].get();
  }
  Kind AnyKind() { return Pick(4) == 0 ? Kind::Wall : Kind::Track; }

  void BuildOnEmptyGround() {
    ReleaseBuild(test_maps::Build(map_, Coordinate(), Coordinate(),
                                  Coordinate(), Coordinate(), AnyKind()));
  }

  // The release of a build may drop the new end point onto a point with
  // room for it, the start point included (a click without a move).
  void ReleaseBuild(TTrLine* Line) {
    if (Pick(2) == 0) return;
    TTrPoint* target = Pick(3) == 0 ? Line->P1 : AnyPoint();
    if (target == Line->P2 || target->LineCount() > 2) return;
    test_maps::Join(map_, Line->P2, Line, target);
  }

  void BuildFromExistingPoint() {
    TTrPoint* start = AnyPoint();
    if (start == nullptr || start->LineCount() > 2) return;
    // The editor continues only from a point of the same kind.
    const Kind kind = start->IsWallPoint() ? Kind::Wall : Kind::Track;
    ReleaseBuild(
        test_maps::BuildFrom(map_, start, Coordinate(), Coordinate(), kind));
  }

  // A drop: a point with one line joins another with at most two, or a
  // point with two lines takes in one with one line.
  void JoinTwoPoints() {
    TTrPoint* drag = AnyPoint();
    TTrPoint* target = AnyPoint();
    if (drag == nullptr || drag == target) return;
    if (drag->LineCount() + target->LineCount() > 3) return;
    if (drag->LineCount() == 1) {
      test_maps::Join(map_, drag, drag->Conn1.Line, target);
    } else if (target->LineCount() == 1) {
      test_maps::Join(map_, target, target->Conn1.Line, drag);
    }
  }

  void DeleteSomePoint() {
    if (TTrPoint* point = AnyPoint()) map_.DeletePoint(point);
  }

  void SwitchCommand() {
    TTrPoint* point = AnyPoint();
    if (point == nullptr) return;
    if (Pick(2) == 0) {
      map_.RotateSwitch(point);
    } else {
      map_.SwapSwitch(point);
    }
  }

  void PlaceAndMoveTrain() {
    TTrPoint* point = AnyPoint();
    if (point == nullptr || point->Conn1.IsEmpty()) return;
    TTrain* train = map_.AddTrain(
        std::make_unique<TTrain>(point->Conn1.Line, point->Conn1.End, 50));
    // The far end as drawing asks for it: must end, on any shape of track.
    TTrackPosition front(train->Position.Line, train->Length,
                         train->Position.Dir);
    front.Advance(static_cast<double>(Pick(1000)));
    if (front.Line != nullptr) {
      TTrXY xy;
      front.GetXY(xy);
      ASSERT_TRUE(std::isfinite(xy.X) && std::isfinite(xy.Y));
    }
  }

  std::mt19937 rng_;
  TTrainStructureSV map_;
  int switches_ = 0;
  int loops_ = 0;
};

TEST(RandomEditing, KeepsTheMapSoundAfterEveryStep) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    RandomEditor editor(seed);
    for (int step = 0; step < 1500; ++step) {
      editor.Step();
      const std::string problems = test_maps::Problems(editor.Map());
      ASSERT_EQ(problems, "") << "seed " << seed << ", step " << step;
      for (const auto& point : editor.Map().Points) {
        // Editing never leaves a point without lines or with a fourth.
        ASSERT_GE(point->LineCount(), 1)
            << "seed " << seed << ", step " << step;
      }
      editor.Tally();
    }
    // The walk must reach the shapes that are hard to get right.
    EXPECT_GT(editor.SwitchesSeen(), 0) << "seed " << seed;
    EXPECT_GT(editor.LoopsSeen(), 0) << "seed " << seed;
  }
}

}  // namespace

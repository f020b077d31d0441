#include "train_run.h"

#include <gtest/gtest.h>

#include <memory>

#include "map_builder.h"
#include "train_structure.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;

TTrXY Place(const TTrackPosition& Position) {
  TTrXY place{};
  Position.GetXY(place);
  return place;
}

TTrain* AddTrain(TTrainStructureSV& Map, TTrLine* Line, uint8_t Dir,
                 double Length) {
  return Map.AddTrain(MakeOwned<TTrain>(Line, Dir, Length));
}

// Through a switch entered on its entry: 36 km/h is 10 m/s; the train of
// 20 m stops with its front at the dead end 300 m on, 280 m from where its
// rear began, and the map's own train never moves.
TEST(TrainRun, MovesSpeedTimesTimeThroughASwitchAndStopsAtTheDeadEnd) {
  TTrainStructureSV map;
  TTrLine* entry = Build(map, 0, 0, 100, 0);
  TTrPoint* at = entry->P2;
  TTrLine* straight = BuildFrom(map, at, 300, 0);
  BuildFrom(map, at, 160, 80);
  TTrain* train = AddTrain(map, entry, 1, 20);

  TTrainRun run(map, {36.0});
  for (int i = 0; i < 150; ++i) run.Step(1.0 / 60.0);
  const TRunningTrain& running = run.Trains().at(0);
  EXPECT_NEAR(run.Time(), 2.5, 1e-9);
  EXPECT_NEAR(running.Travelled, 25.0, 1e-6);
  EXPECT_NEAR(Place(running.Position).X, 25.0, 1e-6);
  EXPECT_FALSE(running.Stopped);

  for (int i = 0; i < 40; ++i) run.Step(1.0);
  EXPECT_TRUE(running.Stopped);
  EXPECT_NEAR(running.Travelled, 280.0, 1e-6);
  EXPECT_EQ(running.Position.Line, straight);
  EXPECT_NEAR(Place(running.Position).X, 280.0, 1e-6);
  EXPECT_EQ(train->Position.Line, entry);
  EXPECT_EQ(train->Position.Offset, 0.0);
}

// Round a loop of 400 m at the default speed a train keeps going; a train
// longer than the track before it does not move at all.
TEST(TrainRun, GoesRoundALoopAndStaysWhenItsFrontIsPastTheEnd) {
  TTrainStructureSV map;
  TTrLine* first = Build(map, 0, 0, 100, 0);
  TTrLine* second = BuildFrom(map, first->P2, 100, 100);
  TTrLine* third = BuildFrom(map, second->P2, 0, 100);
  TTrLine* fourth = BuildFrom(map, third->P2, 0, 5);
  test_maps::Join(map, fourth->P2, fourth, first->P1);
  TTrLine* spur = Build(map, 500, 0, 530, 0);
  AddTrain(map, first, 1, 50);
  AddTrain(map, spur, 1, 50);

  TTrainRun run(map, {});
  run.Step(60.0);
  EXPECT_NEAR(run.Trains()[0].Travelled, kDefaultTrainSpeed / 3.6 * 60.0, 1e-6);
  EXPECT_FALSE(run.Trains()[0].Stopped);
  EXPECT_EQ(run.Trains()[1].Travelled, 0.0);
  EXPECT_TRUE(run.Trains()[1].Stopped);
}

// Two trains run toward each other on one line: marked once they meet.
TEST(TrainRun, MarksTrainsThatMeet) {
  TTrainStructureSV map;
  TTrLine* line = Build(map, 0, 0, 1000, 0);
  AddTrain(map, line, 1, 50);
  AddTrain(map, line, 2, 50);
  AddTrain(map, Build(map, 0, 50, 1000, 50), 1, 50);

  TTrainRun run(map, {36.0, 36.0, 36.0});
  run.Step(44.0);
  for (const TRunningTrain& train : run.Trains()) EXPECT_FALSE(train.Meeting);
  run.Step(2.0);
  EXPECT_TRUE(run.Trains()[0].Meeting);
  EXPECT_TRUE(run.Trains()[1].Meeting);
  EXPECT_FALSE(run.Trains()[2].Meeting);
}

}  // namespace

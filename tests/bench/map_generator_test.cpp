#include "map_generator.h"

#include <gtest/gtest.h>

#include "structure_check.h"

namespace {

TEST(GenerateMap, MakesASoundMapOfTheAskedSizeWithEveryKindOfObject) {
  for (size_t size : {1000u, 10000u}) {
    const auto map = GenerateMap(size);
    EXPECT_GE(map->Points.size(), size);
    EXPECT_LE(map->Points.size(), size + 1);
    EXPECT_TRUE(CheckStructure(*map).empty());
    size_t switches = 0;
    for (const auto& point : map->Points) switches += point->LineCount() == 3;
    EXPECT_GT(switches, size / 200);
    EXPECT_GT(map->Walls.size(), size / 10);
    EXPECT_GT(map->Tracks.size(), size / 2);
    EXPECT_GT(map->Trains.size(), size / 100);
    // Every train has room for its 50 m on its own line.
    for (const auto& train : map->Trains) {
      EXPECT_GE(train->Position.Line->Length(), train->Length);
    }
  }
}

}  // namespace

#include "structure_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "map_builder.h"
#include "train_structure.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Problems;
using ::testing::HasSubstr;

// A switch with a train on its entry line; sound until a test breaks it.
struct Sample {
  TTrainStructureSV map;
  TTrLine* entry;
  TTrLine* straight;
  TTrLine* other;
  TTrPoint* s;
  Sample() {
    entry = Build(map, 0, 0, 10, 0);
    s = entry->P2;
    straight = BuildFrom(map, s, 20, 0);
    other = BuildFrom(map, s, 20, 5, test_maps::Kind::Track);
    map.AddTrain(MakeOwned<TTrain>(entry, 1, 50));
  }
};

TEST(CheckStructure, PassesASoundMapAndAnEmptyOne) {
  Sample sample;
  EXPECT_EQ(Problems(sample.map), "");
  TTrainStructureSV empty;
  EXPECT_TRUE(CheckStructure(empty).empty());
}

TEST(CheckStructure, FindsBrokenLinks) {
  Sample wrongMain;
  wrongMain.entry->Next2 = TTrLineEnd{wrongMain.other, 1};
  EXPECT_THAT(Problems(wrongMain.map), HasSubstr("wrong main link"));

  Sample strayBranch;
  strayBranch.straight->Branch1 = TTrLineEnd{strayBranch.entry, 2};
  EXPECT_THAT(Problems(strayBranch.map), HasSubstr("wrong branch link"));

  Sample missingBranch;
  missingBranch.entry->Branch2 = TTrLineEnd{};
  EXPECT_THAT(Problems(missingBranch.map), HasSubstr("wrong branch link"));
}

TEST(CheckStructure, FindsReferencesThatDoNotMatchTheLines) {
  Sample gap;
  gap.s->Conn2 = TTrLineEnd{};
  EXPECT_THAT(Problems(gap.map), HasSubstr("gap"));

  Sample wrongEnd;
  wrongEnd.s->Conn1.End = 1;
  EXPECT_THAT(Problems(wrongEnd.map), HasSubstr("does not lie there"));

  Sample unnamed;
  unnamed.entry->P1->Conn1 = TTrLineEnd{};
  EXPECT_THAT(Problems(unnamed.map), HasSubstr("named 0 times"));

  Sample noPoint;
  noPoint.entry->P1 = nullptr;
  EXPECT_THAT(Problems(noPoint.map), HasSubstr("has no point"));
}

TEST(CheckStructure, FindsReferencesOutsideTheMap) {
  Sample sample;
  TTrPoint stranger(0, 0, 0);
  sample.straight->P2 = &stranger;
  EXPECT_THAT(Problems(sample.map), HasSubstr("not in the map"));

  Sample freed;
  auto outside = MakeOwned<TTrack>(nullptr, nullptr);
  freed.map.Trains[0]->Position.Line = outside.get();
  EXPECT_THAT(Problems(freed.map), HasSubstr("train stands on no line"));
  freed.map.Trains[0]->Position.Line = nullptr;
  EXPECT_THAT(Problems(freed.map), HasSubstr("train stands on no line"));
}

TEST(CheckStructure, AllowsAPointWithoutLines) {
  Sample sample;
  sample.map.AddPoint(MakeOwned<TTrPoint>(1, 2, 3));
  EXPECT_EQ(Problems(sample.map), "");
}

}  // namespace

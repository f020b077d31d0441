#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "large_allocator.h"
#include "map_reader.h"
#include "train_structure.h"

namespace {

// A loaded map makes its objects in shared blocks. The objects an edit
// removes belong to the edit, and stay whole even when the map is gone
// first; the sanitizer build sees any use of freed memory and any leak.
TEST(ObjectBlocks, RemovedObjectsOutliveTheirMapInTheEdit) {
  auto map = std::make_unique<TTrainStructureSV>();
  ReadMap(
      "PNT 3\r\n"
      "   0    0    0    0 0 3 1 -1 0 -1 0 \r\n"
      "   1   10    0    0 0 3 2 4 1 -1 0 \r\n"
      "   2   20    0    0 0 4 2 -1 0 -1 0 \r\n"
      "TRN 1\r\n"
      "   4 1   50\r\n",
      *map);
  ASSERT_EQ(map->Trains.size(), 1u);
  TTrPoint* middle = map->Points[1].get();
  const TTrain* train = map->Trains[0].get();
  map->BeginEdit();
  map->DeletePoint(middle);
  TMapEdit edit = map->EndEdit();
  ASSERT_TRUE(map->Points.empty());
  map.reset();

  EXPECT_EQ(middle->Id, 1);
  EXPECT_EQ(middle->Pos.X, 10.0);
  EXPECT_EQ(train->Length, 50.0);
  EXPECT_EQ(train->Position.Line->Id, 4);
}

// A list that grows from the heap onto mappings of its own and shrinks back
// keeps what it holds at every step.
TEST(ObjectBlocks, LargeListsKeepTheirElementsAcrossTheirMemory) {
  std::vector<uint64_t, TLargeAllocator<uint64_t>> list;
  for (uint64_t i = 0; i < 3 * kHugePage / sizeof(uint64_t); ++i) {
    list.push_back(i * 7);
  }
  list.resize(1000);
  list.shrink_to_fit();
  for (uint64_t i = 0; i < list.size(); ++i) ASSERT_EQ(list[i], i * 7);
}

}  // namespace

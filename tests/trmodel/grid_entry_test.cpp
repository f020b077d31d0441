#include "grid_entry.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Every key up to the largest and every address of the heap come back
// whole, neither spilling into the other.
TEST(GridEntry, KeepsKeyAndObjectInTwelveBytes) {
  static_assert(sizeof(TGridEntry<int>) == 12);
  std::vector<std::unique_ptr<int>> objects;
  for (int i = 0; i < 64; ++i) objects.push_back(std::make_unique<int>(i));
  const uint64_t keys[] = {0,
                           1,
                           uint64_t{0xFFFF} << 32,
                           0xFFFFFFFF,
                           TGridEntry<int>::kMaxKey,
                           0x123456789ABC};
  for (const uint64_t key : keys) {
    for (const auto& object : objects) {
      const TGridEntry<int> entry(key, object.get());
      EXPECT_EQ(entry.Key(), key);
      EXPECT_EQ(entry.Object(), object.get());
    }
  }
  int onStack = 0;
  const TGridEntry<int> entry(TGridEntry<int>::kMaxKey, &onStack);
  EXPECT_EQ(entry.Object(), &onStack);
  EXPECT_EQ(TGridEntry<int>().Object(), nullptr);
}

}  // namespace

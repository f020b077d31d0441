#include "pointer_set.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace {

// Insertions and erasures at random, among few enough objects that their
// places in the table collide and wrap around its end, answer as a set does:
// an erasure must move every item that its hole would hide.
TEST(PointerSetTest, AnswersAsASetThroughInsertionsAndErasures) {
  std::vector<int> objects(300);
  std::mt19937 rng(7);
  TPointerSet<int> set;
  std::set<int*> expected;
  for (int step = 0; step < 20000; ++step) {
    int* object = &objects[rng() % objects.size()];
    if (rng() % 3 == 0) {
      EXPECT_EQ(set.Erase(object), expected.erase(object) == 1);
    } else {
      EXPECT_EQ(set.Insert(object), expected.insert(object).second);
    }
    ASSERT_EQ(set.Size(), expected.size());
    if (step % 97 == 0) {
      for (int& other : objects) {
        ASSERT_EQ(set.Contains(&other), expected.count(&other) == 1);
      }
      std::set<int*> visited;
      set.ForEach([&](int* Item) { EXPECT_TRUE(visited.insert(Item).second); });
      EXPECT_EQ(visited, expected);
    }
  }
  TPointerSet<int> copy = set;
  EXPECT_TRUE(copy == set);
  copy.Erase(*expected.begin());
  EXPECT_FALSE(copy == set);
  EXPECT_FALSE(set.Insert(nullptr));
  EXPECT_FALSE(set.Contains(nullptr));
}

}  // namespace

#include "cell_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

// Cells filled and emptied at random, past many moves and packings, hold
// what a vector for each cell would hold.
TEST(CellStore, KeepsEveryCellThroughMovesAndPacking) {
  constexpr size_t kCells = 97;
  TCellStore<int> store(kCells);
  std::vector<std::vector<int>> expected(kCells);
  std::mt19937 random(7);
  std::vector<uint32_t> more(kCells, 3);
  store.Reserve(more);
  for (int step = 0; step < 200000; ++step) {
    const size_t cell = random() % kCells;
    auto& list = expected[cell];
    if (list.empty() || random() % 3 != 0) {
      store.Push(cell, step);
      list.push_back(step);
    } else {
      const int wanted = list[random() % list.size()];
      const auto taken =
          store.Take(cell, [&](int Entry) { return Entry == wanted; });
      ASSERT_TRUE(taken.has_value());
      EXPECT_EQ(*taken, wanted);
      list.erase(std::find(list.begin(), list.end(), wanted));
    }
  }
  for (size_t cell = 0; cell < kCells; ++cell) {
    const auto run = store.Cell(cell);
    std::vector<int> held(run.begin(), run.end());
    std::sort(held.begin(), held.end());
    EXPECT_EQ(held, expected[cell]) << "cell " << cell;
    EXPECT_FALSE(store.Take(cell, [](int Entry) { return Entry < 0; }));
  }
}

}  // namespace

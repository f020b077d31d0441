#include "node_key_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Keys in a row share runs of slots; keys that all fall on the same place
// in a run, and keys at both ends of the range, must still find their own.
TEST(NodeKeyTable, EveryKeyFindsTheNodeItFirstGot) {
  std::vector<int64_t> keys;
  for (int64_t i = 0; i < 3000; ++i) keys.push_back(i);
  for (int64_t i = 1; i <= 3000; ++i) keys.push_back(i * 8 << 20);
  for (int64_t i = 1; i <= 3000; ++i) keys.push_back(-i);
  keys.push_back(INT64_MIN);
  keys.push_back(INT64_MAX);
  TNodeKeyTable table(keys.size());
  std::vector<int64_t> given;
  for (const int64_t key : keys) {
    bool added = false;
    const auto node = static_cast<uint32_t>(given.size());
    ASSERT_EQ(table.Find(key, given, node, added), node);
    ASSERT_TRUE(added);
    given.push_back(key);
  }
  for (size_t i = 0; i < keys.size(); ++i) {
    bool added = true;
    ASSERT_EQ(table.Find(keys[i], given, 0, added), i) << keys[i];
    ASSERT_FALSE(added);
  }
}

}  // namespace

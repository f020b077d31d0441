#include "line_index.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "map_objects.h"
#include "object_blocks.h"

namespace {

// Identifiers in every place the index may keep them: one beyond the reach
// of the table by position when it comes, then so many small ones that the
// table grows past it; one shared by a track and a wall; negative ones and
// the extremes.
TEST(LineIndex, FindsEveryLineWhereverItsIdentifierPutsIt) {
  struct TEntry {
    int32_t Id;
    bool Wall;
    TOwned<TTrLine> Line;
  };
  std::vector<TEntry> entries;
  const auto add = [&](int32_t Id, bool Wall) {
    TOwned<TTrLine> line;
    if (Wall) {
      line = MakeOwned<TWall>(nullptr, nullptr);
    } else {
      line = MakeOwned<TTrack>(nullptr, nullptr);
    }
    entries.push_back({Id, Wall, std::move(line)});
  };
  add(100000, false);
  for (int32_t id = 0; id < 20000; ++id) add(id, id % 5 == 0);
  add(7, true);
  add(-5, false);
  add(std::numeric_limits<int32_t>::max(), true);
  add(std::numeric_limits<int32_t>::min(), false);

  TLineIndex index;
  for (const TEntry& entry : entries) {
    ASSERT_EQ(index.Find(entry.Id, entry.Wall), nullptr) << entry.Id;
    index.Add(entry.Id, entry.Wall, entry.Line.get());
  }
  for (const TEntry& entry : entries) {
    EXPECT_EQ(index.Find(entry.Id, entry.Wall), entry.Line.get())
        << entry.Id << (entry.Wall ? " wall" : " track");
  }
  EXPECT_EQ(index.Find(100000, true), nullptr);
  EXPECT_EQ(index.Find(20000, false), nullptr);
  EXPECT_EQ(index.Find(-6, false), nullptr);
}

}  // namespace

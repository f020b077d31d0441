#include "osm_generator.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "map_import.h"
#include "structure_check.h"
#include "train_structure.h"

// The benchmark's data imports as it is meant to: every node a point, the
// runs unbroken, each crossover a switch at both ends.
TEST(OsmGenerator, RunsJoinedByCrossoversImportAsSwitches) {
  const std::string name =
      "/tmp/trn-osm-generator-" + std::to_string(::getpid()) + ".osm.pbf";
  WriteOsmPbf(name, 2500);  // runs of 1000, 1000 and 500 nodes
  EXPECT_EQ(OsmPbfWays(2500), 5u);
  ASSERT_EQ(DetectImportFormat(name), TImportFormat::OsmPbf);
  TTrainStructureSV map;
  const TImportResult result = ImportMap(name, {}, map);
  std::remove(name.c_str());
  EXPECT_TRUE(result.Reports.empty());
  EXPECT_TRUE(CheckStructure(map).empty());
  EXPECT_EQ(map.Points.size(), 2500u);
  EXPECT_EQ(map.Tracks.size(), 999u + 999u + 499u + 2u);
  size_t switches = 0;
  for (const auto& point : map.Points) switches += point->LineCount() == 3;
  EXPECT_EQ(switches, 4u);
}

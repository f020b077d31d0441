// Writing a map and reading it back gives the same map; writing that again
// gives the same bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "file_access.h"
#include "map_builder.h"
#include "map_dump.h"
#include "map_generator.h"
#include "map_reader.h"
#include "map_rows.h"
#include "map_writer.h"
#include "structure_check.h"
#include "temp_folder.h"
#include "train_structure.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;

// The dump with lines sorted by kind and Id: the reader lists lines in the
// order the points first name them, which need not be the order they were
// made in.
std::string Normalized(const TTrainStructureSV& Map) {
  std::istringstream dump(DumpMap(Map));
  std::vector<std::string> others;
  std::vector<std::string> lines;
  for (std::string row; std::getline(dump, row);) {
    const bool isLine = row.starts_with("track ") || row.starts_with("wall ");
    (isLine ? lines : others).push_back(row);
  }
  std::sort(lines.begin(), lines.end());
  std::string text;
  for (const auto& row : others) text += row + "\n";
  for (const auto& row : lines) text += row + "\n";
  return text;
}

int32_t LargestLineId(const TTrainStructureSV& Map) {
  int32_t largest = -1;
  for (const auto& t : Map.Tracks) largest = std::max(largest, t->Id);
  for (const auto& w : Map.Walls) largest = std::max(largest, w->Id);
  return largest;
}

void ExpectRoundTrip(TTrainStructureSV& Map) {
  TTempFolder folder;
  Map.SaveToFile(folder / "map.trn");
  TTrainStructureSV loaded;
  loaded.LoadFromFile(folder / "map.trn");

  EXPECT_TRUE(CheckStructure(loaded).empty()) << test_maps::Problems(loaded);
  Map.NextId = LargestLineId(Map) + 1;  // what a file can tell of it
  EXPECT_EQ(Normalized(loaded), Normalized(Map));

  // The track properties come in the order the points name the tracks, so
  // a map that was made in another order is written alike from the second
  // save on.
  const std::string second = WriteMap(loaded);
  TTrainStructureSV reloaded;
  ReadMap(second, reloaded);
  const bool same = WriteMap(reloaded) == second;
  EXPECT_TRUE(same);
}

TEST(RoundTrip, KeepsSwitchesWallsPropertiesAndTrains) {
  TTrainStructureSV map;
  TTrLine* entry = Build(map, 0, 0, 100, 0);
  TTrLine* main = BuildFrom(map, entry->P2, 200, 0);
  TTrLine* side = BuildFrom(map, entry->P2, 200, 40);
  BuildFrom(map, side->P2, 300, 40);
  map.RotateSwitch(entry->P2);  // an entry other than the first line built
  static_cast<TTrack*>(main)->Poles = 2;
  static_cast<TTrack*>(side)->Platform = 1;
  TTrLine* wall = Build(map, 0, -20, 100, -20, test_maps::Kind::Wall);
  BuildFrom(map, wall->P2, 100, -60, test_maps::Kind::Wall);
  wall->P1->Pos.Z = 4;
  map.AddTrain(MakeOwned<TTrain>(main, 2, 50));
  map.AddTrain(MakeOwned<TTrain>(side, 1, 75));
  ASSERT_TRUE(CheckStructure(map).empty());

  ExpectRoundTrip(map);
  // Made in the order its points name its tracks, it is written alike at
  // once.
  TTrainStructureSV loaded;
  const std::string first = WriteMap(map);
  ReadMap(first, loaded);
  EXPECT_EQ(WriteMap(loaded), first);
}

TEST(RoundTrip, KeepsALargeGeneratedMap) {
  const auto map = GenerateMap(3000);
  ExpectRoundTrip(*map);
}

// A text larger than the writer's pieces comes out whole from each way of
// writing it: handed on in pieces, from the rows, and saved.
TEST(RoundTrip, AMapOfManyPiecesIsWrittenAsOneText) {
  const auto map = GenerateMap(50000);
  const std::string whole = WriteMap(*map);
  ASSERT_GT(whole.size(), size_t{2} << 20);
  std::string joined;
  size_t pieces = 0;
  const auto collect = [&](std::string_view Piece) {
    joined += Piece;
    ++pieces;
  };
  WriteMap(*map, collect);
  EXPECT_GT(pieces, 2u);
  EXPECT_EQ(joined, whole);
  TMapRows rows;
  TRowsCopy(*map, rows).Finish();
  joined.clear();
  WriteMap(rows, collect);
  EXPECT_EQ(joined, whole);
  TTempFolder folder;
  map->SaveToFile(folder / "map.trn");
  EXPECT_EQ(ReadWholeFile(folder / "map.trn", SystemFileSystem()), whole);
}

TEST(RoundTrip, ReadsWhatWasWrittenAfterEditing) {
  // Deleting leaves gaps in the Ids and points whose first line changed.
  const auto map = GenerateMap(1000);
  for (size_t i = 0; i < map->Points.size(); i += 7) {
    map->DeletePoint(map->Points[i].get());
  }
  ASSERT_TRUE(CheckStructure(*map).empty());
  ExpectRoundTrip(*map);
}

TEST(RoundTrip, KeepsLinesMadeAfterTheLargestIdentifier) {
  // Track 2147483647 from point 0 to point 1, track 1 from point 1 on.
  TTrainStructureSV map;
  ReadMap(
      "PNT 3\r\n"
      "   0    0    0    0 0 2147483647 1 -1 0 -1 0 \r\n"
      "   1  100    0    0 0 2147483647 2 1 1 -1 0 \r\n"
      "   2  200    0    0 0 1 2 -1 0 -1 0 \r\n",
      map);
  TTrLine* first = BuildFrom(map, map.Points[2].get(), 300, 0);
  TTrLine* second = BuildFrom(map, first->P2, 400, 0);
  EXPECT_EQ(first->Id, 2);
  EXPECT_EQ(second->Id, 3);

  TTempFolder folder;
  map.SaveToFile(folder / "map.trn");
  TTrainStructureSV loaded;
  loaded.LoadFromFile(folder / "map.trn");
  EXPECT_EQ(loaded.Tracks.size(), 4u);
  EXPECT_TRUE(CheckStructure(loaded).empty()) << test_maps::Problems(loaded);
  EXPECT_EQ(Normalized(loaded), Normalized(map));
}

// Where each point of Map lies and how long each train is, in list order.
std::vector<double> Reals(const TTrainStructureSV& Map) {
  std::vector<double> reals;
  for (const auto& point : Map.Points) {
    reals.insert(reals.end(), {point->Pos.X, point->Pos.Y, point->Pos.Z});
  }
  for (const auto& train : Map.Trains) reals.push_back(train->Length);
  return reals;
}

TEST(RoundTrip, KeepsCoordinatesAndLengthsToTheMillimetre) {
  TTrainStructureSV map;
  TTrLine* entry = Build(map, -0.4, 12.5, 1e6 + 0.001, -7.0004);
  BuildFrom(map, entry->P2, 1e6 + 4.5, 0.125);
  BuildFrom(map, entry->P2, 1e6 + 4.5, -4.5);
  map.SetPointHeight(entry->P1, 2.345);
  map.AddTrain(MakeOwned<TTrain>(entry, 1, 49.75));
  map.AddTrain(MakeOwned<TTrain>(entry, 2, 50.0004));
  const std::string text = WriteMap(map);
  TTrainStructureSV loaded;
  ReadMap(text, loaded);
  EXPECT_TRUE(CheckStructure(loaded).empty()) << test_maps::Problems(loaded);
  EXPECT_EQ(WriteMap(loaded), text);

  // What lies on a millimetre reads back as if drawn there; the rest lies
  // within half a millimetre of it and reads back as that millimetre.
  const std::vector<double> expected{
      -0.4,  12.5, 2.345,     1000000.001, -7, 0,     1e6 + 4.5,
      0.125, 0,    1e6 + 4.5, -4.5,        0,  49.75, 50};
  const std::vector<double> read = Reals(loaded);
  ASSERT_EQ(read.size(), expected.size());
  for (size_t i = 0; i < read.size(); ++i) {
    const double drawn =
        i + 2 < read.size() ? TTrPoint(expected[i], 0, 0).Pos.X : expected[i];
    EXPECT_EQ(read[i], drawn) << i;
  }
}

// Coordinates and lengths of every size, with a sign of either kind: each
// reads back within a millimetre, and the map read writes the same text.
TEST(RoundTrip, ReadsEveryRealBackWithinAMillimetreAndWritesItAlike) {
  std::mt19937_64 random(23);
  std::uniform_real_distribution<double> significand(1.0, 2.0);
  std::uniform_int_distribution<int> exponent(-12, 56);
  const auto any = [&] {
    const double value = std::ldexp(significand(random), exponent(random));
    return random() % 2 == 0 ? value : -value;
  };
  TTrainStructureSV map;
  TTrLine* line = Build(map, any(), any(), any(), any());
  for (int i = 0; i < 3000; ++i) {
    line = BuildFrom(map, line->P2, any(), any());
    // A height as a file gives it, rounded as positions are.
    map.SetPointHeight(line->P2, TTrPoint(0, 0, any()).Pos.Z);
    map.AddTrain(MakeOwned<TTrain>(line, 1, std::fabs(any())));
  }
  const std::string text = WriteMap(map);
  TTrainStructureSV loaded;
  ReadMap(text, loaded);
  EXPECT_EQ(WriteMap(loaded), text);
  const std::vector<double> drawn = Reals(map);
  const std::vector<double> read = Reals(loaded);
  ASSERT_EQ(read.size(), drawn.size());
  int far = 0;
  for (size_t i = 0; i < read.size(); ++i) {
    if (!(std::fabs(read[i] - drawn[i]) <= 0.001)) ++far;
  }
  EXPECT_EQ(far, 0);
}

}  // namespace

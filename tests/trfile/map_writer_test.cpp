#include "map_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "map_builder.h"
#include "temp_folder.h"
#include "train_structure.h"

namespace {

using test_maps::Build;

// Builds the map of the worked example of the file format: points 0 and 1
// joined by track 2, and a train on it.
void BuildWorkedExample(TTrainStructureSV& Map) {
  TTrLine* line = Build(Map, 0, 0, 120, -35.5);
  auto* track = static_cast<TTrack*>(line);
  track->Poles = 1;
  track->Platform = 1;
  Map.AddTrain(MakeOwned<TTrain>(line, 1, 50.0));
}

TEST(MapWriter, WritesTheWorkedExampleByteForByte) {
  TTrainStructureSV map;
  BuildWorkedExample(map);
  TTempFolder folder;
  map.SaveToFile(folder / "example.trn");
  EXPECT_EQ(ReadBytes(folder / "example.trn"),
            "PNT 2\r\n"
            "   0    0    0    0 0 2 1 -1 0 -1 0 \r\n"
            "   1  120 -35.5    0 0 2 2 -1 0 -1 0 \r\n"
            "TRK 1\r\n"
            "   2 1 1 \r\n"
            "TRN 1\r\n"
            "   2 1   50\r\n");
}

TEST(MapWriter, WritesAnEmptyMapAsAnEmptyFile) {
  TTrainStructureSV map;
  EXPECT_EQ(WriteMap(map), "");
  TTempFolder folder;
  WriteBytes(folder / "old.trn", "PNT 1\r\n");
  map.SaveToFile(folder / "old.trn");
  EXPECT_EQ(ReadBytes(folder / "old.trn"), "");
}

// The X field of a point at X, with the space after it, to see a real in
// place.
std::string XField(double X) {
  TTrainStructureSV map;
  map.AddPoint(MakeOwned<TTrPoint>(X, 0, 0));
  const std::string text = WriteMap(map);
  const size_t from = 7 + 5;  // after "PNT 1\r\n" and the Id
  return text.substr(
      from, text.find(' ', text.find_first_not_of(' ', from)) - from + 1);
}

TEST(MapWriter, WritesWholeMillimetresAsWholeNumbersAndOthersWithDecimals) {
  // The whole point line keeps its form; only the field grows.
  TTrainStructureSV map;
  map.AddPoint(MakeOwned<TTrPoint>(12.5, 0, 0));
  EXPECT_EQ(WriteMap(map),
            "PNT 1\r\n   0 12.5    0    0 1 -1 0 -1 0 -1 0 \r\n");
  // Up to three decimals, no trailing zeros, padded to four characters.
  EXPECT_EQ(XField(-12.5), "-12.5 ");
  EXPECT_EQ(XField(2.5), " 2.5 ");
  EXPECT_EQ(XField(-0.4), "-0.4 ");
  EXPECT_EQ(XField(1.05), "1.05 ");
  EXPECT_EQ(XField(123456.49), "123456.49 ");
  EXPECT_EQ(XField(1e6 + 0.001), "1000000.001 ");
  EXPECT_EQ(XField(-7.12345), "-7.123 ");
  // Rounded to the millimetre with halves away from zero, as whole numbers
  // are: 62.5 mm is exact in binary; so is 12.9375.
  EXPECT_EQ(XField(0.0625), "0.063 ");
  EXPECT_EQ(XField(-0.0625), "-0.063 ");
  EXPECT_EQ(XField(12.9375), "12.938 ");
  // Whole at the millimetre: as a whole number, the minus of a negative
  // that rounds to 0 kept, as before.
  EXPECT_EQ(XField(12.0004), "  12 ");
  EXPECT_EQ(XField(12.9996), "  13 ");
  EXPECT_EQ(XField(-12.9996), " -13 ");
  EXPECT_EQ(XField(-0.0004), "  -0 ");
  EXPECT_EQ(XField(-0.0), "  -0 ");
  EXPECT_EQ(XField(-1234), "-1234 ");
  // Where a double's steps are coarser than a millimetre, the value is
  // written to the millimetre nearest: 2^30 + 2^-9 here.
  EXPECT_EQ(XField(0x1p30 + 0x1p-9), "1073741824.002 ");
}

TEST(MapWriter, WritesWholeRealsBeyondEveryIntegerTypeExactly) {
  TTrainStructureSV map;
  TTrLine* line = Build(map, 0, 0, 0x1p100, 0);
  map.AddTrain(MakeOwned<TTrain>(line, 2, 1e22));
  const std::string text = WriteMap(map);
  EXPECT_NE(text.find(" 1267650600228229401496703205376 "), std::string::npos)
      << text;
  EXPECT_NE(text.find("   2 2 10000000000000000000000\r\n"), std::string::npos)
      << text;
}

TEST(MapWriter, WritesTrainLengthsToTheMillimetre) {
  TTrainStructureSV map;
  TTrLine* line = Build(map, 0, 0, 100, 0);
  map.AddTrain(MakeOwned<TTrain>(line, 1, 49.75));
  map.AddTrain(MakeOwned<TTrain>(line, 2, 50.0004));
  // A length that no position rounds, with the last step of a double at
  // half a metre.
  map.AddTrain(MakeOwned<TTrain>(line, 1, 0x1p51 + 0.5));
  const std::string text = WriteMap(map);
  EXPECT_TRUE(
      text.ends_with("TRN 3\r\n"
                     "   2 1 49.75\r\n"
                     "   2 2   50\r\n"
                     "   2 1 2251799813685248.5\r\n"))
      << text;
}

TEST(MapWriter, PadsIdsToFourAndLetsLongerOnesTakeTheirRoom) {
  TTrainStructureSV map;
  map.NextId = 7;
  TTrLine* short_line = Build(map, 0, 0, 1, 0);  // points 7, 8; line 9
  map.NextId = 12345;
  TTrLine* long_line = Build(map, 0, 1, 1, 1);  // 12345, 12346; 12347
  map.AddTrain(MakeOwned<TTrain>(short_line, 1, 50));
  map.AddTrain(MakeOwned<TTrain>(long_line, 2, 50));
  EXPECT_EQ(WriteMap(map),
            "PNT 4\r\n"
            "   7    0    0    0 0 9 1 -1 0 -1 0 \r\n"
            "   8    1    0    0 0 9 2 -1 0 -1 0 \r\n"
            "12345    0    1    0 0 12347 1 -1 0 -1 0 \r\n"
            "12346    1    1    0 0 12347 2 -1 0 -1 0 \r\n"
            "TRK 2\r\n"
            "   9 0 0 \r\n"
            "12347 0 0 \r\n"
            "TRN 2\r\n"
            "   9 1   50\r\n"
            "12347 2   50\r\n");
}

TEST(MapWriter, WritesWallsOnlyThroughTheirPointsAndSwitchesInOrder) {
  TTrainStructureSV map;
  TTrLine* entry = Build(map, 0, 0, 10, 0);        // 0, 1; 2
  test_maps::BuildFrom(map, entry->P2, 20, 0);     // 3; 4
  test_maps::BuildFrom(map, entry->P2, 20, 5);     // 5; 6
  Build(map, 0, 5, 10, 5, test_maps::Kind::Wall);  // 7, 8; 9
  map.Points[4]->Pos.Z = 3;
  EXPECT_EQ(WriteMap(map),
            "PNT 6\r\n"
            "   0    0    0    0 0 2 1 -1 0 -1 0 \r\n"
            "   1   10    0    0 0 2 2 4 1 6 1 \r\n"
            "   3   20    0    0 0 4 2 -1 0 -1 0 \r\n"
            "   5   20    5    0 0 6 2 -1 0 -1 0 \r\n"
            "   7    0    5    3 1 9 1 -1 0 -1 0 \r\n"
            "   8   10    5    0 1 9 2 -1 0 -1 0 \r\n"
            "TRK 3\r\n"
            "   2 0 0 \r\n"
            "   4 0 0 \r\n"
            "   6 0 0 \r\n");
}

TEST(MapWriter, LeavesOutTrainsThatStandOnNoTrack) {
  TTrainStructureSV map;
  TTrLine* wall = Build(map, 0, 0, 10, 0, test_maps::Kind::Wall);
  map.AddTrain(MakeOwned<TTrain>(wall, 1, 50));
  map.AddTrain(MakeOwned<TTrain>(nullptr, 1, 50));
  const std::string text = WriteMap(map);
  EXPECT_EQ(text.find("TRN"), std::string::npos) << text;
}

}  // namespace

// Every map file in the maps folder is loaded and compared with what is
// expected of it: NAME.expected holds the dump of the loaded map and, when
// the load fails, a last line "error: MESSAGE"; NAME.saved, where present,
// holds the exact bytes that saving the loaded map writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "map_dump.h"
#include "map_reader.h"
#include "map_rows.h"
#include "map_writer.h"
#include "structure_check.h"
#include "temp_folder.h"
#include "text_pieces.h"
#include "train_structure.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> MapFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(TRFILE_MAPS_DIR)) {
    if (entry.path().extension() == ".trn") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The dump of the map that Load loads, with the error line if any.
template <typename TLoad>
std::string LoadAndDescribe(TTrainStructureSV& Map, TLoad Load) {
  std::string error;
  try {
    Load();
  } catch (const std::exception& failure) {
    error = failure.what();
  }
  std::string text = DumpMap(Map);
  if (!error.empty()) text += "error: " + error + "\n";
  return text;
}

TEST(MapFiles, EachLoadsAsExpectedAndSavesStably) {
  const std::vector<fs::path> files = MapFiles();
  ASSERT_GE(files.size(), 20u) << "maps folder not found: " << TRFILE_MAPS_DIR;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    fs::path expected = file;
    expected.replace_extension(".expected");
    ASSERT_TRUE(fs::exists(expected));

    TTrainStructureSV map;
    const std::string description = ReadBytes(expected.string());
    EXPECT_EQ(LoadAndDescribe(map, [&] { map.LoadFromFile(file.string()); }),
              description);
    EXPECT_TRUE(CheckStructure(map).empty());

    // Read as it comes, piece by piece, the file gives the same.
    TTrainStructureSV streamed;
    TPieces pieces(ReadBytes(file.string()));
    EXPECT_EQ(LoadAndDescribe(streamed, [&] { ReadMap(pieces, streamed); }),
              description);

    const std::string saved = WriteMap(map);
    // A copy of the map's rows, as recovery keeps it, writes the same.
    TMapRows rows;
    TakeRows(map, rows);
    EXPECT_EQ(WriteMap(rows), saved);
    fs::path savedFile = file;
    savedFile.replace_extension(".saved");
    if (fs::exists(savedFile)) {
      EXPECT_EQ(saved, ReadBytes(savedFile.string()));
    }

    // Whatever was loaded, saving it and loading that gives the same map.
    TTrainStructureSV again;
    ReadMap(saved, again);
    EXPECT_EQ(WriteMap(again), saved);
  }
}

// The size a source gives is only a guess to make room by: one far larger
// than any memory, as a sparse file's, still loads what is there.
TEST(MapFiles, ASizeBeyondAnyMemoryStillLoads) {
  class TClaimsTooMuch : public TPieces {
   public:
    using TPieces::TPieces;
    size_t SizeHint() const override { return size_t{1} << 60; }
  } text("PNT 1\r\n   0    5    7    0 0 -1 0 -1 0 -1 0 \r\n");
  TTrainStructureSV map;
  ReadMap(text, map);
  ASSERT_EQ(map.Points.size(), 1u);
  EXPECT_EQ(map.Points[0]->Pos.X, 5.0);
}

}  // namespace

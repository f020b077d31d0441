// The recovery store and what reads it back: a kept map reopens as it was,
// a failed or cut-short keep never replaces a whole copy, and damaged
// entries give what could be read and say why.

#include "recovery_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>

#include "map_builder.h"
#include "map_generator.h"
#include "map_writer.h"
#include "recovery_entry.h"
#include "temp_folder.h"
#include "train_structure.h"

namespace {

namespace fs = std::filesystem;
using test_maps::Build;

// A file system whose disk is full, or which cannot put an info file in
// place: what a crash between the copy and its info leaves is the same.
class TTroubledFileSystem : public TFileSystem {
 public:
  bool DiskFull = false;
  bool InfoStuck = false;

  ssize_t Write(int Fd, const void* Buffer, size_t Count) override {
    if (!DiskFull) return TFileSystem::Write(Fd, Buffer, Count);
    errno = ENOSPC;
    return -1;
  }
  int Rename(const char* From, const char* To) override {
    if (!InfoStuck || !std::string(To).ends_with(".info")) {
      return TFileSystem::Rename(From, To);
    }
    errno = EIO;
    return -1;
  }
};

class RecoveryStoreTest : public ::testing::Test {
 protected:
  TTempFolder Folder;
  TTroubledFileSystem Files;
  TRecoveryStore Store{Folder.Path().string(), Files};

  void Keep(int Entry, const TTrainStructureSV& Map,
            const TRecoveryInfo& Info = {}) {
    std::unique_ptr<TMapRows> rows = Store.FreeRows();
    TakeRows(Map, *rows);
    Store.Keep(Entry, std::move(rows), Info);
    Store.Flush();
  }
  std::string Path(const std::string& Name) const { return Folder / Name; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(Folder.Path())) {
      names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(RecoveryStoreTest, AKeptMapReadsBackWithItsNameViewAndNextId) {
  TTrainStructureSV map;
  Build(map, 0, 0, 100, 0);
  map.SetNextId(40);
  TRecoveryInfo info;
  info.FileName = "/maps/50% off\n\xC3\xA9t\xC3\xA9.TRN";
  info.NextId = map.NextId;
  info.Scale = 0.1;
  info.OriginX = -7;
  info.OriginY = 2147483647;
  info.GridSpacing = 12.5;
  Keep(3, map, info);
  EXPECT_EQ(Store.Failure(3), "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"3-1.TRN", "3.info"}));

  TRecoveredMap read = ReadRecoveryEntry(Folder.Path().string(), 3);
  EXPECT_EQ(read.Error, "");
  EXPECT_EQ(WriteMap(*read.Map), WriteMap(map));
  EXPECT_EQ(read.Map->NextId, 40);
  EXPECT_EQ(read.Info.FileName, info.FileName);
  EXPECT_EQ(read.Info.Scale, 0.1);
  EXPECT_EQ(read.Info.OriginX, -7);
  EXPECT_EQ(read.Info.OriginY, 2147483647);
  EXPECT_EQ(read.Info.GridSpacing, 12.5);

  // A new copy replaces the old one; dropping leaves nothing.
  Build(map, 0, 50, 100, 50);
  Keep(3, map, info);
  EXPECT_EQ(Names(), (std::vector<std::string>{"3-2.TRN", "3.info"}));
  EXPECT_EQ(WriteMap(*ReadRecoveryEntry(Folder.Path().string(), 3).Map),
            WriteMap(map));
  Store.Drop(3);
  Store.Flush();
  EXPECT_TRUE(Names().empty());
}

TEST_F(RecoveryStoreTest, AFailedKeepLeavesTheEarlierCopyInForce) {
  TTrainStructureSV map;
  Build(map, 0, 0, 100, 0);
  Keep(1, map);
  const std::string kept = WriteMap(map);
  Build(map, 0, 50, 100, 50);

  Files.InfoStuck = true;
  Keep(1, map);
  EXPECT_NE(Store.Failure(1), "");
  Files.InfoStuck = false;
  Files.DiskFull = true;
  Keep(1, map);
  EXPECT_EQ(Store.Failure(1), "Disk full");
  EXPECT_EQ(Names(), (std::vector<std::string>{"1-1.TRN", "1.info"}));
  EXPECT_EQ(WriteMap(*ReadRecoveryEntry(Folder.Path().string(), 1).Map), kept);

  Files.DiskFull = false;
  Keep(1, map);
  EXPECT_EQ(Store.Failure(1), "");
  EXPECT_EQ(WriteMap(*ReadRecoveryEntry(Folder.Path().string(), 1).Map),
            WriteMap(map));
}

TEST_F(RecoveryStoreTest, HandedOverFilesGoOnceKeptOrOnlyWhenDropped) {
  for (const char* name : {"old-a", "old-b"}) WriteBytes(Path(name), "x");
  TTrainStructureSV map;
  Store.HandOver(9, {Path("old-a")}, false);
  Store.HandOver(10, {Path("old-b")}, true);
  Keep(9, map);
  Keep(10, map);
  EXPECT_FALSE(fs::exists(Path("old-a")));
  EXPECT_TRUE(fs::exists(Path("old-b")));
  EXPECT_EQ(RecoveryEntries(Folder.Path().string()), (std::vector<int>{9, 10}));
  Store.Drop(10);
  Store.Flush();
  EXPECT_FALSE(fs::exists(Path("old-b")));
  EXPECT_EQ(RecoveryEntries(Folder.Path().string()), std::vector<int>{9});
}

TEST(MapRows, ALargeMapTakenInStepsOrAtOnceWritesAsTheMap) {
  const auto map = GenerateMap(50000);
  const std::string text = WriteMap(*map);
  TMapRows rows;
  TRowsCopy copy(*map, rows);
  int steps = 1;
  while (!copy.Step(1)) ++steps;
  EXPECT_GT(steps, 5);
  EXPECT_EQ(WriteMap(rows), text);
  TMapRows atOnce;
  TakeRows(*map, atOnce);
  EXPECT_EQ(WriteMap(atOnce), text);
}

// Entry 1 of Folder, given its info and a copy of a map of two tracks.
TRecoveredMap ReadDamaged(const TTempFolder& Folder, const std::string& Info,
                          const std::string& Copy) {
  WriteBytes(Folder / "1.info", Info);
  TTrainStructureSV map;
  Build(map, 0, 0, 100, 0);
  Build(map, 0, 50, 100, 50);
  WriteBytes(Folder / Copy, WriteMap(map));
  return ReadRecoveryEntry(Folder.Path().string(), 1);
}

TEST(RecoveryEntry, ADamagedEntryGivesWhatCouldBeReadAndWhy) {
  {
    // The info is gone to garbage: the newest copy there is is read.
    TTempFolder folder;
    WriteBytes(folder / "1-1.TRN", "");
    const TRecoveredMap read = ReadDamaged(folder,
                                           "\x7F"
                                           "ELF",
                                           "1-2.TRN");
    EXPECT_EQ(read.Error,
              "Recovery file " + folder / "1.info" + ": Damaged recovery file");
    EXPECT_EQ(read.Map->Tracks.size(), 2u);
    EXPECT_EQ(read.Files.size(), 3u);
  }
  {
    // A copy shorter than the info says is read as far as it goes.
    TTempFolder folder;
    const TRecoveredMap read = ReadDamaged(
        folder, "TRN recovery 1\nmap 1-1.TRN\nbytes 9999\n", "1-1.TRN");
    EXPECT_EQ(read.Error, "Recovery file " + folder / "1-1.TRN" +
                              ": Damaged recovery file");
    EXPECT_EQ(read.Map->Tracks.size(), 2u);
  }
  {
    TTempFolder folder;
    const TRecoveredMap read = ReadDamaged(
        folder, "TRN recovery 2\nmap 1-1.TRN\nbytes 0\nscale 4\n", "1-1.TRN");
    EXPECT_EQ(read.Error, "Recovery file " + folder / "1.info" +
                              ": Recovery file written by a newer version");
    EXPECT_EQ(read.Info.Scale, 4.0);
    EXPECT_EQ(read.Map->Tracks.size(), 2u);
  }
  {
    // A name that leads out of the folder is never followed.
    TTempFolder folder;
    const TRecoveredMap read = ReadDamaged(
        folder, "TRN recovery 1\nmap ../1-1.TRN\nbytes 0\nscale 0\n", "x");
    EXPECT_EQ(read.Error,
              "Recovery file " + folder / "1.info" + ": Damaged recovery file");
    EXPECT_EQ(read.Info.Scale, 1.0);
    EXPECT_TRUE(read.Map->Points.empty());
    EXPECT_EQ(read.Files, std::vector<std::string>{folder / "1.info"});
  }
}

}  // namespace

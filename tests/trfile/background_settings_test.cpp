#include "background_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "errors.h"
#include "recovery_info.h"
#include "temp_folder.h"

namespace {

TBackgroundSettings Example(const std::string& Picture) {
  TBackgroundSettings settings;
  settings.Picture = Picture;
  settings.Placement = {-12.25, 1e6 / 3, 0.1, -33.5};
  settings.Opacity = 0.4;
  settings.Visible = false;
  return settings;
}

// Saved beside the map and read back exactly; the picture stored relative
// to the map, so that a folder moved whole keeps it; a map without a
// background leaves no file behind.
TEST(BackgroundSettings, SavedBesideTheMapAndReadBackWithTheirPicture) {
  TTempFolder folder;
  std::filesystem::create_directories(folder.Path() / "maps" / "scans");
  const std::string map = folder / "maps/plan.TRN";
  const TBackgroundSettings settings = Example(folder / "maps/scans/a b%.png");
  SaveBackgroundSettings(map, settings);
  const std::string text = ReadBytes(map + ".background");
  EXPECT_TRUE(
      text.starts_with("TRN background 1\npicture scans/a%20b%25.png\n"))
      << text;
  EXPECT_EQ(LoadBackgroundSettings(map), settings);

  std::filesystem::rename(folder.Path() / "maps", folder.Path() / "moved");
  const std::optional<TBackgroundSettings> moved =
      LoadBackgroundSettings(folder / "moved/plan.TRN");
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->Picture, folder / "moved/scans/a b%.png");

  // A picture elsewhere is found from the map's folder too.
  const std::string other = folder / "moved/scans/plan.TRN";
  SaveBackgroundSettings(other, Example(folder / "moved/p.png"));
  EXPECT_EQ(LoadBackgroundSettings(other)->Picture, folder / "moved/p.png");

  SaveBackgroundSettings(other, std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(other + ".background"));
  EXPECT_EQ(LoadBackgroundSettings(other), std::nullopt);
  SaveBackgroundSettings(other, std::nullopt);
}

TEST(BackgroundSettings, DamagedTextIsRefusedWithItsFileNamed) {
  const std::string good =
      "TRN background 1\npicture p.png\nleft 1\ntop 2\nmetres-per-pixel 0.5\n"
      "turn 10\nopacity 0.5\nvisible 1\nlater-key anything\n";
  EXPECT_EQ(ReadBackgroundSettings(good, "/m/x.TRN").Picture, "/m/p.png");
  for (const std::string& damaged :
       {std::string(), std::string("TRN recovery 1\npicture p.png\n"),
        std::string("TRN background 1\nleft 1\n"),
        std::string("TRN background 1\npicture p.png\nopacity 1.5\n"),
        std::string("TRN background 1\npicture p.png\nmetres-per-pixel 0\n"),
        std::string("TRN background 1\npicture p.png\nleft nan\n"),
        std::string("TRN background 1\npicture p.png\nvisible yes\n"),
        std::string("TRN background 1\npicture %4\n")}) {
    try {
      ReadBackgroundSettings(damaged, "/m/x.TRN");
      ADD_FAILURE() << damaged;
    } catch (const EFileError& Error) {
      EXPECT_STREQ(Error.what(),
                   "Damaged background settings in /m/x.TRN.background");
    }
  }
  EXPECT_THROW(ReadBackgroundSettings("TRN background 2\n", "/m/x.TRN"),
               EFileError);
}

// A window's unsaved background comes back from recovery with its map.
TEST(BackgroundSettings, KeptInTheRecoveryInfo) {
  TRecoveryInfo info;
  info.MapFile = "3-1.TRN";
  info.Background = Example("/pictures/plan 1.png");
  TRecoveryInfo read;
  ReadRecoveryInfo(WriteRecoveryInfo(info), read);
  EXPECT_EQ(read.Background, info.Background);
  info.Background.reset();
  ReadRecoveryInfo(WriteRecoveryInfo(info), read);
  EXPECT_EQ(read.Background, std::nullopt);
}

}  // namespace

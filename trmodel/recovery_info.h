#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "background_settings.h"
#include "projection_settings.h"

// What reopening a map window as it was needs beyond its map: kept beside
// the map's copy in a recovery folder, as a small text file of its own.
struct TRecoveryInfo {
  // The map file the window shows, as the system names it; empty for a map
  // that has never been saved.
  std::string FileName;
  // The copy of the map in the same folder, and its size in bytes.
  std::string MapFile;
  uint64_t MapBytes = 0;
  // The identifier the next new object gets, which the copy cannot tell.
  int32_t NextId = 0;
  // The window's view.
  double Scale = 1.0;
  int32_t OriginX = 0;
  int32_t OriginY = 0;
  double GridSpacing = 100.0;
  // The window's background, its picture's path absolute: unsaved like
  // the map, so it comes back with it.
  std::optional<TBackgroundSettings> Background;
  // How an imported map's metres go back to longitude and latitude, which a
  // map never saved has nowhere else.
  std::optional<TProjectionSettings> Projection;
};

std::string WriteRecoveryInfo(const TRecoveryInfo& Info);

// Reads what WriteRecoveryInfo wrote into Info. Throws EFileError when the
// text is damaged or was written by a newer version; Info then holds what
// could be read, the rest as it was.
void ReadRecoveryInfo(std::string_view Text, TRecoveryInfo& Info);

// The names of an entry's files in a recovery folder: "N.info", and
// "N-G.TRN" for the G-th copy of its map.
std::string RecoveryInfoName(int Entry);
std::string RecoveryMapName(int Entry, uint64_t Generation);
// The entry an info file's name stands for; -1 for any other name.
int RecoveryEntryOf(std::string_view InfoName);
// The entry and generation a map copy's name stands for; false for any
// name the store does not make, so that a damaged info file never leads to
// a file elsewhere.
bool ParseRecoveryMapName(std::string_view Name, int& Entry,
                          uint64_t& Generation);

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "file_system.h"

// How an imported map's metres go back to longitude and latitude: the
// projected system, as PROJ names it, and the place in it that is the map's
// origin.
struct TProjectionSettings {
  std::string Crs;
  double OriginX = 0.0;
  double OriginY = 0.0;

  bool operator==(const TProjectionSettings&) const = default;
};

// The settings file beside a map: "NAME.TRN" has "NAME.TRN.projection", a
// header line, then "crs", "origin-x" and "origin-y" lines.
std::string ProjectionSettingsName(const std::string& MapFile);
std::string WriteProjectionSettings(const TProjectionSettings& Settings);
// Throws EFileError naming the file when the text is damaged.
TProjectionSettings ReadProjectionSettings(std::string_view Text,
                                           const std::string& FileName);

// Writes the file with the atomic save of the maps; without settings
// removes it. Throws EFileError.
void SaveProjectionSettings(const std::string& MapFile,
                            const std::optional<TProjectionSettings>& Settings,
                            TFileSystem& Files = SystemFileSystem());
// None when the map has no such file. Throws EFileError when it cannot be
// read or is damaged.
std::optional<TProjectionSettings> LoadProjectionSettings(
    const std::string& MapFile, TFileSystem& Files = SystemFileSystem());

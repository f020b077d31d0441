#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "background_placement.h"
#include "file_system.h"

// A map's background: the picture, where it lies, how strongly it shows
// (Opacity from 0, unseen, to 1, as it is) and whether it shows at all.
struct TBackgroundSettings {
  // The picture's file as the system names it.
  std::string Picture;
  TBackgroundPlacement Placement;
  double Opacity = 1.0;
  bool Visible = true;

  bool operator==(const TBackgroundSettings&) const = default;
};

// The settings as lines "KEY VALUE", each key after Prefix, the picture
// written as it is given. ReadBackgroundKey reads one such line's key
// (Prefix taken off) and value into Settings: false for a value that does
// not suit the key, true for a known key read and for a key it does not
// know (Known false), which a newer version may have written.
void AppendBackgroundKeys(std::string& Text,
                          const TBackgroundSettings& Settings,
                          std::string_view Prefix);
bool ReadBackgroundKey(std::string_view Key, std::string_view Value,
                       TBackgroundSettings& Settings, bool& Known);

// The settings file beside a map: "NAME.TRN" has "NAME.TRN.background", a
// header line, then the keys. The picture's path is stored relative to the
// map's folder.
std::string BackgroundSettingsName(const std::string& MapFile);
std::string WriteBackgroundSettings(const TBackgroundSettings& Settings,
                                    const std::string& MapFile);
// Throws EFileError when the text is damaged; a picture's relative path
// comes back as a path from the map's folder.
TBackgroundSettings ReadBackgroundSettings(std::string_view Text,
                                           const std::string& MapFile);

// Writes the settings file of MapFile with the atomic save of the maps, or
// removes it for a map without a background. Throws EFileError.
void SaveBackgroundSettings(const std::string& MapFile,
                            const std::optional<TBackgroundSettings>& Settings,
                            TFileSystem& Files = SystemFileSystem());
// The settings file of MapFile; none when there is none. Throws EFileError
// with the message the user is shown when it cannot be read or is damaged.
std::optional<TBackgroundSettings> LoadBackgroundSettings(
    const std::string& MapFile, TFileSystem& Files = SystemFileSystem());

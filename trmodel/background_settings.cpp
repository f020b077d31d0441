#include "background_settings.h"

#include <filesystem>

#include "errors.h"
#include "file_access.h"
#include "key_value_text.h"

namespace {

// The first line; a version that changes the meaning of a key counts up
// the number, and older versions refuse it.
constexpr std::string_view kHeader = "TRN background ";
constexpr int kVersion = 1;

std::string Key(std::string_view Prefix, std::string_view Name) {
  return std::string(Prefix).append(Name);
}

std::filesystem::path MapFolder(const std::string& MapFile) {
  return std::filesystem::absolute(MapFile).lexically_normal().parent_path();
}

// Relative to the map's folder, so that a folder moved or copied with its
// pictures keeps them.
std::string StoredPicturePath(const std::string& Picture,
                              const std::string& MapFile) {
  const std::filesystem::path picture(Picture);
  if (!picture.is_absolute()) return Picture;
  const std::filesystem::path relative =
      picture.lexically_normal().lexically_relative(MapFolder(MapFile));
  return relative.empty() ? Picture : relative.string();
}

std::string ResolvedPicturePath(const std::string& Stored,
                                const std::string& MapFile) {
  const std::filesystem::path stored(Stored);
  if (stored.is_absolute()) return Stored;
  return (MapFolder(MapFile) / stored).lexically_normal().string();
}

std::string DamagedMessage(const std::string& MapFile) {
  return "Damaged background settings in " + BackgroundSettingsName(MapFile);
}

}  // namespace

void AppendBackgroundKeys(std::string& Text,
                          const TBackgroundSettings& Settings,
                          std::string_view Prefix) {
  Text += Key(Prefix, "picture ") + EscapedText(Settings.Picture) + "\n";
  const TBackgroundPlacement& at = Settings.Placement;
  AppendNumber(Text, Key(Prefix, "left"), at.Left);
  AppendNumber(Text, Key(Prefix, "top"), at.Top);
  AppendNumber(Text, Key(Prefix, "metres-per-pixel"), at.MetresPerPixel);
  AppendNumber(Text, Key(Prefix, "turn"), at.Turn);
  AppendNumber(Text, Key(Prefix, "opacity"), Settings.Opacity);
  AppendNumber(Text, Key(Prefix, "visible"), Settings.Visible ? 1 : 0);
}

bool ReadBackgroundKey(std::string_view Key, std::string_view Value,
                       TBackgroundSettings& Settings, bool& Known) {
  Known = true;
  TBackgroundPlacement& at = Settings.Placement;
  if (Key == "picture") {
    const std::optional<std::string> name = UnescapedText(Value);
    if (!name || name->empty()) return false;
    Settings.Picture = *name;
    return true;
  }
  if (Key == "left") return ParseFinite(Value, at.Left, false);
  if (Key == "top") return ParseFinite(Value, at.Top, false);
  if (Key == "metres-per-pixel") {
    double metres = 0.0;
    if (!ParseFinite(Value, metres, true) || !std::isnormal(metres)) {
      return false;
    }
    at.MetresPerPixel = metres;
    return true;
  }
  if (Key == "turn") return ParseFinite(Value, at.Turn, false);
  if (Key == "opacity") {
    double opacity = 0.0;
    if (!ParseFinite(Value, opacity, false) || opacity < 0.0 || opacity > 1.0) {
      return false;
    }
    Settings.Opacity = opacity;
    return true;
  }
  if (Key == "visible") {
    if (Value != "0" && Value != "1") return false;
    Settings.Visible = Value == "1";
    return true;
  }
  Known = false;
  return true;
}

std::string BackgroundSettingsName(const std::string& MapFile) {
  return MapFile + ".background";
}

std::string WriteBackgroundSettings(const TBackgroundSettings& Settings,
                                    const std::string& MapFile) {
  std::string text(kHeader);
  text += std::to_string(kVersion) + "\n";
  TBackgroundSettings stored = Settings;
  stored.Picture = StoredPicturePath(Settings.Picture, MapFile);
  AppendBackgroundKeys(text, stored, "");
  return text;
}

TBackgroundSettings ReadBackgroundSettings(std::string_view Text,
                                           const std::string& MapFile) {
  const std::vector<std::string_view> lines = SplitLines(Text);
  CheckHeaderLine(lines, kHeader, kVersion, DamagedMessage(MapFile),
                  "The background settings in " +
                      BackgroundSettingsName(MapFile) +
                      " were written by a newer version");
  TBackgroundSettings settings;
  bool damaged = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const auto [key, value] = SplitKeyValue(lines[i]);
    bool known = false;
    damaged = damaged || !ReadBackgroundKey(key, value, settings, known);
  }
  if (damaged || settings.Picture.empty()) {
    throw EFileError(DamagedMessage(MapFile));
  }
  settings.Picture = ResolvedPicturePath(settings.Picture, MapFile);
  return settings;
}

void SaveBackgroundSettings(const std::string& MapFile,
                            const std::optional<TBackgroundSettings>& Settings,
                            TFileSystem& Files) {
  // Without a background there must be no file that would bring one back.
  ReplaceOrRemoveFile(
      BackgroundSettingsName(MapFile),
      Settings ? std::optional(WriteBackgroundSettings(*Settings, MapFile))
               : std::nullopt,
      Files);
}

std::optional<TBackgroundSettings> LoadBackgroundSettings(
    const std::string& MapFile, TFileSystem& Files) {
  const std::optional<std::string> text =
      ReadFileIfPresent(BackgroundSettingsName(MapFile), Files);
  if (!text) return std::nullopt;
  return ReadBackgroundSettings(*text, MapFile);
}

#include "projection_settings.h"

#include <vector>

#include "errors.h"
#include "file_access.h"
#include "key_value_text.h"

namespace {

constexpr std::string_view kHeader = "TRN projection ";
constexpr int kVersion = 1;

}  // namespace

std::string ProjectionSettingsName(const std::string& MapFile) {
  return MapFile + ".projection";
}

std::string WriteProjectionSettings(const TProjectionSettings& Settings) {
  std::string text(kHeader);
  text += std::to_string(kVersion) + "\n";
  text += "crs " + EscapedText(Settings.Crs) + "\n";
  AppendNumber(text, "origin-x", Settings.OriginX);
  AppendNumber(text, "origin-y", Settings.OriginY);
  return text;
}

TProjectionSettings ReadProjectionSettings(std::string_view Text,
                                           const std::string& FileName) {
  const std::string damaged = "Damaged projection settings in " + FileName;
  const std::vector<std::string_view> lines = SplitLines(Text);
  CheckHeaderLine(lines, kHeader, kVersion, damaged,
                  "The projection settings in " + FileName +
                      " were written by a newer version");
  TProjectionSettings settings;
  bool sound = true;
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const auto [key, value] = SplitKeyValue(lines[i]);
    if (key == "crs") {
      const std::optional<std::string> crs = UnescapedText(value);
      sound = sound && crs && !crs->empty();
      if (crs) settings.Crs = *crs;
    } else if (key == "origin-x") {
      sound = sound && ParseFinite(value, settings.OriginX, false);
    } else if (key == "origin-y") {
      sound = sound && ParseFinite(value, settings.OriginY, false);
    }
    // A key a newer version added is passed over.
  }
  if (!sound || settings.Crs.empty()) throw EFileError(damaged);
  return settings;
}

void SaveProjectionSettings(const std::string& MapFile,
                            const std::optional<TProjectionSettings>& Settings,
                            TFileSystem& Files) {
  // A file left from an earlier map of that name would put this one's
  // metres somewhere on Earth they never were.
  ReplaceOrRemoveFile(ProjectionSettingsName(MapFile),
                      Settings
                          ? std::optional(WriteProjectionSettings(*Settings))
                          : std::nullopt,
                      Files);
}

std::optional<TProjectionSettings> LoadProjectionSettings(
    const std::string& MapFile, TFileSystem& Files) {
  const std::string name = ProjectionSettingsName(MapFile);
  const std::optional<std::string> text = ReadFileIfPresent(name, Files);
  if (!text) return std::nullopt;
  return ReadProjectionSettings(*text, name);
}

#include "recovery_info.h"

#include <optional>
#include <vector>

#include "errors.h"
#include "key_value_text.h"

namespace {

// The first line; a later version that changes the meaning of a field
// counts up the number, and older versions refuse it.
constexpr std::string_view kHeader = "TRN recovery ";
constexpr int kVersion = 1;
constexpr std::string_view kBackgroundPrefix = "background-";
constexpr std::string_view kProjectionPrefix = "projection-";

bool IsDigits(std::string_view Text) {
  return !Text.empty() &&
         Text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::string WriteRecoveryInfo(const TRecoveryInfo& Info) {
  std::string text(kHeader);
  text += std::to_string(kVersion) + "\n";
  text += "map " + Info.MapFile + "\n";
  AppendNumber(text, "bytes", Info.MapBytes);
  if (!Info.FileName.empty())
    text += "file " + EscapedText(Info.FileName) + "\n";
  AppendNumber(text, "next-id", Info.NextId);
  AppendNumber(text, "scale", Info.Scale);
  text += "origin " + std::to_string(Info.OriginX) + " " +
          std::to_string(Info.OriginY) + "\n";
  AppendNumber(text, "grid", Info.GridSpacing);
  if (Info.Background) {
    AppendBackgroundKeys(text, *Info.Background, kBackgroundPrefix);
  }
  if (Info.Projection) {
    text += std::string(kProjectionPrefix) + "crs " +
            EscapedText(Info.Projection->Crs) + "\n";
    AppendNumber(text, "projection-origin-x", Info.Projection->OriginX);
    AppendNumber(text, "projection-origin-y", Info.Projection->OriginY);
  }
  return text;
}

void ReadRecoveryInfo(std::string_view Text, TRecoveryInfo& Info) {
  const std::vector<std::string_view> lines = SplitLines(Text);
  int version = 0;
  if (lines.empty() || !lines[0].starts_with(kHeader) ||
      !ParseNumber(lines[0].substr(kHeader.size()), version)) {
    throw EFileError("Damaged recovery file");
  }
  bool damaged = false;
  bool haveMap = false;
  bool haveBytes = false;
  std::optional<TBackgroundSettings> background;
  std::optional<TProjectionSettings> projection;
  for (size_t i = 1; i < lines.size(); ++i) {
    const auto [key, value] = SplitKeyValue(lines[i]);
    bool read = true;
    if (key == "map") {
      int entry = 0;
      uint64_t generation = 0;
      read = haveMap = ParseRecoveryMapName(value, entry, generation);
      if (read) Info.MapFile = value;
    } else if (key == "bytes") {
      read = haveBytes = ParseNumber(value, Info.MapBytes);
    } else if (key == "file") {
      const std::optional<std::string> name = UnescapedText(value);
      read = name.has_value();
      if (read) Info.FileName = *name;
    } else if (key == "next-id") {
      read = ParseNumber(value, Info.NextId);
    } else if (key == "scale") {
      read = ParseFinite(value, Info.Scale, true);
    } else if (key == "origin") {
      const size_t gap = value.find(' ');
      int32_t x = 0;
      int32_t y = 0;
      read = gap != std::string_view::npos &&
             ParseNumber(value.substr(0, gap), x) &&
             ParseNumber(value.substr(gap + 1), y);
      if (read) {
        Info.OriginX = x;
        Info.OriginY = y;
      }
    } else if (key == "grid") {
      read = ParseFinite(value, Info.GridSpacing, true);
    } else if (key.starts_with(kBackgroundPrefix)) {
      if (!background) background.emplace();
      bool known = false;
      read = ReadBackgroundKey(key.substr(kBackgroundPrefix.size()), value,
                               *background, known);
    } else if (key.starts_with(kProjectionPrefix)) {
      if (!projection) projection.emplace();
      const std::string_view field = key.substr(kProjectionPrefix.size());
      if (field == "crs") {
        const std::optional<std::string> crs = UnescapedText(value);
        read = crs && !crs->empty();
        if (read) projection->Crs = *crs;
      } else if (field == "origin-x") {
        read = ParseFinite(value, projection->OriginX, false);
      } else if (field == "origin-y") {
        read = ParseFinite(value, projection->OriginY, false);
      }
    }
    // A key this version does not know is left for the versions that do.
    damaged = damaged || !read;
  }
  if (version > kVersion) {
    throw EFileError("Recovery file written by a newer version");
  }
  if (damaged || !haveMap || !haveBytes ||
      (background && background->Picture.empty()) ||
      (projection && projection->Crs.empty())) {
    throw EFileError("Damaged recovery file");
  }
  Info.Background = background;
  Info.Projection = projection;
}

std::string RecoveryInfoName(int Entry) {
  return std::to_string(Entry) + ".info";
}

std::string RecoveryMapName(int Entry, uint64_t Generation) {
  return std::to_string(Entry) + "-" + std::to_string(Generation) + ".TRN";
}

int RecoveryEntryOf(std::string_view InfoName) {
  constexpr std::string_view kExtension = ".info";
  if (!InfoName.ends_with(kExtension)) return -1;
  InfoName.remove_suffix(kExtension.size());
  int entry = -1;
  if (!IsDigits(InfoName) || !ParseNumber(InfoName, entry)) return -1;
  return entry;
}

bool ParseRecoveryMapName(std::string_view Name, int& Entry,
                          uint64_t& Generation) {
  constexpr std::string_view kExtension = ".TRN";
  if (!Name.ends_with(kExtension)) return false;
  Name.remove_suffix(kExtension.size());
  const size_t dash = Name.find('-');
  if (dash == std::string_view::npos) return false;
  const std::string_view entry = Name.substr(0, dash);
  const std::string_view generation = Name.substr(dash + 1);
  return IsDigits(entry) && IsDigits(generation) && ParseNumber(entry, Entry) &&
         ParseNumber(generation, Generation);
}

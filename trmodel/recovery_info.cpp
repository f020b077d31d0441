#include "recovery_info.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "errors.h"

namespace {

// The first line; a later version that changes the meaning of a field
// counts up the number, and older versions refuse it.
constexpr std::string_view kHeader = "TRN recovery ";
constexpr int kVersion = 1;

bool IsDigits(std::string_view Text) {
  return !Text.empty() &&
         Text.find_first_not_of("0123456789") == std::string_view::npos;
}

// File names may hold any byte but the end of a line may not: spaces,
// controls, "%" and bytes beyond ASCII are written as %XX.
std::string Escaped(std::string_view Text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (const char c : Text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte >= 0x7F || c == '%') {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0xF];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::optional<std::string> Unescaped(std::string_view Text) {
  std::string plain;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != '%') {
      plain += Text[i];
      continue;
    }
    unsigned byte = 0;
    if (i + 2 >= Text.size()) return std::nullopt;
    const auto [end, error] =
        std::from_chars(Text.data() + i + 1, Text.data() + i + 3, byte, 16);
    if (error != std::errc() || end != Text.data() + i + 3) return std::nullopt;
    plain += static_cast<char>(byte);
    i += 2;
  }
  return plain;
}

template <typename Number>
bool Parse(std::string_view Text, Number& Value) {
  Number parsed{};
  const auto [end, error] =
      std::from_chars(Text.data(), Text.data() + Text.size(), parsed);
  if (error != std::errc() || end != Text.data() + Text.size()) return false;
  Value = parsed;
  return true;
}

// A scale or spacing the view can work with.
bool Parse(std::string_view Text, double& Value, bool Positive) {
  double parsed = 0.0;
  if (!Parse(Text, parsed) || !std::isfinite(parsed)) return false;
  if (Positive && !(parsed > 0.0)) return false;
  Value = parsed;
  return true;
}

template <typename Number>
void Append(std::string& Text, std::string_view Key, Number Value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, Value).ptr;
  Text.append(Key).append(" ").append(buffer, end).append("\n");
}

std::vector<std::string_view> Lines(std::string_view Text) {
  std::vector<std::string_view> lines;
  while (!Text.empty()) {
    const size_t end = Text.find('\n');
    lines.push_back(Text.substr(0, end));
    if (end == std::string_view::npos) break;
    Text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

std::string WriteRecoveryInfo(const TRecoveryInfo& Info) {
  std::string text(kHeader);
  text += std::to_string(kVersion) + "\n";
  text += "map " + Info.MapFile + "\n";
  Append(text, "bytes", Info.MapBytes);
  if (!Info.FileName.empty()) text += "file " + Escaped(Info.FileName) + "\n";
  Append(text, "next-id", Info.NextId);
  Append(text, "scale", Info.Scale);
  text += "origin " + std::to_string(Info.OriginX) + " " +
          std::to_string(Info.OriginY) + "\n";
  Append(text, "grid", Info.GridSpacing);
  return text;
}

void ReadRecoveryInfo(std::string_view Text, TRecoveryInfo& Info) {
  const std::vector<std::string_view> lines = Lines(Text);
  int version = 0;
  if (lines.empty() || !lines[0].starts_with(kHeader) ||
      !Parse(lines[0].substr(kHeader.size()), version)) {
    throw EFileError("Damaged recovery file");
  }
  bool damaged = false;
  bool haveMap = false;
  bool haveBytes = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const size_t space = line.find(' ');
    const std::string_view key = line.substr(0, space);
    const std::string_view value = space == std::string_view::npos
                                       ? std::string_view()
                                       : line.substr(space + 1);
    bool read = true;
    if (key == "map") {
      int entry = 0;
      uint64_t generation = 0;
      read = haveMap = ParseRecoveryMapName(value, entry, generation);
      if (read) Info.MapFile = value;
    } else if (key == "bytes") {
      read = haveBytes = Parse(value, Info.MapBytes);
    } else if (key == "file") {
      const std::optional<std::string> name = Unescaped(value);
      read = name.has_value();
      if (read) Info.FileName = *name;
    } else if (key == "next-id") {
      read = Parse(value, Info.NextId);
    } else if (key == "scale") {
      read = Parse(value, Info.Scale, true);
    } else if (key == "origin") {
      const size_t gap = value.find(' ');
      int32_t x = 0;
      int32_t y = 0;
      read = gap != std::string_view::npos && Parse(value.substr(0, gap), x) &&
             Parse(value.substr(gap + 1), y);
      if (read) {
        Info.OriginX = x;
        Info.OriginY = y;
      }
    } else if (key == "grid") {
      read = Parse(value, Info.GridSpacing, true);
    }
    // A key this version does not know is left for the versions that do.
    damaged = damaged || !read;
  }
  if (version > kVersion) {
    throw EFileError("Recovery file written by a newer version");
  }
  if (damaged || !haveMap || !haveBytes) {
    throw EFileError("Damaged recovery file");
  }
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
  if (!IsDigits(InfoName) || !Parse(InfoName, entry)) return -1;
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
  return IsDigits(entry) && IsDigits(generation) && Parse(entry, Entry) &&
         Parse(generation, Generation);
}

#include "key_value_text.h"

#include "errors.h"

std::string EscapedText(std::string_view Text) {
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

std::optional<std::string> UnescapedText(std::string_view Text) {
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

bool ParseFinite(std::string_view Text, double& Value, bool Positive) {
  double parsed = 0.0;
  if (!ParseNumber(Text, parsed) || !std::isfinite(parsed)) return false;
  if (Positive && !(parsed > 0.0)) return false;
  Value = parsed;
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view Text) {
  std::vector<std::string_view> lines;
  while (!Text.empty()) {
    const size_t end = Text.find('\n');
    lines.push_back(Text.substr(0, end));
    if (end == std::string_view::npos) break;
    Text.remove_prefix(end + 1);
  }
  return lines;
}

TKeyValue SplitKeyValue(std::string_view Line) {
  const size_t space = Line.find(' ');
  if (space == std::string_view::npos) return {Line, {}};
  return {Line.substr(0, space), Line.substr(space + 1)};
}

void CheckHeaderLine(const std::vector<std::string_view>& Lines,
                     std::string_view Header, int Newest,
                     const std::string& Damaged, const std::string& Newer) {
  int version = 0;
  if (Lines.empty() || !Lines[0].starts_with(Header) ||
      !ParseNumber(Lines[0].substr(Header.size()), version)) {
    throw EFileError(Damaged);
  }
  if (version > Newest) throw EFileError(Newer);
}

#pragma once

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The small text files the program keeps beside maps and in its recovery
// folder: a header line, then one "KEY VALUE" line each.

// File names may hold any byte but the end of a line may not: spaces,
// controls, "%" and bytes beyond ASCII are written as %XX.
std::string EscapedText(std::string_view Text);
// None when a %XX is cut short or not hexadecimal.
std::optional<std::string> UnescapedText(std::string_view Text);

// A whole number or double that is all of Text; Value stays as it was when
// it is not.
template <typename Number>
bool ParseNumber(std::string_view Text, Number& Value) {
  Number parsed{};
  const auto [end, error] =
      std::from_chars(Text.data(), Text.data() + Text.size(), parsed);
  if (error != std::errc() || end != Text.data() + Text.size()) return false;
  Value = parsed;
  return true;
}

// A finite double, above zero when Positive.
bool ParseFinite(std::string_view Text, double& Value, bool Positive);

// Appends "KEY VALUE\n", the value written so that it reads back exactly.
template <typename Number>
void AppendNumber(std::string& Text, std::string_view Key, Number Value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, Value).ptr;
  Text.append(Key).append(" ").append(buffer, end).append("\n");
}

std::vector<std::string_view> SplitLines(std::string_view Text);

// A line's key, up to its first space, and the value after it.
struct TKeyValue {
  std::string_view Key;
  std::string_view Value;
};
TKeyValue SplitKeyValue(std::string_view Line);

// Throws EFileError with Damaged unless Lines begin with Header and a version
// number, and with Newer when that number is above Newest: a newer version
// may have changed what a key means.
void CheckHeaderLine(const std::vector<std::string_view>& Lines,
                     std::string_view Header, int Newest,
                     const std::string& Damaged, const std::string& Newer);

#include "import_options.h"

#include <charconv>
#include <cmath>

namespace {

std::string_view Trimmed(std::string_view Text) {
  const size_t first = Text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = Text.find_last_not_of(" \t");
  return Text.substr(first, last - first + 1);
}

bool ParseCoordinate(std::string_view Text, double& Value) {
  Text = Trimmed(Text);
  // from_chars takes no plus sign, which people type.
  if (Text.starts_with('+')) Text.remove_prefix(1);
  const auto [end, error] =
      std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  return !Text.empty() && error == std::errc() &&
         end == Text.data() + Text.size() && std::isfinite(Value);
}

}  // namespace

std::set<std::string> ParseRailwayKinds(std::string_view Text) {
  std::set<std::string> kinds;
  while (!Text.empty()) {
    const size_t comma = Text.find(',');
    const std::string_view kind = Trimmed(Text.substr(0, comma));
    if (!kind.empty()) kinds.emplace(kind);
    if (comma == std::string_view::npos) break;
    Text.remove_prefix(comma + 1);
  }
  return kinds;
}

std::optional<std::pair<double, double>> ParseOrigin(std::string_view Text) {
  const size_t comma = Text.find(',');
  double x = 0.0;
  double y = 0.0;
  if (comma == std::string_view::npos ||
      !ParseCoordinate(Text.substr(0, comma), x) ||
      !ParseCoordinate(Text.substr(comma + 1), y)) {
    return std::nullopt;
  }
  return std::make_pair(x, y);
}

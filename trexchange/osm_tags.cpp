#include "osm_tags.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr double kLevelHeight = 3.0;
// No building is taller; a larger value is a mistake in the data.
constexpr double kTallest = 1000.0;

// The number a tag's value begins with ("12", "12.5 m"), when sensible.
std::optional<double> LeadingNumber(const char* Text) {
  if (Text == nullptr) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(Text, &end);
  if (end == Text || !std::isfinite(value) || value < 0.0 || value > kTallest) {
    return std::nullopt;
  }
  return value;
}

bool Is(const char* Value, const char* Wanted) {
  return Value != nullptr && std::strcmp(Value, Wanted) == 0;
}

}  // namespace

double BuildingHeight(const TTagLookup& Tag) {
  if (const auto height = LeadingNumber(Tag("height"))) return *height;
  if (const auto levels = LeadingNumber(Tag("building:levels"))) {
    return std::min(*levels * kLevelHeight, kTallest);
  }
  return kLevelHeight;
}

std::optional<TSourceLine> LineForTags(const TTagLookup& Tag,
                                       const TImportOptions& Options) {
  TSourceLine line;
  const char* railway = Tag("railway");
  if (Is(railway, "platform") || Is(Tag("public_transport"), "platform")) {
    line.PlatformEdge = true;
    return line;
  }
  if (railway != nullptr && Options.Railways.count(railway) != 0) {
    // Electrified or not, a track of the map keeps its poles at the side
    // unless the track says where they stand.
    const char* poles = Tag("poles");
    line.Poles = Is(poles, "middle") ? 1 : Is(poles, "over") ? 2 : 0;
    return line;
  }
  if (Options.Buildings && Tag("building") != nullptr &&
      !Is(Tag("building"), "no")) {
    line.Wall = true;
    line.Height = BuildingHeight(Tag);
    return line;
  }
  return std::nullopt;
}

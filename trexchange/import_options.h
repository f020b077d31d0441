#pragma once

#include <optional>
#include <set>
#include <string>

// What an import takes from its file, and where the map's metres lie.
struct TImportOptions {
  // The railway=* kinds that become track.
  std::set<std::string> Railways{"rail"};
  // building=* ways become walls.
  bool Buildings = false;
  // A projected system PROJ knows ("EPSG:25832"); none for a transverse
  // Mercator centred on the data.
  std::optional<std::string> Crs;
  // The map's origin in the projected system; none for the data's centre.
  std::optional<std::pair<double, double>> Origin;
};

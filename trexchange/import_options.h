#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

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

// The kinds of a list by commas ("rail,tram"), blanks around them and
// empty ones left out.
std::set<std::string> ParseRailwayKinds(std::string_view Text);
// "X,Y" in metres, finite; none for anything else.
std::optional<std::pair<double, double>> ParseOrigin(std::string_view Text);

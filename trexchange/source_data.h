#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "projection_settings.h"

// What an importer reads out of a file, before it becomes a map: lines as
// lists of vertices in longitude and latitude (or in metres, for a file
// written in a map's own metres), with what the map keeps of their tags.

// A vertex: Key names the node, so that lines sharing a node share the key;
// X is the longitude (or east metres), Y the latitude (or north metres).
struct TSourceVertex {
  int64_t Key = 0;
  double X = 0.0;
  double Y = 0.0;
};

struct TSourceLine {
  // The element's identifier in its file, for the reports.
  int64_t Id = 0;
  bool Wall = false;
  // A platform edge: not a line of the map, but it marks the tracks beside.
  bool PlatformEdge = false;
  uint8_t Poles = 0;
  // Known to have a platform (a file this program wrote says so).
  bool Platform = false;
  // Heights of a wall's points: one for all, or one a vertex.
  double Height = 0.0;
  std::vector<double> Heights;
  std::vector<TSourceVertex> Vertices;
};

struct TSourceData {
  std::vector<TSourceLine> Lines;
  // The file already holds a map's metres; Projection then tells how they
  // go back to longitude and latitude, when the file says.
  bool Metres = false;
  std::optional<TProjectionSettings> Projection;
};

// A file that cannot be imported: the message names the file and, where it
// helps, the element.
class EImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

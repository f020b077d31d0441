#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "canvas.h"
#include "file_access.h"
#include "map_background.h"
#include "map_painter.h"
#include "map_view.h"
#include "train_structure.h"

// A picture of a map as a map window shows it: the map in a view (whose
// client size is the picture's size) with a selection, on a background
// colour, over the map's background picture when there is one.
struct TMapPicture {
  const TTrainStructureSV& Map;
  TMapView View;
  TPaintSelection Selection;
  TColor Background;
  const TMapBackground* Underlay = nullptr;
};

// The background of a picture drawn away from any window: the button face
// of Qt's own light palette, on which map windows are mostly shown.
inline constexpr TColor kPictureBackground = qRgb(239, 239, 239);

enum class TPictureFormat { Png, Svg };

// The format a file's name asks for by its extension, ".png" or ".svg" in
// any case; none for another.
std::optional<TPictureFormat> PictureFormatOf(const std::string& FileName);

// Told how much of the picture is done, from 0 to 1; false stops the work,
// which then throws EPictureCancelled.
using TPictureProgress = std::function<bool(double Done)>;

class EPictureCancelled : public std::runtime_error {
 public:
  EPictureCancelled() : std::runtime_error("The picture was cancelled") {}
};

// The most pixel bytes a strip of a PNG picture holds.
inline constexpr qsizetype kPngStripBytes = 32 * 1024 * 1024;

// The PNG file of the picture, pixel for pixel what the map window's
// canvas shows for the same view. It is painted in strips of at most
// StripBytes, each compressed and written before the next is painted, so
// that a picture of any size fits in memory.
void WritePng(const TMapPicture& Picture, const TContentWriter& Write,
              const TPictureProgress& Progress,
              qsizetype StripBytes = kPngStripBytes);

// The SVG file of the picture: the same lines, circles, colours, widths and
// dash styles as vectors, over a rectangle of the background colour.
void WriteSvg(const TMapPicture& Picture, const TContentWriter& Write,
              const TPictureProgress& Progress);

// Writes the picture to the named file in Format with the atomic save of
// the maps: a failure or a cancel leaves the old file as it was, and no
// new one. A PNG is painted in strips of at most StripBytes. Throws
// EFileError or EPictureCancelled.
void SavePicture(const std::string& FileName, TPictureFormat Format,
                 const TMapPicture& Picture, const TPictureProgress& Progress,
                 qsizetype StripBytes = kPngStripBytes,
                 TFileSystem& Files = SystemFileSystem());

#include <algorithm>

#include "map_picture.h"
#include "svg_canvas.h"

void WriteSvg(const TMapPicture& Picture, const TContentWriter& Write,
              const TPictureProgress& Progress) {
  const TTrainStructureSV& map = Picture.Map;
  // Progress is told every so many drawings, against about one drawing per
  // object of the map.
  constexpr size_t kEvery = 4096;
  const double expected =
      static_cast<double>(map.Points.size() + map.Tracks.size() +
                          map.Walls.size() + map.Trains.size() + 1);
  size_t drawn = 0;
  const auto tell = [&] {
    if (++drawn % kEvery != 0) return;
    if (!Progress(std::min(0.99, drawn / expected))) throw EPictureCancelled();
  };
  TSvgCanvas canvas(Picture.View.Width, Picture.View.Height, Write, tell);
  canvas.Erase(Picture.Background);
  TMapPainter(canvas, map, Picture.View, Picture.Selection, &map.SpatialIndex(),
              Picture.Underlay)
      .Paint();
  canvas.Finish();
  if (!Progress(1.0)) throw EPictureCancelled();
}

#include <QtGui/QImage>
#include <algorithm>
#include <span>

#include "image_canvas.h"
#include "map_picture.h"
#include "png_writer.h"

namespace {

// The rows of a strip: the whole picture when it fits, else a multiple of
// three, so that a dotted line runs on from one strip to the next as if
// the picture were painted at once (its dots are every third pixel).
int StripRows(int Width, int Height, qsizetype StripBytes) {
  const qsizetype rowBytes = qsizetype{Width} * 4;
  if (qsizetype{Height} * rowBytes <= StripBytes) return Height;
  return static_cast<int>(
      std::max<qsizetype>(3, StripBytes / rowBytes / 3 * 3));
}

}  // namespace

// Each strip is drawn by the painter at the picture's coordinates, passing
// over what lies outside it, onto a canvas that holds the strip's rows: so
// everything lands on the pixels of one paint of the whole picture. Only a
// wide line, which Qt draws, may move by a pixel where it crosses a
// strip's edge: Qt places the pixels of a line cut at the image's edge a
// little differently from those of the whole line.
void WritePng(const TMapPicture& Picture, const TContentWriter& Write,
              const TPictureProgress& Progress, qsizetype StripBytes) {
  const int width = Picture.View.Width;
  const int height = Picture.View.Height;
  TPngWriter png(width, height, Write);
  const int rows = StripRows(width, height, StripBytes);
  TImageCanvas canvas(QSize(width, rows));
  const TSpatialIndex& index = Picture.Map.SpatialIndex();
  for (int top = 0; top < height; top += rows) {
    const int bottom = std::min(top + rows, height);
    if (bottom - top < rows) canvas.Resize(QSize(width, bottom - top));
    canvas.SetStrip(top, height);
    canvas.Erase(Picture.Background);
    TMapPainter painter(canvas, Picture.Map, Picture.View, Picture.Selection,
                        &index, Picture.Underlay);
    painter.SetRows(top, bottom);
    painter.Paint();
    const QImage& image = canvas.Picture();
    for (int y = 0; y < bottom - top; ++y) {
      png.AddRow(
          std::span(reinterpret_cast<const uint32_t*>(image.constScanLine(y)),
                    static_cast<size_t>(width)));
    }
    if (!Progress(static_cast<double>(bottom) / height)) {
      throw EPictureCancelled();
    }
  }
  png.Finish();
}

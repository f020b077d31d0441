#include "map_background.h"

#include <cmath>
#include <complex>
#include <numbers>

std::optional<TPictureDrawing> PictureDrawing(
    const TBackgroundPicture& Picture, const TBackgroundPlacement& Placement,
    const TMapView& View) {
  // Screen pixels per picture pixel picks the copy whose pixels come
  // nearest the screen's in size.
  const double zoom = Placement.MetresPerPixel / View.Scale;
  if (!std::isnormal(zoom)) return std::nullopt;
  const std::vector<QImage>& levels = Picture.Levels();
  size_t level = 0;
  for (double reach = zoom;
       reach < std::numbers::sqrt2 / 2.0 && level + 1 < levels.size();
       reach *= 2.0) {
    ++level;
  }
  const QImage& image = levels[level];

  // Picture pixel (U, V) lies at world corner + turn * (U - iV), and world
  // (X, Y) at screen (X / Scale + OriginX, -Y / Scale + OriginY).
  const std::complex<double> turn = std::polar(
      Placement.MetresPerPixel, -Placement.Turn * std::numbers::pi / 180.0);
  const double s = View.Scale;
  const QTransform toScreen(turn.real() / s, -turn.imag() / s, turn.imag() / s,
                            turn.real() / s, Placement.Left / s + View.OriginX,
                            -Placement.Top / s + View.OriginY);
  const QTransform transform =
      QTransform::fromScale(double(Picture.Width()) / image.width(),
                            double(Picture.Height()) / image.height()) *
      toScreen;
  bool invertible = false;
  const QTransform back = transform.inverted(&invertible);
  if (!invertible) return std::nullopt;

  // The part that reaches the client area, with a pixel around it for the
  // blending at its edges.
  const QRectF seen =
      back.mapRect(QRectF(0.0, 0.0, View.Width, View.Height))
          .adjusted(-1.0, -1.0, 1.0, 1.0)
          .intersected(QRectF(0.0, 0.0, image.width(), image.height()));
  if (!(seen.width() > 0.0 && seen.height() > 0.0)) return std::nullopt;
  return TPictureDrawing{&image, seen.toAlignedRect(), transform, zoom < 1.0};
}

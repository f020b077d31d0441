#pragma once

#include <cstdint>

#include "pixel_rounding.h"
#include "screen_clip.h"
#include "world_box.h"

// How a map is shown: metres per pixel (the same on both axes), the client
// pixel at which the world origin lies, the metres between grid lines, and
// the size of the client area. World y grows upward, screen y downward.
struct TMapView {
  double Scale = 1.0;
  double GridSpacing = 100.0;
  int32_t OriginX = 0;
  int32_t OriginY = 0;
  int Width = 0;
  int Height = 0;
  // Zoomed out, points along the track and grid lines that crowd together
  // are left out, as View > Simplify When Zoomed Out asks.
  bool Simplified = false;

  // World to screen rounds to the nearest pixel, halves to even, and
  // saturates at the limits of 32 bits.
  int32_t WorldToScreenX(double X) const;
  int32_t WorldToScreenY(double Y) const;
  double ScreenToWorldX(double PX) const { return (PX - OriginX) * Scale; }
  // Adding +0 turns the -0 of the origin's row into 0, so a point clicked
  // there is stored, and written to a map file, as 0 rather than -0.
  double ScreenToWorldY(double PY) const {
    return -(PY - OriginY) * Scale + 0.0;
  }

  // The pixel column or row of a world coordinate as a whole number held in
  // a double, so that it cannot overflow before it is clipped.
  double ScreenColumn(double X) const {
    return RoundHalfEven(X / Scale + OriginX);
  }
  double ScreenRow(double Y) const {
    return RoundHalfEven(-Y / Scale + OriginY);
  }
  TScreenRect ClientRect() const {
    return {0.0, 0.0, static_cast<double>(Width), static_cast<double>(Height)};
  }
  // Whether a box of world coordinates lies wholly more than Reach pixels
  // outside the client area: decided without converting each coordinate,
  // and with a pixel to spare for rounding.
  bool WorldBoxOutside(double MinX, double MaxX, double MinY, double MaxY,
                       double Reach) const {
    const double margin = Reach + 1.0;
    return MaxX < ScreenToWorldX(-margin) ||
           MinX > ScreenToWorldX(Width + margin) ||
           MaxY < ScreenToWorldY(Height + margin) ||
           MinY > ScreenToWorldY(-margin);
  }
  // The world box of every place within Reach pixels of the client area,
  // widened a little further so that no rounding can leave out what lies
  // on its edge.
  TWorldBox WorldAround(double Reach) const;

  // The view moved by DX, DY pixels, and magnified by Factor around the
  // centre of the client area, or around the client pixel (PX, PY), which
  // keeps showing the same world point (a factor that would take the scale
  // out of the range of doubles changes nothing).
  TMapView ScrolledBy(int32_t DX, int32_t DY) const;
  TMapView ZoomedBy(double Factor) const;
  TMapView ZoomedAbout(double Factor, double PX, double PY) const;
  // The view at NewScale metres per pixel, zoomed about the centre as
  // ZoomedBy is, with the scale exactly NewScale; a scale ZoomedBy could
  // not reach changes nothing.
  TMapView ScaledTo(double NewScale) const;
  // The view that shows the whole of Box, centred, with a margin of
  // MarginPixels on every side at least; the scale of a box without extent
  // stays as it is.
  TMapView FittedTo(const TWorldBox& Box, int MarginPixels) const;
};

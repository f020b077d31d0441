#pragma once

#include <QtCore/QRect>
#include <QtGui/QTransform>
#include <memory>
#include <optional>

#include "background_picture.h"
#include "background_settings.h"
#include "map_view.h"

// A map window's background: its settings, the picture's path absolute,
// and the picture, none when it could not be read (the settings are kept
// all the same, and saved with the map, until the user changes them).
struct TMapBackground {
  TBackgroundSettings Settings;
  std::shared_ptr<const TBackgroundPicture> Picture;
};

// How a picture shows in a view: the copy that suits the scale, the part
// of it that reaches the client area, where its pixels go on the screen,
// and whether they are blended (zoomed out) or sharp squares (zoomed in).
struct TPictureDrawing {
  const QImage* Image = nullptr;
  QRect Source;
  QTransform Transform;
  bool Smooth = false;
};

// None when no part of the picture reaches the client area, or the view
// is too extreme to place it.
std::optional<TPictureDrawing> PictureDrawing(
    const TBackgroundPicture& Picture, const TBackgroundPlacement& Placement,
    const TMapView& View);

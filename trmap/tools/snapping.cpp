#include "snapping.h"

#include "drawing_geometry.h"
#include "map_objects.h"
#include "point_gesture.h"

TTrXY SnappedPosition(const TToolHost& Host, int32_t X, int32_t Y,
                      const TTrPoint* Exclude, const TTrPoint* Anchor) {
  const TMapView view = Host.View();
  const TTrXY at{view.ScreenToWorldX(X), view.ScreenToWorldY(Y)};
  TTrPoint* near = nullptr;
  const double distance = Host.HitTestPoint(X, Y, Exclude, near);
  if (distance >= 0.0 && distance < kGrabDistance) return at;
  if (Host.ShiftDown() && Anchor != nullptr) {
    return SnapBearing(PlaceOf(*Anchor), at, kBearingStep);
  }
  if (Host.SnapsToGrid()) return SnapToGrid(at, view.GridSpacing);
  return at;
}

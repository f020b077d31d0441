#include "measure_tool.h"

#include "drawing_geometry.h"
#include "map_document.h"
#include "point_gesture.h"
#include "snapping.h"
#include "tool_drawing.h"
#include "track_distance.h"

TMeasureTool::~TMeasureTool() { LetGo(); }

TTrXY TMeasureTool::Reach(int32_t X, int32_t Y, TTrPoint*& Point) const {
  Point = nullptr;
  TTrPoint* near = nullptr;
  const double distance = Host.HitTestPoint(X, Y, nullptr, near);
  if (distance >= 0.0 && distance < kGrabDistance) {
    Point = near;
    return PlaceOf(*near);
  }
  const TMapView view = Host.View();
  return {view.ScreenToWorldX(X), view.ScreenToWorldY(Y)};
}

bool TMeasureTool::Press(int32_t X, int32_t Y) {
  From = Reach(X, Y, FromPoint);
  if (FromPoint != nullptr) {
    Host.Document().Watch(this);
    Watching = true;
  }
  Measuring = true;
  Shown = true;
  Measure(X, Y, false);
  return true;
}

void TMeasureTool::Move(int32_t X, int32_t Y) {
  if (!Measuring) return;
  Measure(X, Y, false);
  Host.Repaint();
}

void TMeasureTool::Release(int32_t X, int32_t Y) {
  if (!Measuring) return;
  Measure(X, Y, true);
  Measuring = false;
  LetGo();
  Host.Repaint();
}

void TMeasureTool::Measure(int32_t X, int32_t Y, bool Along) {
  TTrPoint* toPoint = nullptr;
  To = Reach(X, Y, toPoint);
  Text = QStringLiteral("Distance %1 m, bearing %2°")
             .arg(Distance(From, To), 0, 'f', 3)
             .arg(CompassDegrees(From, To), 0, 'f', 1);
  // The way along the track is searched once, at the release.
  if (!Along || FromPoint == nullptr || toPoint == nullptr) return;
  const std::optional<double> along = AlongTrackDistance(*FromPoint, *toPoint);
  Text += along
              ? QStringLiteral(", along the track %1 m").arg(*along, 0, 'f', 3)
              : QStringLiteral(", no way along the track");
}

void TMeasureTool::Cancel() {
  Measuring = false;
  LetGo();
  Dismiss();
}

void TMeasureTool::Dismiss() {
  if (!Shown) return;
  Shown = false;
  Text.clear();
  Host.Repaint();
}

void TMeasureTool::Preview(TCanvas& Canvas) const {
  if (Shown) DrawPathOverMap(Canvas, Host.View(), {From, To});
}

void TMeasureTool::LetGo() {
  if (Watching) Host.Document().Unwatch(this);
  Watching = false;
  FromPoint = nullptr;
}

void TMeasureTool::Leaving(const TTrPoint& Point) {
  if (&Point == FromPoint) FromPoint = nullptr;
}

#include "path_tool.h"

#include "map_document.h"
#include "point_gesture.h"
#include "snapping.h"
#include "tool_drawing.h"

TPathTool::~TPathTool() { LetGo(); }

TTrPoint* TPathTool::PointAt(int32_t X, int32_t Y) const {
  TTrPoint* near = nullptr;
  const double distance = Host.HitTestPoint(X, Y, nullptr, near);
  return distance >= 0.0 && distance < kGrabDistance ? near : nullptr;
}

bool TPathTool::Press(int32_t X, int32_t Y) {
  TTrPoint* point = PointAt(X, Y);
  if (point == nullptr) return Underway();
  if (From == nullptr) {
    From = point;
    Mouse = PlaceOf(*point);
    if (!Watching) Host.Document().Watch(this);
    Watching = true;
    Host.Repaint();
    return true;
  }
  TTrPoint* from = From;
  LetGo();
  Host.ShowPath(from, point);
  Host.Repaint();
  return false;
}

void TPathTool::Move(int32_t X, int32_t Y) {
  if (From == nullptr) return;
  const TMapView view = Host.View();
  Mouse = {view.ScreenToWorldX(X), view.ScreenToWorldY(Y)};
  Host.Repaint();
}

void TPathTool::Cancel() {
  if (From == nullptr) return;
  LetGo();
  Host.Repaint();
}

QString TPathTool::StatusText() const {
  if (From == nullptr) return {};
  return QStringLiteral("Path from point %1: click the point to go to")
      .arg(From->Id);
}

void TPathTool::Preview(TCanvas& Canvas) const {
  if (From != nullptr) {
    DrawPathOverMap(Canvas, Host.View(), {PlaceOf(*From), Mouse});
  }
}

void TPathTool::LetGo() {
  if (Watching) Host.Document().Unwatch(this);
  Watching = false;
  From = nullptr;
}

// Told in the middle of a change, where it may not unwatch: the gesture
// ends, and unwatches at the next.
void TPathTool::Leaving(const TTrPoint& Point) {
  if (&Point == From) From = nullptr;
}

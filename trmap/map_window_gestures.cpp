#include "errors.h"
#include "map_window.h"

namespace {

// How near, in pixels, a press must come to a point to drag it, and a drop
// to join onto it.
constexpr double kGrabDistance = 5.0;

// A point can take another only of its own kind: a point holds either track
// or walls, never both.
bool SameKind(const TTrPoint* A, const TTrPoint* B) {
  return A->IsWallPoint() == B->IsWallPoint();
}

}  // namespace

void TfrmMap::FormMouseDown(TMouseButton Button, int32_t X, int32_t Y) {
  if (Building) return;
  switch (Button) {
    case TMouseButton::Right:
    case TMouseButton::Middle:
      Panning = true;
      LastMouse = QPoint(X, Y);
      break;
    case TMouseButton::Left:
      // A second left press cannot start anything while the first one
      // still drags a point.
      if (MovingPoint) break;
      if (ModeDown(TModeButton::spbCursor)) {
        SelectAt(X, Y);
      } else if (ModeDown(TModeButton::spbLine) ||
                 ModeDown(TModeButton::spbBuild)) {
        StartBuild(X, Y);
      }
      break;
  }
}

void TfrmMap::SelectAt(int32_t X, int32_t Y) {
  if (ModeDown(TModeButton::spbPoint)) {
    TTrPoint* point = nullptr;
    const double distance = HitTestPoint(X, Y, nullptr, point);
    if (distance < 0.0) return;
    SelectPoint(point);
    if (distance < kGrabDistance) {
      MovingPoint = true;
      DragPoint = point;
      BeginEdit();
    }
  } else if (ModeDown(TModeButton::spbLines)) {
    TTrLine* line = nullptr;
    if (HitTestLine(X, Y, line) >= 0.0) SelectLine(line);
  } else {
    TTrain* train = nullptr;
    if (HitTestTrain(X, Y, train) >= 0.0) SelectTrain(train);
  }
}

void TfrmMap::StartBuild(int32_t X, int32_t Y) {
  TTrPoint* const selected = SelectedPoint;
  if (selected != nullptr && selected->LineCount() > 2) return;
  const bool track = ModeDown(TModeButton::spbLine);
  const bool reuse = ModeDown(TModeButton::spbConn) && selected != nullptr &&
                     selected->IsWallPoint() == !track;
  const double x = ScreenToWorldX(X);
  const double y = ScreenToWorldY(Y);
  BeginEdit();
  TTrPoint* start = selected;
  TTrPoint* end = nullptr;
  try {
    if (!reuse) start = Map->NewPoint(x, y);
    end = Map->NewPoint(x, y);
  } catch (const std::runtime_error& Error) {
    // A coordinate too large, or no identifier left.
    RollBackEdit();
    ShowError(QString::fromUtf8(Error.what()));
    return;
  }
  // Until the line is laid, the status shows the selection, not the line
  // of the build before.
  BuildLine = nullptr;
  Building = true;
  if (!reuse) SelectPoint(start);
  DragPoint = end;
  SelectPoint(end);
  BuildLine = Map->BuildLine(start, end, track);
}

bool TfrmMap::PlaceDragPoint(int32_t X, int32_t Y) {
  try {
    Map->MovePoint(DragPoint, ScreenToWorldX(X), ScreenToWorldY(Y));
    return true;
  } catch (const EFloatOverflow& Error) {
    AbandonGesture();
    ShowError(QString::fromUtf8(Error.what()));
    return false;
  }
}

void TfrmMap::FormMouseMove(int32_t X, int32_t Y) {
  if (Building || MovingPoint) {
    if (PlaceDragPoint(X, Y)) Repaint();
  } else if (Panning) {
    ScrollBy(X - LastMouse.x(), Y - LastMouse.y());
    LastMouse = QPoint(X, Y);
  }
}

void TfrmMap::FormMouseUp(TMouseButton, int32_t X, int32_t Y) {
  if (Building) {
    EndBuild(X, Y);
  } else if (Panning) {
    ScrollBy(X - LastMouse.x(), Y - LastMouse.y());
    Panning = false;
  } else if (MovingPoint) {
    EndPointDrag(X, Y);
  }
  Building = false;
  // The status showed the line being drawn until now.
  StatusChanged();
}

void TfrmMap::EndBuild(int32_t X, int32_t Y) {
  TTrPoint* const end = DragPoint;
  if (!PlaceDragPoint(X, Y)) return;
  TTrPoint* target = nullptr;
  const double distance = HitTestPoint(X, Y, end, target);
  const bool joined = distance >= 0.0 && distance < kGrabDistance &&
                      target->LineCount() <= 2 && SameKind(end, target) &&
                      JoinPoint(end, BuildLine, target);
  // Unjoined, the next build click goes on from the new end point, which
  // is still selected.
  if (!joined) SetConnDown(true);
  CommitEdit(IsTrack(BuildLine) ? QStringLiteral("Build Track")
                                : QStringLiteral("Build Wall"));
  Repaint();
}

void TfrmMap::EndPointDrag(int32_t X, int32_t Y) {
  TTrPoint* const dragged = DragPoint;
  if (!PlaceDragPoint(X, Y)) return;
  TTrPoint* target = nullptr;
  const double distance = HitTestPoint(X, Y, dragged, target);
  const int32_t lines = dragged->LineCount();
  // The join moves a line of one point onto the other, so both need one.
  const bool joinable = distance >= 0.0 && distance < kGrabDistance &&
                        lines > 0 && target->LineCount() > 0 &&
                        lines + target->LineCount() <= 3 &&
                        SameKind(dragged, target);
  if (joinable) {
    if (lines == 1) {
      JoinPoint(dragged, dragged->Conn1.Line, target);
    } else {
      JoinPoint(target, target->Conn1.Line, dragged);
    }
  }
  MovingPoint = false;
  CommitEdit(QStringLiteral("Move Point"));
  Repaint();
}

bool TfrmMap::JoinPoint(TTrPoint* Gone, TTrLine* Line, TTrPoint* Keep) {
  if (!Map->JoinPoint(Gone, Line, Keep)) return false;
  // Selecting Keep redraws Gone unselected, so Gone leaves the map only
  // after.
  SelectPoint(Keep);
  Map->RemovePoint(Gone);
  SetConnDown(false);
  return true;
}

void TfrmMap::TakeBackGesture() {
  Building = false;
  MovingPoint = false;
  RollBackEdit();
}

void TfrmMap::AbandonGesture() {
  Panning = false;
  TakeBackGesture();
}

void TfrmMap::FormKeyDown(int Key) {
  if (Key == kVkEscape) {
    // Takes back a build or a drag; otherwise ends a chain of builds.
    if (Building || MovingPoint) {
      TakeBackGesture();
    } else {
      SetConnDown(false);
    }
    return;
  }
  if (Key != kVkDelete) return;
  // The selected point is the one a build or a drag is moving.
  if (Building || MovingPoint) return;
  TTrPoint* const point = SelectedPoint;
  TTrLine* const line = SelectedLine;
  TTrain* const train = SelectedTrain;
  if (point == nullptr && line == nullptr && train == nullptr) return;
  // The selection goes with what it names; the step remembers it.
  const auto deleteSelected = [this](const char* Step, auto Delete) {
    Edit(QString::fromLatin1(Step), [&] {
      SelectedPoint = nullptr;
      SelectedLine = nullptr;
      SelectedTrain = nullptr;
      Delete();
    });
  };
  if (point != nullptr) {
    deleteSelected("Delete Point", [&] { Map->DeletePoint(point); });
  } else if (line != nullptr) {
    deleteSelected("Delete Line", [&] { Map->DeleteLineOnly(line); });
  } else {
    deleteSelected("Delete Train", [&] { Map->DeleteTrain(train); });
  }
  Repaint();
}

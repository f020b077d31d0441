#include "select_tool.h"

#include "map_document.h"
#include "map_status.h"

bool TSelectTool::Press(int32_t X, int32_t Y) {
  if (Host.ModeDown(TModeButton::spbPoint)) {
    TTrPoint* point = nullptr;
    const double distance = Host.HitTestPoint(X, Y, nullptr, point);
    if (distance < 0.0) return false;
    Host.SelectPoint(point);
    // Another view's gesture holds the map until it ends.
    if (distance >= kGrabDistance || Host.Document().Editing()) return false;
    Host.BeginEdit();
    Begin(point);
    return true;
  }
  if (Host.ModeDown(TModeButton::spbLines)) {
    TTrLine* line = nullptr;
    if (Host.HitTestLine(X, Y, line) >= 0.0) Host.SelectLine(line);
  } else {
    TTrain* train = nullptr;
    if (Host.HitTestTrain(X, Y, train) >= 0.0) Host.SelectTrain(train);
  }
  return false;
}

void TSelectTool::Move(int32_t X, int32_t Y) {
  if (Place(X, Y)) Host.Repaint();
}

void TSelectTool::Release(int32_t X, int32_t Y) {
  if (!Place(X, Y)) return;
  TTrPoint* const dragged = Moving;
  TTrPoint* target = nullptr;
  const double distance = Host.HitTestPoint(X, Y, dragged, target);
  const int32_t lines = dragged->LineCount();
  // The join moves a line of one point onto the other, so both need one.
  const bool joinable = distance >= 0.0 && distance < kGrabDistance &&
                        lines > 0 && target->LineCount() > 0 &&
                        lines + target->LineCount() <= 3 &&
                        SameKind(*dragged, *target);
  if (joinable) {
    if (lines == 1) {
      JoinPoints(Host, dragged, dragged->Conn1.Line, target);
    } else {
      JoinPoints(Host, target, target->Conn1.Line, dragged);
    }
  }
  Finish();
  Host.CommitEdit(QStringLiteral("Move Point"));
  Host.Repaint();
}

QString TSelectTool::StatusText() const {
  if (Moving == nullptr || Moving->Conn1.Line == nullptr) return {};
  return DrawingText(*Moving->Conn1.Line);
}

void TSelectTool::EndTyped() {
  Finish();
  Host.CommitEdit(QStringLiteral("Move Point"));
  Host.Repaint();
}

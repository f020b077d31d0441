#include "map_status.h"
#include "map_window.h"

QString TfrmMap::CursorStatus() const {
  if (!MouseAt) return QString();
  return CursorText(View(), MouseAt->x(), MouseAt->y());
}

QString TfrmMap::ViewStatus() const { return ViewText(View()); }

QString TfrmMap::SelectionStatus() const {
  if (Building && BuildLine != nullptr) return DrawingText(*BuildLine);
  if (MovingPoint && DragPoint != nullptr && DragPoint->Conn1.Line != nullptr) {
    return DrawingText(*DragPoint->Conn1.Line);
  }
  return SelectionText(SelectedPoint, SelectedLine, SelectedTrain);
}

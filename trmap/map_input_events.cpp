#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <optional>

#include "map_window.h"

namespace {

std::optional<TMouseButton> ButtonOf(Qt::MouseButton Button) {
  switch (Button) {
    case Qt::LeftButton:
      return TMouseButton::Left;
    case Qt::RightButton:
      return TMouseButton::Right;
    case Qt::MiddleButton:
      return TMouseButton::Middle;
    default:
      return std::nullopt;
  }
}

// Only Delete means anything to the window; every other key passes as a
// code that means nothing (Qt's own code of '.' would read as Delete).
int VirtualKeyOf(const QKeyEvent& Event) {
  return Event.key() == Qt::Key_Delete ? kVkDelete : 0;
}

}  // namespace

void TfrmMap::mousePressEvent(QMouseEvent* Event) {
  if (const auto button = ButtonOf(Event->button())) {
    const QPoint at = Event->position().toPoint();
    FormMouseDown(*button, at.x(), at.y());
  }
}

void TfrmMap::mouseMoveEvent(QMouseEvent* Event) {
  const QPoint at = Event->position().toPoint();
  FormMouseMove(at.x(), at.y());
}

void TfrmMap::mouseReleaseEvent(QMouseEvent* Event) {
  if (const auto button = ButtonOf(Event->button())) {
    const QPoint at = Event->position().toPoint();
    FormMouseUp(*button, at.x(), at.y());
  }
}

// Keys that reach the window itself. A key a control leaves unused comes up
// here as well, after the preview below has handled it.
void TfrmMap::keyPressEvent(QKeyEvent* Event) {
  if (focusWidget() == nullptr || focusWidget() == this) {
    FormKeyDown(VirtualKeyOf(*Event));
  }
  Event->ignore();
}

// The window sees the keys of its controls before they do, and leaves them
// to the controls.
bool TfrmMap::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched != this && Event->type() == QEvent::KeyPress) {
    FormKeyDown(VirtualKeyOf(*static_cast<QKeyEvent*>(Event)));
  }
  return QWidget::eventFilter(Watched, Event);
}

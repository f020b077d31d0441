#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QWheelEvent>
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

// Only Delete, Escape and the arrows mean anything to the window; every other
// key passes as a code that means nothing (Qt's own code of '.' would read as
// Delete).
int VirtualKeyOf(const QKeyEvent& Event) {
  switch (Event.key()) {
    case Qt::Key_Delete:
      return kVkDelete;
    case Qt::Key_Escape:
      return kVkEscape;
    default:
      break;
  }
  // An arrow nudges only as it is or with Shift: with Ctrl or Alt it is
  // another key, which may be some action's.
  const Qt::KeyboardModifiers others =
      Event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (others != Qt::NoModifier) return 0;
  switch (Event.key()) {
    case Qt::Key_Left:
      return kVkLeft;
    case Qt::Key_Up:
      return kVkUp;
    case Qt::Key_Right:
      return kVkRight;
    case Qt::Key_Down:
      return kVkDown;
    default:
      return 0;
  }
}

bool StartsNumber(const QKeyEvent& Event) {
  const QString text = Event.text();
  if (Event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  return text.size() == 1 && (text[0].isDigit() || text[0] == u'.' ||
                              text[0] == u'-' || text[0] == u'+');
}

}  // namespace

void TfrmMap::mousePressEvent(QMouseEvent* Event) {
  MouseKeys = Event->modifiers();
  if (const auto button = ButtonOf(Event->button())) {
    const QPoint at = Event->position().toPoint();
    FormMouseDown(*button, at.x(), at.y());
  }
}

// A gesture whose button is no longer held lost its release to a dialog
// that opened during it: it ends where the mouse is now, as at a release.
void TfrmMap::mouseMoveEvent(QMouseEvent* Event) {
  const QPoint at = Event->position().toPoint();
  MouseAt = at;
  MouseKeys = Event->modifiers();
  const Qt::MouseButtons held = Event->buttons();
  // A release missed ends a drag; a gesture of two clicks goes on between
  // them.
  if (LeftGestureUnderway() && !held.testFlag(Qt::LeftButton) &&
      !Gesture->TakesNextPress()) {
    FormMouseUp(TMouseButton::Left, at.x(), at.y());
  } else if (!LeftGestureUnderway() && Panning() &&
             !(held & (Qt::RightButton | Qt::MiddleButton))) {
    FormMouseUp(TMouseButton::Right, at.x(), at.y());
  } else {
    FormMouseMove(at.x(), at.y());
  }
  StatusChanged();
}

void TfrmMap::leaveEvent(QEvent*) {
  MouseAt.reset();
  StatusChanged();
}

void TfrmMap::wheelEvent(QWheelEvent* Event) {
  constexpr int kNotch = 120;
  WheelRest += Event->angleDelta().y();
  const QPoint at = Event->position().toPoint();
  for (; WheelRest >= kNotch; WheelRest -= kNotch)
    ZoomAbout(2.0, at.x(), at.y());
  for (; WheelRest <= -kNotch; WheelRest += kNotch) {
    ZoomAbout(0.5, at.x(), at.y());
  }
  Event->accept();
}

void TfrmMap::mouseReleaseEvent(QMouseEvent* Event) {
  MouseKeys = Event->modifiers();
  if (const auto button = ButtonOf(Event->button())) {
    const QPoint at = Event->position().toPoint();
    FormMouseUp(*button, at.x(), at.y());
  }
}

// Keys typed into the window itself. A key that a control leaves unused
// comes up here too, after the preview below has handled it: only the
// focused one of the window's widgets acts on a key.
void TfrmMap::keyPressEvent(QKeyEvent* Event) {
  if (focusWidget() == nullptr || focusWidget() == this) {
    // A number typed during a gesture opens the entry that places it.
    if (StartsNumber(*Event) && LeftGestureUnderway() &&
        Gesture->TakesTyping()) {
      OpenEntry(Event->text());
      Event->accept();
      return;
    }
    FormKeyDown(VirtualKeyOf(*Event),
                Event->modifiers().testFlag(Qt::ShiftModifier));
  }
  Event->ignore();
}

// The window sees the keys of its focused control before the control does,
// and leaves them to it.
bool TfrmMap::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::KeyPress && Watched != this &&
      Watched == focusWidget()) {
    const auto& key = *static_cast<QKeyEvent*>(Event);
    FormKeyDown(VirtualKeyOf(key), key.modifiers().testFlag(Qt::ShiftModifier));
  }
  return QWidget::eventFilter(Watched, Event);
}

#pragma once

#include <QtCore/QString>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <set>
#include <string>
#include <vector>

#include "map_window_fixture.h"
#include "mode_buttons.h"

// The frame's mode buttons as a test sets them: groups of one button down
// each, and spbConn on its own. Starts as the frame does: Select, points.
class TFakeModeButtons : public TModeButtons {
 public:
  std::set<TModeButton> Down{TModeButton::spbCursor, TModeButton::spbPoint};

  bool IsDown(TModeButton Button) const override {
    return Down.contains(Button);
  }
  void SetConnDown(bool IsDown) override { Set(TModeButton::spbConn, IsDown); }
  bool SnapToGrid() const override { return Snap; }
  bool Snap = false;

  // Puts Button down and the others of its group up.
  void Press(TModeButton Button) {
    for (const auto& group : kGroups) {
      if (group.contains(Button)) {
        for (TModeButton other : group) Down.erase(other);
      }
    }
    Down.insert(Button);
  }
  void Set(TModeButton Button, bool IsDown) {
    if (IsDown) {
      Down.insert(Button);
    } else {
      Down.erase(Button);
    }
  }

 private:
  inline static const std::set<TModeButton> kGroups[] = {
      {TModeButton::spbCursor, TModeButton::spbLine, TModeButton::spbBuild,
       TModeButton::spbCurve, TModeButton::spbMeasure},
      {TModeButton::spbPoint, TModeButton::spbLines, TModeButton::spbTrains}};
};

// A map window with fake mode buttons and a recorded error seam, driven by
// real Qt mouse and key events. The view is the designed one: world (x, y)
// shows at pixel (213 + x, 135 - y).
class GestureTest : public MapWindowTest {
 protected:
  TFakeModeButtons Buttons;
  std::vector<QString> Errors;
  // The keys the mouse events say are held.
  Qt::KeyboardModifiers HeldKeys;

  GestureTest() {
    Window.ModeButtons = &Buttons;
    Window.ShowError = [this](const QString& Message) {
      Errors.push_back(Message);
    };
  }

  static QPoint Pixel(double X, double Y) {
    return QPoint(213 + static_cast<int>(X), 135 - static_cast<int>(Y));
  }

  void Send(QEvent::Type Type, QPoint At, Qt::MouseButton Button,
            Qt::MouseButtons Held) {
    QMouseEvent event(Type, QPointF(At), QPointF(Window.mapToGlobal(At)),
                      Button, Held, HeldKeys);
    QApplication::sendEvent(&Window, &event);
  }
  void Press(QPoint At, Qt::MouseButton Button = Qt::LeftButton) {
    HeldButtons |= Button;
    Send(QEvent::MouseButtonPress, At, Button, HeldButtons);
  }
  void MoveTo(QPoint At) {
    Send(QEvent::MouseMove, At, Qt::NoButton, HeldButtons);
  }
  void Release(QPoint At, Qt::MouseButton Button = Qt::LeftButton) {
    HeldButtons &= ~Qt::MouseButtons(Button);
    Send(QEvent::MouseButtonRelease, At, Button, HeldButtons);
  }
  // Press at From, move to To, release there.
  void Drag(QPoint From, QPoint To, Qt::MouseButton Button = Qt::LeftButton) {
    Press(From, Button);
    MoveTo(To);
    Release(To, Button);
  }
  void Key(int QtKey, QWidget* Target = nullptr) {
    QKeyEvent event(QEvent::KeyPress, QtKey, Qt::NoModifier);
    QApplication::sendEvent(Target != nullptr ? Target : &Window, &event);
  }

  void ExpectSound() { EXPECT_EQ(test_maps::Problems(Map), ""); }

 private:
  Qt::MouseButtons HeldButtons;
};

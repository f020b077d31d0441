#pragma once

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>
#include <QtGui/QMouseEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "editor_start.h"
#include "frame_window.h"
#include "map_window.h"
#include "map_writer.h"
#include "up_down.h"

// The editor as it starts, with failures collected instead of shown, and a
// recovery folder of its own.
class FrameTest : public ::testing::Test {
 protected:
  QTemporaryDir RecoveryFolder;
  std::vector<QString> Errors;
  std::unique_ptr<TfrmTrain> Frame = StartEditor(Start());

  // How the fixture's editors start: failures collected from the first.
  TEditorStart Start(const QString& SettingsFile = {},
                     const QStringList& Files = {}) {
    return {RecoveryFolder.path(), SettingsFile, Files,
            [this](const QString& Message) { Errors.push_back(Message); }};
  }

  QList<QMdiSubWindow*> Children() const {
    return Frame->MdiArea->subWindowList();
  }
  TfrmMap* MapOf(QMdiSubWindow* Child) const {
    return dynamic_cast<TfrmMap*>(Child->widget());
  }
  void CloseAll() {
    Frame->MdiArea->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void Click(QToolButton* Button) { QTest::mouseClick(Button, Qt::LeftButton); }
  // A track drawn in Map on its own, as the user draws one.
  void DrawTrack(TfrmMap* Map, int Y = 100) {
    Frame->spbConn->setChecked(false);
    Click(Frame->spbLine);
    Map->FormMouseDown(TMouseButton::Left, 100, Y);
    Map->FormMouseUp(TMouseButton::Left, 180, Y);
  }
  // Presses an arrow of UpDown1 with the mouse.
  void ClickUpDown(Qt::ArrowType Arrow) {
    for (QToolButton* button : Frame->UpDown1->findChildren<QToolButton*>()) {
      if (button->arrowType() == Arrow) Click(button);
    }
  }
};

// The editor driven as a user drives it: mouse events on the active map
// window, tool buttons and the keys of the menus. World (x, y) shows at
// pixel (213 + x, 135 - y).
class MapInFrameTest : public FrameTest {
 protected:
  TfrmMap* Map = Frame->ActiveMap();

  MapInFrameTest() {
    Frame->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Frame.get()));
  }

  static QPoint Pixel(int X, int Y) { return {213 + X, 135 - Y}; }
  void Send(QEvent::Type Type, QPoint At, Qt::MouseButtons Held) {
    QMouseEvent event(Type, QPointF(At), QPointF(Map->mapToGlobal(At)),
                      Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      Held, Qt::NoModifier);
    QApplication::sendEvent(Map, &event);
  }
  void Press(QPoint At) { Send(QEvent::MouseButtonPress, At, Qt::LeftButton); }
  void MoveTo(QPoint At) { Send(QEvent::MouseMove, At, Qt::LeftButton); }
  void Release(QPoint At) {
    Send(QEvent::MouseButtonRelease, At, Qt::NoButton);
  }
  void Drag(QPoint From, QPoint To) {
    Press(From);
    MoveTo(To);
    Release(To);
  }
  // A track drawn from scratch, not continuing from the last one.
  void DrawTrack(QPoint From, QPoint To) {
    Frame->spbConn->setChecked(false);
    Click(Frame->spbLine);
    Drag(From, To);
    Frame->spbConn->setChecked(false);
    Click(Frame->spbCursor);
  }
  void Keys(QKeyCombination Combination) {
    QTest::keyClick(Map, Combination.key(), Combination.keyboardModifiers());
  }
  // A click in Select mode, on a point.
  void Select(QPoint At) {
    Press(At);
    Release(At);
  }
  void Undo() { Keys(Qt::CTRL | Qt::Key_Z); }
  void Redo() { Keys(Qt::CTRL | Qt::Key_Y); }
  std::string Saved() const { return WriteMap(*Map->Map()); }
};

// Collects what Qt warns of while it lives (an ambiguous shortcut, a
// painter that is not active): each is a fault of the program.
class TQtWarnings {
 public:
  TQtWarnings() {
    Active = this;
    Previous = qInstallMessageHandler(&Collect);
  }
  ~TQtWarnings() {
    qInstallMessageHandler(Previous);
    Active = nullptr;
  }
  TQtWarnings(const TQtWarnings&) = delete;
  TQtWarnings& operator=(const TQtWarnings&) = delete;

  QStringList Messages;

 private:
  static void Collect(QtMsgType Type, const QMessageLogContext&,
                      const QString& Message) {
    // The test platform's own note on every window it shows.
    if (Message.startsWith(QStringLiteral("This plugin does not support"))) {
      return;
    }
    if (Type != QtDebugMsg && Type != QtInfoMsg && Active != nullptr) {
      Active->Messages << Message;
    }
  }
  inline static TQtWarnings* Active = nullptr;
  QtMessageHandler Previous;
};

#pragma once

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>
#include <QtTest/QTest>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QToolButton>
#include <memory>
#include <vector>

#include "editor_start.h"
#include "frame_window.h"
#include "map_window.h"
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

#include <QtGui/QAction>
#include <QtWidgets/QMenu>

#include "frame_window.h"
#include "map_window.h"

void TfrmTrain::CreateSelectionItems() {
  const auto item = [this](const char* Caption, const QKeySequence& Key,
                           void (TfrmMap::*Command)()) {
    QAction* action = mnuEdit->addAction(QString::fromUtf8(Caption));
    if (!Key.isEmpty()) action->setShortcut(Key);
    connect(action, &QAction::triggered, this, [this, Command] {
      OnActiveMap([Command](TfrmMap& Map) { (Map.*Command)(); });
    });
    return action;
  };
  mnuEdit->addSeparator();
  mnuCut =
      item("Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), &TfrmMap::CutSelection);
  mnuCopy = item("&Copy", QKeySequence(Qt::CTRL | Qt::Key_C),
                 &TfrmMap::CopySelection);
  mnuPaste =
      item("&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), &TfrmMap::Paste);
  mnuDuplicate = item("&Duplicate", QKeySequence(Qt::CTRL | Qt::Key_D),
                      &TfrmMap::DuplicateSelection);
  mnuEdit->addSeparator();
  mnuSelectAll = item("Select &All", QKeySequence(Qt::CTRL | Qt::Key_A),
                      &TfrmMap::SelectAll);
  mnuSelectNone =
      item("Select &None", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
           &TfrmMap::SelectNone);
  mnuInvertSelection = item("&Invert Selection", {}, &TfrmMap::InvertSelection);
  mnuSelectConnected = item("Select &Connected", {}, &TfrmMap::SelectConnected);
  mnuEdit->addSeparator();
  mnuRotateSelection = item("&Rotate...", {}, &TfrmMap::EditRotation);
  mnuRotateLeft = item("Rotate 90° &Left", {}, &TfrmMap::RotateLeft);
  mnuRotateRight = item("Rotate 90° Ri&ght", {}, &TfrmMap::RotateRight);
  mnuMirrorHorizontally =
      item("Mirror &Horizontally", {}, &TfrmMap::MirrorHorizontally);
  mnuMirrorVertically =
      item("Mirror &Vertically", {}, &TfrmMap::MirrorVertically);
}

#include <QtGui/QAction>
#include <QtWidgets/QMenu>

#include "frame_fixture.h"

namespace {

using WindowKeysTest = MapInFrameTest;

// Qt itself says when a key reaches two actions at once: every key that an
// action of the frame, its map windows or their own menus has is pressed,
// with the actions' signals held back so that nothing is done.
TEST_F(WindowKeysTest, NoKeyReachesTwoActionsOfOneWindow) {
  DrawTrack(Pixel(0, 0), Pixel(50, 0));
  DrawTrack(Pixel(0, 50), Pixel(50, 50));
  Undo();
  Frame->NewMapWindow();
  Frame->MdiArea->setActiveSubWindow(Children().front());
  for (QAction* arrange : {static_cast<QAction*>(nullptr), Frame->mnuCascade}) {
    if (arrange != nullptr) arrange->trigger();
    const QList<QAction*> actions = Frame->findChildren<QAction*>();
    QList<QKeySequence> keys;
    for (QAction* action : actions) {
      for (const QKeySequence& key : action->shortcuts()) {
        if (!keys.contains(key)) keys << key;
      }
      action->blockSignals(true);
    }
    ASSERT_TRUE(Frame->mnuUndo->isEnabled() && Frame->mnuRedo->isEnabled());
    const TQtWarnings warnings;
    for (const QKeySequence& key : keys) {
      Keys(key[0]);
    }
    for (QAction* action : actions) action->blockSignals(false);
    EXPECT_EQ(warnings.Messages.join(u'\n').toStdString(), "");
    EXPECT_GT(keys.size(), 10);
  }
}

// Ctrl+W asks before a window with changes goes, however the windows are
// arranged; Cancel keeps it, still marked, Discard closes it.
TEST_F(WindowKeysTest, CtrlWClosesTheActiveWindowThroughTheQuestion) {
  std::vector<std::string> asked;
  TSaveChanges answer = TSaveChanges::Cancel;
  Frame->AskSaveChanges = [&](const QString& Name) {
    asked.push_back(Name.toStdString());
    return answer;
  };
  for (QAction* arrange :
       {static_cast<QAction*>(nullptr), Frame->mnuCascade, Frame->mnuTile}) {
    const TQtWarnings warnings;
    Map = Frame->NewMapWindow();
    if (arrange != nullptr) arrange->trigger();
    const qsizetype windows = Children().size();
    DrawTrack(Pixel(0, 0), Pixel(50, 0));
    asked.clear();
    answer = TSaveChanges::Cancel;
    Keys(Qt::CTRL | Qt::Key_W);
    ASSERT_EQ(asked, std::vector<std::string>{"Train Map"});
    EXPECT_EQ(Children().size(), windows);
    EXPECT_TRUE(Map->isWindowModified());
    answer = TSaveChanges::Discard;
    Keys(Qt::CTRL | Qt::Key_W);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(Children().size(), windows - 1);
    EXPECT_EQ(warnings.Messages, QStringList());
  }
  // Unchanged, it closes without a question.
  Map = Frame->ActiveMap();
  asked.clear();
  Keys(Qt::CTRL | Qt::Key_W);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(asked.empty());
  EXPECT_TRUE(Children().isEmpty());
}

// Cascaded windows keep room to draw in, also the one a new frame starts
// with.
TEST_F(WindowKeysTest, CascadedWindowsKeepAUsableSize) {
  for (int windows = 1; windows <= 3; ++windows) {
    if (windows > 1) Frame->NewMapWindow();
    Frame->mnuCascade->trigger();
    const QSize area = Frame->MdiArea->viewport()->size();
    for (QMdiSubWindow* child : Children()) {
      const QSize client = child->widget()->size();
      EXPECT_GE(client.width(), area.width() / 2) << windows;
      EXPECT_GE(client.height(), area.height() / 2) << windows;
    }
  }
}

}  // namespace

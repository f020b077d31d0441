#include "mode_tool_bar.h"

#include <QtGui/QAction>
#include <QtGui/QActionGroup>

TModeToolBar::TModeToolBar(QWidget* Parent)
    : QToolBar(QStringLiteral("Mode"), Parent) {
  struct TButtonText {
    TModeButton Button;
    const char* Text;
    const char* Key;
  };
  const TButtonText kMode[] = {{TModeButton::spbCursor, "Select", "S"},
                               {TModeButton::spbLine, "Build track", "T"},
                               {TModeButton::spbBuild, "Build wall", "W"}};
  const TButtonText kPick[] = {{TModeButton::spbPoint, "Select point", "P"},
                               {TModeButton::spbLines, "Select line", "L"},
                               {TModeButton::spbTrains, "Select train", "R"}};
  const auto add = [this](const TButtonText& Text, QActionGroup* Group) {
    QAction* action = addAction(QString::fromLatin1(Text.Text));
    action->setCheckable(true);
    action->setShortcut(QKeySequence(QString::fromLatin1(Text.Key)));
    if (Group != nullptr) Group->addAction(action);
    Actions[Text.Button] = action;
  };
  auto* modes = new QActionGroup(this);
  for (const TButtonText& text : kMode) add(text, modes);
  addSeparator();
  auto* picks = new QActionGroup(this);
  for (const TButtonText& text : kPick) add(text, picks);
  addSeparator();
  add({TModeButton::spbConn, "Build from selected point", "C"}, nullptr);
  Actions[TModeButton::spbCursor]->setChecked(true);
  Actions[TModeButton::spbPoint]->setChecked(true);
}

bool TModeToolBar::IsDown(TModeButton Button) const {
  return Actions.at(Button)->isChecked();
}

void TModeToolBar::SetConnDown(bool Down) {
  Actions.at(TModeButton::spbConn)->setChecked(Down);
}

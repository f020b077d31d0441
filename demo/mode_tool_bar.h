#pragma once

#include <QtWidgets/QToolBar>
#include <map>

#include "mode_buttons.h"

class QAction;

// A plain tool bar of the seven mode buttons, each with a one-letter
// shortcut, for drawing by hand until the editor's frame exists.
class TModeToolBar : public QToolBar, public TModeButtons {
 public:
  explicit TModeToolBar(QWidget* Parent = nullptr);

  bool IsDown(TModeButton Button) const override;
  void SetConnDown(bool Down) override;

 private:
  std::map<TModeButton, QAction*> Actions;
};

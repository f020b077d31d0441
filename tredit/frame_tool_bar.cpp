#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QToolButton>

#include "frame_window.h"
#include "glyphs.h"
#include "tool_table.h"
#include "up_down.h"

namespace {

constexpr int kToolBarHeight = 41;
constexpr int kButtonSize = 25;
constexpr int kButtonTop = 8;

QFrame* NewPanel(QWidget* Parent, int Left, int Width) {
  auto* panel = new QFrame(Parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setGeometry(Left, 0, Width, kToolBarHeight);
  return panel;
}

QToolButton* NewButton(QFrame* Panel, int Left, const char* Hint,
                       TGlyph Glyph) {
  auto* button = new QToolButton(Panel);
  button->setGeometry(Left, kButtonTop, kButtonSize, kButtonSize);
  button->setToolTip(QString::fromLatin1(Hint));
  button->setIcon(GlyphIcon(Glyph));
  // Like the map window's own controls, a tool button never takes the focus
  // from the map window that the command acts on.
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

// A group in which exactly one button is down; pressing the one that is
// down leaves it down.
QButtonGroup* NewExclusiveGroup(QObject* Owner,
                                std::initializer_list<QToolButton*> Buttons) {
  auto* group = new QButtonGroup(Owner);
  group->setExclusive(true);
  for (QToolButton* button : Buttons) {
    button->setCheckable(true);
    group->addButton(button);
  }
  return group;
}

}  // namespace

void TfrmTrain::CreateToolBar() {
  Panel1 = new QFrame;
  Panel1->setFrameStyle(QFrame::NoFrame);
  Panel1->setFixedHeight(kToolBarHeight);

  Panel2 = NewPanel(Panel1, 0, 69);
  spbZoomin = NewButton(Panel2, 8, "Zoom in", TGlyph::ZoomIn);
  spbZoomout = NewButton(Panel2, 36, "Zoom out", TGlyph::ZoomOut);

  Panel5 = NewPanel(Panel1, 69, 184);
  spbPoint = NewButton(Panel5, 8, "Select point", TGlyph::SelectPoint);
  spbLines = NewButton(Panel5, 36, "Select line", TGlyph::SelectLine);
  spbTrains = NewButton(Panel5, 64, "Select train", TGlyph::SelectTrain);
  spbProperties = NewButton(Panel5, 98, "Set properties", TGlyph::Properties);
  spbRotate =
      NewButton(Panel5, 126, "Rotate switch entry", TGlyph::RotateSwitch);
  spbDefsw = NewButton(Panel5, 154, "Swap default switch direction",
                       TGlyph::SwapSwitch);

  // A button for each tool, one of them down at a time; the panels after it
  // move along as the table grows.
  const int toolsWidth = ToolRows().back().Left + 54;
  Panel3 = NewPanel(Panel1, 253, toolsWidth);
  auto* tools = new QButtonGroup(this);
  tools->setExclusive(true);
  for (const TToolRow& row : ToolRows()) {
    QToolButton* button = NewButton(Panel3, row.Left, row.Hint, row.Glyph);
    button->setCheckable(true);
    tools->addButton(button);
    ToolButtons.emplace_back(row.Button, button);
  }
  spbCursor = ToolButton(TModeButton::spbCursor);
  spbLine = ToolButton(TModeButton::spbLine);
  spbBuild = ToolButton(TModeButton::spbBuild);

  Panel7 = NewPanel(Panel1, 253 + toolsWidth, 80);
  spbConn =
      NewButton(Panel7, 7, "Build from selected point", TGlyph::BuildFromPoint);
  spbNewTrain = NewButton(Panel7, 38, "Create new train", TGlyph::NewTrain);

  Panel6 = NewPanel(Panel1, 333 + toolsWidth, 108);
  Label1 = new QLabel(QStringLiteral("M per grid line"), Panel6);
  Label1->setGeometry(6, 2, 100, 15);
  edtRaster = new QLineEdit(QStringLiteral("100"), Panel6);
  edtRaster->setGeometry(4, 17, 53, 21);
  edtRaster->setEnabled(false);
  UpDown1 = new TUpDown(0, 13, 3, Panel6);
  UpDown1->setGeometry(60, 17, 34, 21);
  UpDown1->setToolTip(QStringLiteral("Change Grid"));

  NewExclusiveGroup(this, {spbPoint, spbLines, spbTrains});
  spbCursor->setChecked(true);
  spbPoint->setChecked(true);
  // Toggles on each press, and may be up with nothing else down.
  spbConn->setCheckable(true);

  const auto onClick = [this](QToolButton* Button, void (TfrmTrain::*Click)()) {
    connect(Button, &QToolButton::clicked, this, Click);
  };
  onClick(spbZoomin, &TfrmTrain::spbZoominClick);
  onClick(spbZoomout, &TfrmTrain::spbZoomoutClick);
  onClick(spbProperties, &TfrmTrain::spbPropertiesClick);
  onClick(spbRotate, &TfrmTrain::spbRotateClick);
  onClick(spbDefsw, &TfrmTrain::spbDefswClick);
  onClick(spbNewTrain, &TfrmTrain::spbNewTrainClick);
  UpDown1->OnClick = [this](TUDBtnType Button) { UpDown1Click(Button); };
}

QToolButton* TfrmTrain::ToolButton(TModeButton Button) const {
  for (const auto& [mode, button] : ToolButtons) {
    if (mode == Button) return button;
  }
  return nullptr;
}

bool TfrmTrain::IsDown(TModeButton Button) const {
  switch (Button) {
    case TModeButton::spbPoint:
      return spbPoint->isChecked();
    case TModeButton::spbLines:
      return spbLines->isChecked();
    case TModeButton::spbTrains:
      return spbTrains->isChecked();
    case TModeButton::spbConn:
      return spbConn->isChecked();
    default: {
      const QToolButton* tool = ToolButton(Button);
      return tool != nullptr && tool->isChecked();
    }
  }
}

void TfrmTrain::SetConnDown(bool Down) { spbConn->setChecked(Down); }

#include <QtGui/QAction>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QToolButton>

#include "busy_cursor.h"
#include "frame_window.h"
#include "map_window.h"

// The Tools menu stands before the Window menu; the dock is made hidden
// and shows with the first check.
void TfrmTrain::CreateToolsMenu() {
  mnuTools = new QMenu(QStringLiteral("&Tools"), this);
  menuBar()->insertMenu(mnuWindow->menuAction(), mnuTools);
  mnuCheckMap = mnuTools->addAction(QStringLiteral("&Check Map"));
  mnuCheckMap->setShortcut(QKeySequence(Qt::Key_F7));
  connect(mnuCheckMap, &QAction::triggered, this, &TfrmTrain::mnuCheckMapClick);
  mnuTools->addSeparator();
  mnuMeasure = mnuTools->addAction(QStringLiteral("&Measure"));
  connect(mnuMeasure, &QAction::triggered, this, [this] {
    if (QToolButton* button = ToolButton(TModeButton::spbMeasure)) {
      button->setChecked(true);
    }
  });
  mnuRoundCorner = mnuTools->addAction(QStringLiteral("Round &Corner..."));
  connect(mnuRoundCorner, &QAction::triggered, this,
          [this] { OnActiveMap([](TfrmMap& Map) { Map.RoundCorner(); }); });
  mnuPointPosition = mnuTools->addAction(QStringLiteral("Point &Position..."));
  connect(mnuPointPosition, &QAction::triggered, this, [this] {
    OnActiveMap([](TfrmMap& Map) { Map.EditPointPosition(); });
  });
  CreateRouteItems();

  dckFindings = new QDockWidget(QStringLiteral("Check Map"), this);
  dckFindings->setObjectName(QStringLiteral("dckFindings"));
  lstFindings = new QListWidget(dckFindings);
  dckFindings->setWidget(lstFindings);
  addDockWidget(Qt::BottomDockWidgetArea, dckFindings);
  dckFindings->hide();
  // A click chooses a finding, also the one already current; so do the
  // arrow keys.
  connect(lstFindings, &QListWidget::currentRowChanged, this,
          &TfrmTrain::lstFindingsChosen);
  connect(lstFindings, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* Item) {
            lstFindingsChosen(lstFindings->row(Item));
          });
}

void TfrmTrain::mnuCheckMapClick() {
  OnActiveMap([this](TfrmMap& Map) {
    std::vector<TLintFinding> found;
    {
      const TBusyCursor busy;
      found = LintMap(*Map.Map());
    }
    // The list is filled before the findings are kept: filling it chooses
    // no finding.
    CheckedMap = nullptr;
    Findings.clear();
    lstFindings->clear();
    for (const TLintFinding& finding : found) {
      lstFindings->addItem(QString::fromStdString(LintLine(finding)));
    }
    if (found.empty()) {
      lstFindings->addItem(QStringLiteral("No problems found"));
    }
    dckFindings->setWindowTitle(
        QStringLiteral("Check Map: %1").arg(Map.Document().DocumentName()));
    dckFindings->show();
    CheckedMap = &Map;
    Findings = std::move(found);
  });
}

void TfrmTrain::lstFindingsChosen(int Row) {
  if (CheckedMap == nullptr || Row < 0 ||
      static_cast<size_t>(Row) >= Findings.size()) {
    return;
  }
  // The checked window comes to the front first, so that its view has the
  // size it is shown at.
  for (QMdiSubWindow* child : MdiArea->subWindowList()) {
    if (child->widget() == CheckedMap) MdiArea->setActiveSubWindow(child);
  }
  OnActiveMap([this, Row](TfrmMap& Map) {
    if (&Map == CheckedMap) Map.ShowFinding(Findings[Row]);
  });
}

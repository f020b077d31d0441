#include <QtCore/QSettings>
#include <QtGui/QAction>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QStatusBar>

#include "frame_window.h"
#include "map_window.h"

void TfrmTrain::CreateViewMenu() {
  mnuView = menuBar()->addMenu(QStringLiteral("&View"));
  const auto item = [this](const char* Caption, const QList<QKeySequence>& Keys,
                           const std::function<void(TfrmMap&)>& Command) {
    QAction* action = mnuView->addAction(QString::fromLatin1(Caption));
    action->setShortcuts(Keys);
    connect(action, &QAction::triggered, this,
            [this, Command] { OnActiveMap(Command); });
    return action;
  };
  // The same steps as the zoom buttons. Ctrl+= is Ctrl++ without Shift on
  // keyboards that have + above =.
  mnuZoomIn = item("Zoom &In",
                   {QKeySequence(Qt::CTRL | Qt::Key_Plus),
                    QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                   [](TfrmMap& Map) { Map.ZoomBy(2.0); });
  mnuZoomOut = item("Zoom &Out", {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
                    [](TfrmMap& Map) { Map.ZoomBy(0.5); });
  mnuZoomFit = item("Zoom to &Fit", {QKeySequence(Qt::CTRL | Qt::Key_0)},
                    [](TfrmMap& Map) { Map.ZoomToFit(); });
  mnuView->addSeparator();
  mnuSnapToGrid = mnuView->addAction(QStringLiteral("Snap to &Grid"));
  mnuSnapToGrid->setCheckable(true);
  connect(mnuSnapToGrid, &QAction::toggled, this, [this](bool On) {
    if (Settings != nullptr) Settings->setValue(kSnapToGridKey, On);
  });
  mnuSimplify = mnuView->addAction(QStringLiteral("&Simplify When Zoomed Out"));
  mnuSimplify->setCheckable(true);
  connect(mnuSimplify, &QAction::toggled, this, [this](bool On) {
    if (Settings != nullptr) Settings->setValue(kSimplifyKey, On);
    for (TfrmMap* map : MapWindows()) map->Repaint();
  });
  CreateRunItems();
}

bool TfrmTrain::SnapToGrid() const { return mnuSnapToGrid->isChecked(); }

bool TfrmTrain::SimplifyZoomedOut() const { return mnuSimplify->isChecked(); }

void TfrmTrain::CreateStatusBar() {
  lblCursor = new QLabel;
  lblView = new QLabel;
  lblSelection = new QLabel;
  // Long texts are cut rather than widening the frame.
  for (QLabel* label : {lblCursor, lblView, lblSelection}) {
    label->setMinimumWidth(1);
  }
  statusBar()->addWidget(lblSelection, 1);
  statusBar()->addPermanentWidget(lblCursor);
  statusBar()->addPermanentWidget(lblView);
}

void TfrmTrain::ShowStatus() {
  const TfrmMap* map = ActiveMap();
  lblCursor->setText(map != nullptr ? map->CursorStatus() : QString());
  lblView->setText(map != nullptr ? map->ViewStatus() : QString());
  lblSelection->setText(map != nullptr ? map->SelectionStatus() : QString());
  EnableRouteItems();
  ShowRunState();
}

#include <QtGui/QAction>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolButton>
#include <optional>
#include <utility>
#include <vector>

#include "frame_window.h"
#include "map_window.h"

namespace {

// The two points of a selection of many that holds two points, the current
// one as the end of the path; none otherwise.
std::optional<std::pair<TTrPoint*, TTrPoint*>> TwoPoints(
    const TMapSelection& Selection) {
  if (Selection.Many.Points.Size() != 2) return std::nullopt;
  std::vector<TTrPoint*> points;
  Selection.Many.Points.ForEach(
      [&](TTrPoint* Point) { points.push_back(Point); });
  // The set has no order: the current point is the end, else the one with
  // the higher identifier.
  if (points[0] == Selection.Point ||
      (points[1] != Selection.Point && points[0]->Id > points[1]->Id)) {
    std::swap(points[0], points[1]);
  }
  return std::pair{points[0], points[1]};
}

}  // namespace

void TfrmTrain::CreateRouteItems() {
  mnuTools->addSeparator();
  mnuShowRoute = mnuTools->addAction(QStringLiteral("Show &Route"));
  mnuShowRoute->setCheckable(true);
  mnuShowRoute->setEnabled(false);
  connect(mnuShowRoute, &QAction::triggered, this,
          &TfrmTrain::mnuShowRouteClick);
  mnuFindPath = mnuTools->addAction(QStringLiteral("&Find Path"));
  connect(mnuFindPath, &QAction::triggered, this, &TfrmTrain::mnuFindPathClick);
  // The selection may have changed without a word to the frame.
  connect(mnuTools, &QMenu::aboutToShow, this, &TfrmTrain::EnableRouteItems);

  dckRoute = new QDockWidget(QStringLiteral("Route"), this);
  dckRoute->setObjectName(QStringLiteral("dckRoute"));
  lstRoute = new QListWidget(dckRoute);
  dckRoute->setWidget(lstRoute);
  addDockWidget(Qt::BottomDockWidgetArea, dckRoute);
  dckRoute->hide();
  // Closing the dock hides the way too; a minimised frame does not.
  connect(dckRoute, &QDockWidget::visibilityChanged, this, [this](bool Shown) {
    if (!Shown && dckRoute->isHidden() && WayMap != nullptr) HideWay();
  });
}

void TfrmTrain::EnableRouteItems() {
  const TfrmMap* map = ActiveMap();
  mnuShowRoute->setEnabled(mnuShowRoute->isChecked() ||
                           (map != nullptr && map->SelectedTrain() != nullptr));
  mnuFindPath->setEnabled(map != nullptr);
}

void TfrmTrain::mnuShowRouteClick(bool Checked) {
  if (!Checked) {
    HideWay();
    return;
  }
  mnuShowRoute->setChecked(false);
  OnActiveMap([](TfrmMap& Map) {
    if (Map.SelectedTrain() != nullptr) Map.ShowRoute(Map.SelectedTrain());
  });
}

// Between two selected points at once; otherwise the tool takes two clicks.
void TfrmTrain::mnuFindPathClick() {
  OnActiveMap([this](TfrmMap& Map) {
    if (const auto points = TwoPoints(Map.Document().Selection())) {
      Map.ShowPath(points->first, points->second);
    } else if (QToolButton* button = ToolButton(TModeButton::spbPath)) {
      button->setChecked(true);
    }
  });
}

// One way is shown at a time, in the dock and in its window.
void TfrmTrain::ListWay(TfrmMap* Map) {
  if (Map->Way() == nullptr) {
    if (Map == WayMap) HideWay();
    return;
  }
  if (WayMap != nullptr && WayMap != Map) {
    static_cast<TfrmMap*>(WayMap.data())->HideWay();
  }
  WayMap = Map;
  const bool route = Map->Way()->IsRoute();
  lstRoute->clear();
  for (const std::string& line : Map->WayText()) {
    lstRoute->addItem(QString::fromStdString(line));
  }
  dckRoute->setWindowTitle(QStringLiteral("%1: %2").arg(
      route ? QStringLiteral("Route") : QStringLiteral("Path"),
      Map->Document().DocumentName()));
  dckRoute->show();
  mnuShowRoute->setChecked(route);
  EnableRouteItems();
}

void TfrmTrain::HideWay() {
  // Let go first: hiding the dock comes back here.
  const QPointer<TfrmMap> map =
      static_cast<TfrmMap*>(std::exchange(WayMap, nullptr).data());
  if (map != nullptr) map->HideWay();
  lstRoute->clear();
  dckRoute->hide();
  mnuShowRoute->setChecked(false);
  EnableRouteItems();
}

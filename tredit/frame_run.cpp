#include <QtGui/QAction>
#include <QtGui/QActionGroup>
#include <QtWidgets/QMenu>

#include "frame_window.h"
#include "map_window.h"

namespace {

constexpr double kSpeedUps[] = {1.0, 2.0, 5.0, 10.0, 60.0};

}  // namespace

void TfrmTrain::CreateRunItems() {
  mnuView->addSeparator();
  mnuRunTrains = mnuView->addAction(QStringLiteral("&Run Trains"));
  mnuRunTrains->setCheckable(true);
  connect(mnuRunTrains, &QAction::triggered, this,
          &TfrmTrain::mnuRunTrainsClick);
  mnuSpeedUp = mnuView->addMenu(QStringLiteral("Run Spee&d"));
  auto* speeds = new QActionGroup(this);
  for (const double speedUp : kSpeedUps) {
    QAction* item =
        mnuSpeedUp->addAction(QStringLiteral("%1 × real time").arg(speedUp));
    item->setCheckable(true);
    item->setChecked(speedUp == RunSpeedUp);
    speeds->addAction(item);
    connect(item, &QAction::triggered, this, [this, speedUp] {
      RunSpeedUp = speedUp;
      for (TfrmMap* map : MapWindows()) map->SetRunSpeedUp(speedUp);
    });
  }
}

void TfrmTrain::mnuRunTrainsClick(bool Checked) {
  OnActiveMap([Checked](TfrmMap& Map) {
    if (Checked) {
      Map.StartRun();
    } else {
      Map.StopRun();
    }
  });
  ShowRunState();
}

void TfrmTrain::ShowRunState() {
  const TfrmMap* map = ActiveMap();
  mnuRunTrains->setEnabled(map != nullptr);
  mnuRunTrains->setChecked(map != nullptr && map->Running());
}

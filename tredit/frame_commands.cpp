#include <QtWidgets/QLineEdit>
#include <exception>

#include "frame_window.h"
#include "grid_steps.h"
#include "map_window.h"
#include "up_down.h"

void TfrmTrain::Guarded(const std::function<void()>& Command) {
  try {
    Command();
  } catch (const std::exception& Error) {
    ShowError(QString::fromUtf8(Error.what()));
  }
}

void TfrmTrain::OnActiveMap(const std::function<void(TfrmMap& Map)>& Command) {
  Guarded([&] {
    if (TfrmMap* map = ActiveMap()) Command(*map);
  });
}

void TfrmTrain::mnuNewClick() {
  Guarded([this] { NewMapWindow(); });
}

void TfrmTrain::mnuExitClick() { close(); }

void TfrmTrain::spbZoominClick() {
  OnActiveMap([](TfrmMap& Map) { Map.ZoomBy(2.0); });
}

void TfrmTrain::spbZoomoutClick() {
  OnActiveMap([](TfrmMap& Map) { Map.ZoomBy(0.5); });
}

void TfrmTrain::UpDown1Click(TUDBtnType Button) {
  OnActiveMap([this, Button](TfrmMap& Map) {
    const double spacing =
        NextGridSpacing(Map.GridSpacing, Button == TUDBtnType::btNext);
    edtRaster->setText(QString::fromStdString(GridSpacingText(spacing)));
    Map.SetGridSpacing(spacing);
  });
}

#include <QtWidgets/QLineEdit>
#include <exception>

#include "frame_window.h"
#include "grid_steps.h"
#include "map_window.h"
#include "number_entry.h"
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

// The window is made before the file is read, so a file that fails to
// open leaves a window named after it.
void TfrmTrain::mnuOpenClick() {
  Guarded([this] {
    if (const std::optional<QString> name = AskOpenFileName()) OpenFile(*name);
  });
}

void TfrmTrain::mnuSaveClick() {
  OnActiveMap([](TfrmMap& Map) { Map.SaveMap(false); });
}

void TfrmTrain::mnuSaveAsClick() {
  OnActiveMap([](TfrmMap& Map) { Map.SaveMap(true); });
}

void TfrmTrain::mnuExportImageClick() {
  OnActiveMap([](TfrmMap& Map) { Map.ExportImage(); });
}

void TfrmTrain::mnuExitClick() { close(); }

void TfrmTrain::mnuUndoClick() {
  OnActiveMap([](TfrmMap& Map) { Map.Undo(); });
}

void TfrmTrain::mnuRedoClick() {
  OnActiveMap([](TfrmMap& Map) { Map.Redo(); });
}

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

void TfrmTrain::spbPropertiesClick() {
  OnActiveMap([](TfrmMap& Map) { Map.EditProperties(); });
}

void TfrmTrain::spbNewTrainClick() {
  OnActiveMap([](TfrmMap& Map) { Map.NewTrain(); });
}

void TfrmTrain::spbRotateClick() {
  OnActiveMap([](TfrmMap& Map) { Map.RotateSwitch(); });
}

void TfrmTrain::spbDefswClick() {
  OnActiveMap([](TfrmMap& Map) { Map.SwapSwitch(); });
}

// Any spacing in range may be typed, also those the up-down cannot reach;
// the window keeps it exactly, and the up-down steps on from it.
void TfrmTrain::mnuRasterClick() {
  OnActiveMap([this](TfrmMap& Map) {
    QString text = EditableNumber(Map.GridSpacing);
    if (!AskGridSpacing(text)) return;
    const std::optional<double> spacing = TypedNumber(text);
    if (!spacing || *spacing < kMinTypedGridSpacing ||
        *spacing > kMaxTypedGridSpacing) {
      ShowError(QStringLiteral(
          "The grid spacing must be a number of metres from 0.001 to 1000000"));
      return;
    }
    edtRaster->setText(QString::fromStdString(GridSpacingText(*spacing)));
    Map.SetGridSpacing(*spacing);
  });
}

void TfrmTrain::mnuScaleClick() {
  OnActiveMap([](TfrmMap& Map) { Map.EditScale(); });
}

void TfrmTrain::mnuBackgroundClick() {
  OnActiveMap([](TfrmMap& Map) { Map.EditBackground(); });
}

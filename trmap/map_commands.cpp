#include <memory>

#include "errors.h"
#include "map_window.h"
#include "track_properties_dialog.h"

namespace {

constexpr double kNewTrainLength = 50.0;

}  // namespace

void TfrmMap::EditProperties() {
  if (TrackPropertiesDialog == nullptr) return;
  TfrmTrackPr& dialog = *TrackPropertiesDialog;
  // The new values show at the next paint: a dialog is no reason to redraw.
  if (auto* track = dynamic_cast<TTrack*>(SelectedLine)) {
    dialog.SetValues(true, track->Poles, track->Platform == 1, 0.0);
    if (!ShowPropertiesDialog(dialog)) return;
    int poles = 0;
    bool platform = false;
    dialog.GetTrackValues(poles, platform);
    // A value read from a file outside the items shows none chosen; with
    // none chosen the track keeps it.
    const uint8_t kept =
        poles >= 0 ? static_cast<uint8_t>(poles) : track->Poles;
    Edit(QStringLiteral("Properties"),
         [&] { Map->SetTrackProperties(track, kept, platform ? 1 : 0); });
  }
  if (SelectedPoint != nullptr && SelectedPoint->IsWallPoint()) {
    dialog.SetValues(false, 0, false, SelectedPoint->Pos.Z);
    if (!ShowPropertiesDialog(dialog)) return;
    int poles = 0;
    bool platform = false;
    double height = 0.0;
    try {
      dialog.GetValues(poles, platform, height);
    } catch (const EConvertError& Error) {
      ShowError(QString::fromStdString(Error.what()));
      return;
    }
    Edit(QStringLiteral("Properties"),
         [&] { Map->SetPointHeight(SelectedPoint, height); });
  }
}

void TfrmMap::NewTrain() {
  // A train stands on track: a point read from a file may have no line,
  // and one on a wall could not be saved (the file names trains by track).
  if (SelectedPoint == nullptr || !IsTrack(SelectedPoint->Conn1.Line)) return;
  const TTrLineEnd& first = SelectedPoint->Conn1;
  Edit(QStringLiteral("New Train"), [&] {
    Map->AddTrain(
        std::make_unique<TTrain>(first.Line, first.End, kNewTrainLength));
  });
  Repaint();
}

void TfrmMap::RotateSwitch() {
  bool rotated = false;
  Edit(QStringLiteral("Rotate Switch"),
       [&] { rotated = Map->RotateSwitch(SelectedPoint); });
  if (rotated) Repaint();
}

void TfrmMap::SwapSwitch() {
  bool swapped = false;
  Edit(QStringLiteral("Swap Switch"),
       [&] { swapped = Map->SwapSwitch(SelectedPoint); });
  if (swapped) Repaint();
}

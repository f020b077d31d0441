#include <QtWidgets/QCheckBox>
#include <memory>

#include "errors.h"
#include "map_window.h"
#include "track_properties_dialog.h"
#include "train_properties_dialog.h"

namespace {

constexpr double kNewTrainLength = 50.0;

}  // namespace

// The new values show at the next paint: a dialog is no reason to redraw.
void TfrmMap::EditProperties() {
  if (auto* track = AsTrack(SelectedLine())) {
    EditTrackProperties(track);
  } else if (SelectedPoint() != nullptr && SelectedPoint()->IsWallPoint()) {
    EditPointHeight(SelectedPoint());
  } else if (SelectedTrain() != nullptr) {
    EditTrain(SelectedTrain());
  }
}

void TfrmMap::EditTrackProperties(TTrack* Track) {
  if (TrackPropertiesDialog == nullptr) return;
  TfrmTrackPr& dialog = *TrackPropertiesDialog;
  dialog.SetValues(true, Track->Poles, Track->Platform == 1, 0.0);
  if (!ShowPropertiesDialog(dialog)) return;
  int poles = 0;
  bool platform = false;
  dialog.GetTrackValues(poles, platform);
  // A value read from a file outside the items shows none chosen; with
  // none chosen the track keeps it.
  const uint8_t kept = poles >= 0 ? static_cast<uint8_t>(poles) : Track->Poles;
  Edit(QStringLiteral("Properties"), [&] {
    Document_->Map().SetTrackProperties(Track, kept, platform ? 1 : 0);
  });
}

void TfrmMap::EditPointHeight(TTrPoint* Point) {
  if (TrackPropertiesDialog == nullptr) return;
  TfrmTrackPr& dialog = *TrackPropertiesDialog;
  dialog.SetValues(false, 0, false, Point->Pos.Z);
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
       [&] { Document_->Map().SetPointHeight(Point, height); });
}

void TfrmMap::EditTrain(TTrain* Train) {
  if (TrainPropertiesDialog == nullptr) return;
  TTrainProps& dialog = *TrainPropertiesDialog;
  dialog.SetLength(Train->Length);
  dialog.SetSpeed(Document_->TrainSpeed(*Train));
  if (!ShowTrainDialog(dialog)) return;
  double length = 0.0;
  double speed = 0.0;
  try {
    length = dialog.TypedLength();
    speed = dialog.TypedSpeed();
  } catch (const EConvertError& Error) {
    ShowError(QString::fromStdString(Error.what()));
    return;
  }
  // The speed is no part of the map: it is kept beside it, as no step.
  Document_->SetTrainSpeed(*Train, speed);
  Edit(QStringLiteral("Properties"),
       [&] { Document_->Map().SetTrainLength(Train, length); });
  if (dialog.cbxDefault->isChecked()) dialog.DefaultLength = length;
  // The train's new extent shows at once: it is drawn along the track.
  Repaint();
}

void TfrmMap::NewTrain() {
  // A train stands on track: a point read from a file may have no line,
  // and one on a wall could not be saved (the file names trains by track).
  const TTrPoint* point = SelectedPoint();
  if (point == nullptr || !IsTrack(point->Conn1.Line)) return;
  const TTrLineEnd& first = point->Conn1;
  const double length = TrainPropertiesDialog != nullptr
                            ? TrainPropertiesDialog->DefaultLength
                            : kNewTrainLength;
  Edit(QStringLiteral("New Train"), [&] {
    Document_->Map().AddTrain(MakeOwned<TTrain>(first.Line, first.End, length));
  });
  Repaint();
}

void TfrmMap::RotateSwitch() {
  bool rotated = false;
  Edit(QStringLiteral("Rotate Switch"),
       [&] { rotated = Document_->Map().RotateSwitch(SelectedPoint()); });
  if (rotated) Repaint();
}

void TfrmMap::SwapSwitch() {
  bool swapped = false;
  Edit(QStringLiteral("Swap Switch"),
       [&] { swapped = Document_->Map().SwapSwitch(SelectedPoint()); });
  if (swapped) Repaint();
}

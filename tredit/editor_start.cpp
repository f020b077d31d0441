#include "editor_start.h"

#include "frame_window.h"
#include "track_properties_dialog.h"
#include "train_properties_dialog.h"

std::unique_ptr<TfrmTrain> StartEditor(const TEditorStart& Start) {
  auto frmTrain = std::make_unique<TfrmTrain>();
  if (Start.ShowError) frmTrain->ShowError = Start.ShowError;
  if (!Start.SettingsFile.isEmpty()) {
    frmTrain->UseSettings(Start.SettingsFile);
    frmTrain->RestoreFramePlace();
  }
  frmTrain->show();
  frmTrain->StartRecovery(Start.RecoveryFolder);
  const bool reopened = frmTrain->ReopenRecoveredMaps();
  for (const QString& name : Start.Files) frmTrain->OpenFile(name);
  if (!reopened && Start.Files.isEmpty()) frmTrain->NewMapWindow();
  // Both stay hidden until used; the frame owns them, so they go with it.
  frmTrain->SetPropertiesDialogs(new TfrmTrackPr(frmTrain.get()),
                                 new TTrainProps(frmTrain.get()));
  return frmTrain;
}

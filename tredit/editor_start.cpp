#include "editor_start.h"

#include "frame_window.h"
#include "track_properties_dialog.h"
#include "train_properties_dialog.h"

std::unique_ptr<TfrmTrain> StartEditor(const QString& RecoveryFolder) {
  auto frmTrain = std::make_unique<TfrmTrain>();
  frmTrain->show();
  frmTrain->StartRecovery(RecoveryFolder);
  if (!frmTrain->ReopenRecoveredMaps()) frmTrain->NewMapWindow();
  // Both stay hidden until used; the frame owns them, so they go with it.
  frmTrain->SetPropertiesDialogs(new TfrmTrackPr(frmTrain.get()),
                                 new TTrainProps(frmTrain.get()));
  return frmTrain;
}

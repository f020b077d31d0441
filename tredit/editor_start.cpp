#include "editor_start.h"

#include "frame_window.h"

std::unique_ptr<TfrmTrain> StartEditor() {
  auto frmTrain = std::make_unique<TfrmTrain>();
  frmTrain->show();
  frmTrain->NewMapWindow();
  return frmTrain;
}

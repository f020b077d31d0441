#include <stdexcept>

#include "background_dialog.h"
#include "map_window.h"

void TfrmMap::EditBackground() {
  if (GestureUnderway()) return;
  if (BackgroundDialog == nullptr) BackgroundDialog = new TfrmBackground(this);
  TfrmBackground& dialog = *BackgroundDialog;
  const std::optional<TMapBackground>& background = Document_->Background();
  dialog.SetValues(background);
  if (!ShowBackgroundDialog(dialog)) return;
  if (dialog.RemoveChosen()) {
    Document_->SetBackground(std::nullopt, QStringLiteral("Remove Background"));
    return;
  }
  try {
    Document_->SetBackground(dialog.Values(),
                             background ? QStringLiteral("Change Background")
                                        : QStringLiteral("Set Background"));
  } catch (const std::runtime_error& Error) {
    ShowError(QString::fromStdString(Error.what()));
  }
}

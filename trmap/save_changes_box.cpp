#include "save_changes_box.h"

#include <QtWidgets/QMessageBox>

TSaveChanges AskSaveChangesBox(QWidget* Parent, const QString& Name) {
  QMessageBox box(
      QMessageBox::Question, QStringLiteral("Train Map Editor"),
      QStringLiteral("Save changes to %1?").arg(Name),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, Parent);
  box.setDefaultButton(QMessageBox::Save);
  const int answer = box.exec();
  // The window the question came from may close now; the keys must still
  // reach the frame, with or without a window manager to give them there.
  if (Parent != nullptr) Parent->window()->activateWindow();
  switch (answer) {
    case QMessageBox::Save:
      return TSaveChanges::Save;
    case QMessageBox::Discard:
      return TSaveChanges::Discard;
    default:
      return TSaveChanges::Cancel;
  }
}

#include "save_changes_box.h"

#include <QtWidgets/QMessageBox>

TSaveChanges AskSaveChangesBox(QWidget* Parent, const QString& Name) {
  QMessageBox box(
      QMessageBox::Question, QStringLiteral("Train Map Editor"),
      QStringLiteral("Save changes to %1?").arg(Name),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, Parent);
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save:
      return TSaveChanges::Save;
    case QMessageBox::Discard:
      return TSaveChanges::Discard;
    default:
      return TSaveChanges::Cancel;
  }
}

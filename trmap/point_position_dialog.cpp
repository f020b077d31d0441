#include "point_position_dialog.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLineEdit>

TPointPositionDialog::TPointPositionDialog(QWidget* Parent) : QDialog(Parent) {
  setWindowTitle(QStringLiteral("Point Position"));
  auto* layout = new QFormLayout(this);
  edtX = new QLineEdit(this);
  edtY = new QLineEdit(this);
  layout->addRow(QStringLiteral("&X (m):"), edtX);
  layout->addRow(QStringLiteral("&Y (m):"), edtY);
  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addRow(buttons);
}

bool TPointPositionDialog::Ask(QWidget* Parent, QString& X, QString& Y) {
  TPointPositionDialog dialog(Parent);
  dialog.edtX->setText(X);
  dialog.edtY->setText(Y);
  dialog.edtX->selectAll();
  if (dialog.exec() != QDialog::Accepted) return false;
  X = dialog.edtX->text();
  Y = dialog.edtY->text();
  return true;
}

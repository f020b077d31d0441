#include "number_dialog.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

TNumberDialog::TNumberDialog(QWidget* Parent, const QString& Title,
                             const QString& Label)
    : QDialog(Parent) {
  setWindowTitle(Title);
  auto* layout = new QVBoxLayout(this);
  lblValue = new QLabel(Label, this);
  edtValue = new QLineEdit(this);
  lblValue->setBuddy(edtValue);
  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(lblValue);
  layout->addWidget(edtValue);
  layout->addWidget(buttons);
}

bool TNumberDialog::Ask(QWidget* Parent, const QString& Title,
                        const QString& Label, QString& Text) {
  TNumberDialog dialog(Parent, Title, Label);
  dialog.edtValue->setText(Text);
  dialog.edtValue->selectAll();
  if (dialog.exec() != QDialog::Accepted) return false;
  Text = dialog.edtValue->text();
  return true;
}

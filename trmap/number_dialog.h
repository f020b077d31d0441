#pragma once

#include <QtWidgets/QDialog>

class QLabel;
class QLineEdit;

// A small modal dialog that asks for one number as text: a label, an edit
// field, OK and Cancel.
class TNumberDialog : public QDialog {
 public:
  TNumberDialog(QWidget* Parent, const QString& Title, const QString& Label);

  QLabel* lblValue;
  QLineEdit* edtValue;

  // Shows the dialog with Text; on OK Text is what the user typed and the
  // answer is true.
  static bool Ask(QWidget* Parent, const QString& Title, const QString& Label,
                  QString& Text);
};

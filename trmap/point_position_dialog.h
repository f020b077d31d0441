#pragma once

#include <QtWidgets/QDialog>

class QLineEdit;

// Point Position: the x and y of a point in metres, as text, with OK and
// Cancel.
class TPointPositionDialog : public QDialog {
 public:
  explicit TPointPositionDialog(QWidget* Parent);

  QLineEdit* edtX;
  QLineEdit* edtY;

  // Shows the dialog with X and Y; on OK they are what the user typed and
  // the answer is true.
  static bool Ask(QWidget* Parent, QString& X, QString& Y);
};

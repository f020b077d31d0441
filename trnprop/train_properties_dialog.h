#pragma once

#include <QtWidgets/QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The train properties form: length, speed and whether the train is the
// default one. A train records none of these yet, so no command opens it;
// the program creates it once so that one can be wired up later.
class TTrainProps : public QDialog {
 public:
  explicit TTrainProps(QWidget* Parent = nullptr);

  QLineEdit* edtLength;
  QLineEdit* edtSpeed;
  QCheckBox* cbxDefault;
  QPushButton* btnOk;
  QPushButton* Button1;
};

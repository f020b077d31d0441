#pragma once

#include <QtWidgets/QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The train properties form: length, speed and whether the train is the
// default one. One form serves the whole program; it edits a train's
// length and its speed in trial runs, and with "Default Train" ticked the
// length is also that of trains placed later.
class TTrainProps : public QDialog {
 public:
  explicit TTrainProps(QWidget* Parent = nullptr);

  // Prepares the form for a train of Length metres.
  void SetLength(double Length);
  // The length typed, in metres: a finite number from 1 to 10000. Throws
  // EConvertError with the message for the user otherwise.
  double TypedLength() const;
  // Prepares the form for a train running at Speed km/h.
  void SetSpeed(double Speed);
  // The speed typed, in km/h: a finite number from 0 to 1000. Throws
  // EConvertError with the message for the user otherwise.
  double TypedSpeed() const;

  // The length of trains placed from now on, in this run.
  double DefaultLength = 50.0;

  QLineEdit* edtLength;
  QLineEdit* edtSpeed;
  QCheckBox* cbxDefault;
  QPushButton* btnOk;
  QPushButton* Button1;
};

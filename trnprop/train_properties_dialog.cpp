#include "train_properties_dialog.h"

#include <QtCore/QLocale>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <cmath>

#include "errors.h"

namespace {

constexpr double kShortestTrain = 1.0;
constexpr double kLongestTrain = 10000.0;
constexpr double kFastestTrain = 1000.0;

}  // namespace

TTrainProps::TTrainProps(QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Train Properties"));
  setFixedSize(217, 219);

  auto* lengthLabel = new QLabel(QStringLiteral("Length"), this);
  lengthLabel->setGeometry(16, 24, 60, 21);
  edtLength = new QLineEdit(this);
  edtLength->setGeometry(88, 22, 113, 24);
  auto* speedLabel = new QLabel(QStringLiteral("Speed"), this);
  speedLabel->setGeometry(16, 64, 60, 21);
  edtSpeed = new QLineEdit(this);
  edtSpeed->setGeometry(88, 62, 113, 24);

  cbxDefault = new QCheckBox(QStringLiteral("Default Train"), this);
  // The caption stands to the left of the box.
  cbxDefault->setLayoutDirection(Qt::RightToLeft);
  cbxDefault->setGeometry(16, 104, 185, 22);
  cbxDefault->setChecked(true);

  btnOk = new QPushButton(QStringLiteral("&OK"), this);
  btnOk->setGeometry(16, 176, 85, 27);
  btnOk->setDefault(true);
  Button1 = new QPushButton(QStringLiteral("&Cancel"), this);
  Button1->setGeometry(116, 176, 85, 27);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  // A Cancel button that did not close the form would trap the user in it.
  connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

  setModal(true);
}

void TTrainProps::SetLength(double Length) {
  edtLength->setText(
      QString::number(Length, 'g', QLocale::FloatingPointShortest));
}

double TTrainProps::TypedLength() const {
  bool number = false;
  const double length = edtLength->text().trimmed().toDouble(&number);
  if (!number || !std::isfinite(length) || length < kShortestTrain ||
      length > kLongestTrain) {
    throw EConvertError("'" + edtLength->text().toStdString() +
                        "' is not a valid train length: give metres from 1 "
                        "to 10000");
  }
  return length;
}

void TTrainProps::SetSpeed(double Speed) {
  edtSpeed->setText(
      QString::number(Speed, 'g', QLocale::FloatingPointShortest));
}

double TTrainProps::TypedSpeed() const {
  bool number = false;
  const double speed = edtSpeed->text().trimmed().toDouble(&number);
  if (!number || !std::isfinite(speed) || speed < 0.0 ||
      speed > kFastestTrain) {
    throw EConvertError("'" + edtSpeed->text().toStdString() +
                        "' is not a valid train speed: give km/h from 0 "
                        "to 1000");
  }
  return speed;
}

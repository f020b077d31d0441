#include "track_properties_dialog.h"

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <string>

#include "errors.h"

namespace {

class TrackPropertiesDialogTest : public ::testing::Test {
 protected:
  TfrmTrackPr Dialog;

  // The height the dialog reads back from Text, or the error it raises.
  std::string HeightFrom(const char* Text) {
    Dialog.edtHeight->setText(QString::fromUtf8(Text));
    int poles = 0;
    bool platform = false;
    double height = 0.0;
    try {
      Dialog.GetValues(poles, platform, height);
    } catch (const EConvertError& Error) {
      return Error.what();
    }
    return std::to_string(height);
  }
};

TEST_F(TrackPropertiesDialogTest, TrackShapeShowsPolesAndPlatformOnly) {
  Dialog.SetValues(true, 2, true, 0.0);
  EXPECT_EQ(Dialog.windowTitle(), "Track Properties");
  EXPECT_FALSE(Dialog.rgrPoles->isHidden());
  EXPECT_FALSE(Dialog.grbStation->isHidden());
  EXPECT_TRUE(Dialog.grbWall->isHidden());
  EXPECT_EQ(Dialog.height(), 185);
  EXPECT_EQ(Dialog.width(), 186);
  EXPECT_EQ(Dialog.rgrPoles->title(), "Poles");
  EXPECT_EQ(Dialog.PolesItems->button(2)->text(), "Over");
  EXPECT_EQ(Dialog.grbStation->title(), "Station");
  EXPECT_EQ(Dialog.cbxPlatform->text(), "Platform");
  EXPECT_EQ(Dialog.BottomPanel->y(), 141);

  int poles = -1;
  bool platform = false;
  Dialog.GetTrackValues(poles, platform);
  EXPECT_EQ(poles, 2);
  EXPECT_TRUE(platform);

  Dialog.SetValues(true, 0, false, 0.0);
  Dialog.GetTrackValues(poles, platform);
  EXPECT_EQ(poles, 0);
  EXPECT_FALSE(platform);
}

TEST_F(TrackPropertiesDialogTest, PolesOutsideTheItemsChooseNone) {
  Dialog.SetValues(true, 7, false, 0.0);
  int poles = 0;
  bool platform = true;
  Dialog.GetTrackValues(poles, platform);
  EXPECT_EQ(poles, -1);
  // The group stays exclusive once the user picks an item.
  Dialog.PolesItems->button(1)->click();
  Dialog.PolesItems->button(2)->click();
  Dialog.GetTrackValues(poles, platform);
  EXPECT_EQ(poles, 2);
  EXPECT_FALSE(Dialog.PolesItems->button(1)->isChecked());
}

TEST_F(TrackPropertiesDialogTest, PointShapeShowsTheHeightRoundedHalfToEven) {
  Dialog.SetValues(false, 0, false, 2.5);
  EXPECT_EQ(Dialog.windowTitle(), "Point Properties");
  EXPECT_TRUE(Dialog.rgrPoles->isHidden());
  EXPECT_TRUE(Dialog.grbStation->isHidden());
  EXPECT_FALSE(Dialog.grbWall->isHidden());
  EXPECT_EQ(Dialog.grbWall->title(), "Wall Point");
  EXPECT_EQ(Dialog.height(), 98);
  EXPECT_EQ(Dialog.BottomPanel->y(), 54);
  EXPECT_EQ(Dialog.edtHeight->text(), "2");
  Dialog.SetValues(false, 0, false, 3.5);
  EXPECT_EQ(Dialog.edtHeight->text(), "4");
  Dialog.SetValues(false, 0, false, -2.5);
  EXPECT_EQ(Dialog.edtHeight->text(), "-2");
  // A height far beyond 32 bits is still shown; reading it back fails.
  Dialog.SetValues(false, 0, false, 1e12);
  EXPECT_EQ(Dialog.edtHeight->text(), "1000000000000");

  // Back to the track shape and again: the groups follow.
  Dialog.SetValues(true, 1, false, 0.0);
  EXPECT_EQ(Dialog.height(), 185);
  Dialog.SetValues(false, 0, false, 0.0);
  EXPECT_EQ(Dialog.height(), 98);
}

TEST_F(TrackPropertiesDialogTest, WholeNumbersInEitherNotationAreRead) {
  EXPECT_EQ(HeightFrom("12"), "12.000000");
  EXPECT_EQ(HeightFrom("  12"), "12.000000");
  EXPECT_EQ(HeightFrom("+12"), "12.000000");
  EXPECT_EQ(HeightFrom("-3"), "-3.000000");
  EXPECT_EQ(HeightFrom("$1F"), "31.000000");
  EXPECT_EQ(HeightFrom(" $1f"), "31.000000");
  EXPECT_EQ(HeightFrom("007"), "7.000000");
  EXPECT_EQ(HeightFrom("2147483647"), "2147483647.000000");
  EXPECT_EQ(HeightFrom("-2147483648"), "-2147483648.000000");
  EXPECT_EQ(HeightFrom("$7FFFFFFF"), "2147483647.000000");
}

TEST_F(TrackPropertiesDialogTest, AnythingElseIsNamedInTheError) {
  EXPECT_EQ(HeightFrom("12m"), "'12m' is not a valid integer value");
  EXPECT_EQ(HeightFrom("12 "), "'12 ' is not a valid integer value");
  EXPECT_EQ(HeightFrom("3.5"), "'3.5' is not a valid integer value");
  EXPECT_EQ(HeightFrom(""), "'' is not a valid integer value");
  EXPECT_EQ(HeightFrom("  "), "'  ' is not a valid integer value");
  EXPECT_EQ(HeightFrom("-"), "'-' is not a valid integer value");
  EXPECT_EQ(HeightFrom("$"), "'$' is not a valid integer value");
  EXPECT_EQ(HeightFrom("-$1"), "'-$1' is not a valid integer value");
  EXPECT_EQ(HeightFrom("$G"), "'$G' is not a valid integer value");
  EXPECT_EQ(HeightFrom("1F"), "'1F' is not a valid integer value");
  EXPECT_EQ(HeightFrom("2147483648"),
            "'2147483648' is not a valid integer value");
  EXPECT_EQ(HeightFrom("-2147483649"),
            "'-2147483649' is not a valid integer value");
  EXPECT_EQ(HeightFrom("$80000000"),
            "'$80000000' is not a valid integer value");
  EXPECT_EQ(HeightFrom("99999999999999999999999"),
            "'99999999999999999999999' is not a valid integer value");
  EXPECT_EQ(HeightFrom("１２"), "'１２' is not a valid integer value");
}

// Runs the dialog modally and sends Key to it once it is up.
int ExecPressing(TfrmTrackPr& Dialog, int Key) {
  QTimer::singleShot(0, &Dialog, [&Dialog, Key] {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) target = &Dialog;
    QKeyEvent press(QEvent::KeyPress, Key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
  });
  return Dialog.exec();
}

TEST_F(TrackPropertiesDialogTest, EnterIsOkAndEscapeIsCancel) {
  EXPECT_EQ(Dialog.Button1->text(), "&OK");
  EXPECT_TRUE(Dialog.Button1->isDefault());
  EXPECT_EQ(Dialog.Button2->text(), "&Cancel");
  Dialog.SetValues(false, 0, false, 5.0);
  EXPECT_EQ(ExecPressing(Dialog, Qt::Key_Return), QDialog::Accepted);
  EXPECT_EQ(ExecPressing(Dialog, Qt::Key_Escape), QDialog::Rejected);
  Dialog.SetValues(true, 0, false, 0.0);
  EXPECT_EQ(ExecPressing(Dialog, Qt::Key_Return), QDialog::Accepted);
}

TEST_F(TrackPropertiesDialogTest, TheButtonsCloseWithTheirResult) {
  QTimer::singleShot(0, Dialog.Button2, &QPushButton::click);
  EXPECT_EQ(Dialog.exec(), QDialog::Rejected);
  QTimer::singleShot(0, Dialog.Button1, &QPushButton::click);
  EXPECT_EQ(Dialog.exec(), QDialog::Accepted);
  // Closing the window is Cancel.
  QTimer::singleShot(0, &Dialog, &QWidget::close);
  EXPECT_EQ(Dialog.exec(), QDialog::Rejected);
}

}  // namespace

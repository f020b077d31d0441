#include "train_properties_dialog.h"

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

namespace {

TEST(TrainPropertiesDialogTest, ShowsTheDesignedFormAndCloses) {
  TTrainProps dialog;
  EXPECT_EQ(dialog.windowTitle(), "Train Properties");
  EXPECT_EQ(dialog.size(), QSize(217, 219));
  EXPECT_TRUE(dialog.edtLength->text().isEmpty());
  EXPECT_TRUE(dialog.edtSpeed->text().isEmpty());
  EXPECT_EQ(dialog.cbxDefault->text(), "Default Train");
  EXPECT_TRUE(dialog.cbxDefault->isChecked());
  EXPECT_EQ(dialog.cbxDefault->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(dialog.btnOk->text(), "&OK");
  EXPECT_TRUE(dialog.btnOk->isDefault());
  EXPECT_EQ(dialog.Button1->text(), "&Cancel");

  QTimer::singleShot(0, dialog.Button1, &QPushButton::click);
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  QTimer::singleShot(0, dialog.btnOk, &QPushButton::click);
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

}  // namespace

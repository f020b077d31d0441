#include <gmock/gmock.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <functional>

#include "map_file_dialogs.h"
#include "map_window.h"
#include "recording_canvas.h"

namespace {

// Drives a save dialog as a user would: once it is up, picks Name and
// presses Save. A question or warning it raises is answered by closing it,
// its text kept in Asked, and the dialog is then cancelled.
class MapSaveDialogTest : public ::testing::Test {
 protected:
  QTemporaryDir Folder;
  QString Asked;

  void PickOnceShown(const QString& Name) {
    QTimer::singleShot(0, [this, Name] {
      auto* dialog =
          qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      QFileDialog& Dialog = *dialog;
      Dialog.selectFile(Name);
      QTimer::singleShot(0, [this] {
        if (auto* box =
                qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          Asked = box->text();
          box->reject();
        }
      });
      // The Save button's slot; QFileDialog hides it behind QDialog's.
      static_cast<QDialog&>(Dialog).accept();
      if (Dialog.isVisible()) Dialog.reject();
    });
  }

  QString Saved(const char* Typed) {
    TMapSaveDialog dialog(nullptr);
    PickOnceShown(Folder.filePath(QString::fromUtf8(Typed)));
    if (dialog.exec() != QDialog::Accepted) return QStringLiteral("cancelled");
    return QDir(Folder.path())
        .relativeFilePath(dialog.selectedFiles().value(0));
  }
};

TEST_F(MapSaveDialogTest, AddsTheExtensionOnlyToANameWithout) {
  EXPECT_EQ(Saved("plain"), "plain.TRN");
  EXPECT_EQ(Saved("other.txt"), "other.txt");
  EXPECT_TRUE(Asked.isEmpty());
}

TEST_F(MapSaveDialogTest, AsksBeforeReplacingAndRefusesAMissingFolder) {
  QFile existing(Folder.filePath(QStringLiteral("there.TRN")));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  EXPECT_EQ(Saved("there"), "cancelled");
  EXPECT_THAT(Asked.toStdString(), ::testing::HasSubstr("already exists"));

  Asked.clear();
  EXPECT_EQ(Saved("no folder/map"), "cancelled");
  EXPECT_EQ(Asked, "The folder " +
                       QDir::toNativeSeparators(
                           Folder.filePath(QStringLiteral("no folder"))) +
                       " does not exist.");
}

TEST_F(MapSaveDialogTest, TheWindowSavesThroughItsOwnDialog) {
  TfrmMap window(nullptr, std::make_unique<TRecordingCanvas>());
  window.Map()->NewPoint(0, 0);
  PickOnceShown(Folder.filePath(QStringLiteral("map")));
  window.SaveMap(false);
  ASSERT_NE(window.SaveDialog1, nullptr);
  EXPECT_EQ(window.SaveDialog1->nameFilters(),
            QStringList{QStringLiteral("Train Map (*.TRN)")});
  const QString name = Folder.filePath(QStringLiteral("map.TRN"));
  EXPECT_EQ(window.FileName(), name);
  EXPECT_TRUE(QFile::exists(name));
}

}  // namespace

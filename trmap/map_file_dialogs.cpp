#include "map_file_dialogs.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtWidgets/QMessageBox>

void ConfigureMapFileDialog(QFileDialog& Dialog) {
  Dialog.setOption(QFileDialog::DontUseNativeDialog);
  Dialog.setNameFilter(QStringLiteral("Train Map (*.TRN)"));
  Dialog.setDefaultSuffix(QStringLiteral("TRN"));
}

void ConfigureOpenMapDialog(QFileDialog& Dialog) {
  ConfigureMapFileDialog(Dialog);
  Dialog.setWindowTitle(QStringLiteral("Open Train Map"));
  Dialog.setAcceptMode(QFileDialog::AcceptOpen);
  Dialog.setFileMode(QFileDialog::AnyFile);
}

TMapSaveDialog::TMapSaveDialog(QWidget* Parent) : QFileDialog(Parent) {
  ConfigureMapFileDialog(*this);
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
}

void TMapSaveDialog::accept() {
  // Qt asks before replacing a file but lets a missing folder through.
  const QStringList names = selectedFiles();
  if (!names.isEmpty()) {
    const QDir folder = QFileInfo(names.first()).absoluteDir();
    if (!folder.exists()) {
      QMessageBox::warning(
          this, windowTitle(),
          QStringLiteral("The folder %1 does not exist.")
              .arg(QDir::toNativeSeparators(folder.absolutePath())));
      return;
    }
  }
  QFileDialog::accept();
}

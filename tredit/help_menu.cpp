#include <zlib.h>

#include <QtGui/QAction>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QMessageBox>

#include "frame_window.h"
#include "shortcuts_window.h"
#include "tr_version.h"

void TfrmTrain::CreateHelpMenu() {
  mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  mnuShortcuts = mnuHelp->addAction(QStringLiteral("&Keyboard Shortcuts"));
  mnuAbout = mnuHelp->addAction(QStringLiteral("&About Train Map Editor"));
  mnuAboutQt = mnuHelp->addAction(QStringLiteral("About &Qt"));
  connect(mnuShortcuts, &QAction::triggered, this,
          &TfrmTrain::mnuShortcutsClick);
  connect(mnuAbout, &QAction::triggered, this, &TfrmTrain::mnuAboutClick);
  connect(mnuAboutQt, &QAction::triggered, this,
          [this] { QMessageBox::aboutQt(this); });
  ShowHelpDialog = [](QDialog& Dialog) { Dialog.exec(); };
}

// Made anew each time from the actions, so it lists the keys as they are.
void TfrmTrain::mnuShortcutsClick() {
  TShortcutsWindow window(this, ShortcutRows(*this));
  ShowHelpDialog(window);
}

void TfrmTrain::mnuAboutClick() {
  QMessageBox box(this);
  box.setWindowTitle(QStringLiteral("About Train Map Editor"));
  box.setIconPixmap(QApplication::windowIcon().pixmap(64));
  box.setTextFormat(Qt::RichText);
  box.setText(
      QStringLiteral(
          "<h3>Train Map Editor %1</h3>"
          "<p>Draws railway track, switches, walls and trains on a metre grid, "
          "and keeps them in .TRN map files.</p>"
          "<p>Licence: %2</p>"
          "<p>Libraries used: Qt %3 (built with %4), zlib %5 (built with "
          "%6)</p>")
          .arg(QStringLiteral(TR_VERSION), QStringLiteral(TR_LICENSE),
               QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR),
               QString::fromLatin1(zlibVersion()),
               QStringLiteral(ZLIB_VERSION)));
  ShowHelpDialog(box);
}

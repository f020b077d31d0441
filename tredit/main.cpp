// The train map editor: the frame window with the maps left unsaved when
// it last ended and the map files named on the command line, or else one
// empty map, until the frame is closed or the program is told to end.
#include <QtCore/QDir>
#include <QtCore/QStandardPaths>
#include <QtGui/QIcon>
#include <QtWidgets/QApplication>
#include <cstdio>
#include <memory>

#include "command_line.h"
#include "display_check.h"
#include "editor_start.h"
#include "file_access.h"
#include "frame_window.h"
#include "termination_signals.h"

int main(int argc, char* argv[]) {
  IgnoreFileSizeSignal();
  // Help and the version need no display; without one the arguments are
  // read all the same, so that they can be told.
  const bool display = DisplayAvailable();
  std::unique_ptr<QCoreApplication> app;
  if (display) {
    app = std::make_unique<QApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  const TEditorCommandLine line =
      ReadEditorCommandLine(QCoreApplication::arguments());
  if (line.ExitStatus) {
    std::fputs(line.Out.toLocal8Bit().constData(), stdout);
    std::fputs(line.Err.toLocal8Bit().constData(), stderr);
    return *line.ExitStatus;
  }
  if (!display) {
    std::fputs("tredit: no display available (set DISPLAY or run under Xvfb)\n",
               stderr);
    return 1;
  }
  QApplication::setApplicationName(QStringLiteral("Train Map Editor"));
  // The desktop matches the windows to the entry that started them.
  QGuiApplication::setDesktopFileName(QStringLiteral(TR_APP_ID));
  QIcon icon;
  for (const QString& size : QDir(QStringLiteral(":/icons")).entryList()) {
    icon.addFile(QStringLiteral(":/icons/%1/" TR_APP_ID ".png").arg(size));
  }
  QApplication::setWindowIcon(icon);
  // In the user's data folder for this program, such as
  // ~/.local/share/Train Map Editor; without one nothing can be kept.
  const QString data =
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  // Such as ~/.config/Train Map Editor/tredit.conf.
  const QString config =
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  TEditorStart start;
  if (!data.isEmpty())
    start.RecoveryFolder = data + QStringLiteral("/recovery");
  if (!config.isEmpty()) {
    start.SettingsFile = config + QStringLiteral("/tredit.conf");
  }
  start.Files = line.Files;
  const auto frmTrain = StartEditor(start);
  const TTerminationSignals ending([&frmTrain] { frmTrain->EndBySignal(); });
  return QApplication::exec();
}

// The train map editor: the frame window with the maps left unsaved when
// it last ended and the map files named on the command line, or else one
// empty map, until the frame is closed or the program is told to end.
#include <QtCore/QStandardPaths>
#include <QtWidgets/QApplication>
#include <cstdio>

#include "display_check.h"
#include "editor_start.h"
#include "file_access.h"
#include "frame_window.h"
#include "termination_signals.h"

int main(int argc, char* argv[]) {
  if (!DisplayAvailable()) {
    std::fputs("tredit: no display available (set DISPLAY or run under Xvfb)\n",
               stderr);
    return 1;
  }
  IgnoreFileSizeSignal();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Train Map Editor"));
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
  start.Files = QApplication::arguments().mid(1);
  const auto frmTrain = StartEditor(start);
  const TTerminationSignals ending([&frmTrain] { frmTrain->EndBySignal(); });
  return QApplication::exec();
}

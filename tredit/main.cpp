// The train map editor: the frame window with one empty map, or the maps
// left unsaved when it last ended, until the frame is closed.
#include <QtCore/QStandardPaths>
#include <QtWidgets/QApplication>
#include <cstdio>

#include "display_check.h"
#include "editor_start.h"
#include "file_access.h"
#include "frame_window.h"

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
  const auto frmTrain = StartEditor(
      data.isEmpty() ? QString() : data + QStringLiteral("/recovery"));
  return QApplication::exec();
}

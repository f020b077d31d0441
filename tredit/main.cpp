// The train map editor: the frame window with one empty map, until the
// frame is closed.
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
  const auto frmTrain = StartEditor();
  return QApplication::exec();
}

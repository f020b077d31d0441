// Shows one map window holding a small map built in code, inside a
// multiple-document frame as the editor will, with a tool bar of the mode
// buttons and menus to open and save maps and to run the commands on the
// selection: a place to look at drawing and to edit by hand.
#include <QtWidgets/QApplication>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>

#include "command_menus.h"
#include "map_window.h"
#include "mode_tool_bar.h"
#include "sample_map.h"
#include "track_properties_dialog.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow frame;
  frame.setWindowTitle(QStringLiteral("Train Map Editor"));
  auto* area = new QMdiArea(&frame);
  frame.setCentralWidget(area);
  frame.resize(1024, 700);
  auto* modes = new TModeToolBar(&frame);
  frame.addToolBar(modes);
  auto* properties = new TfrmTrackPr(&frame);
  AddCommandMenus(frame, *area, *modes, *properties);

  TfrmMap* window = AddMapWindow(*area, *modes, *properties);
  window->Map = BuildSampleMap();
  frame.show();
  window->SelectTrain(window->Map->Trains.back().get());
  return app.exec();
}

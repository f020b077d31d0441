// Shows one map window holding a small map built in code, inside a
// multiple-document frame as the editor will, with a tool bar of the mode
// buttons: a place to look at drawing and to edit by hand.
#include <QtWidgets/QApplication>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>

#include "map_window.h"
#include "mode_tool_bar.h"
#include "sample_map.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow frame;
  frame.setWindowTitle(QStringLiteral("Train Map Editor"));
  auto* area = new QMdiArea(&frame);
  frame.setCentralWidget(area);
  frame.resize(1024, 700);
  auto* modes = new TModeToolBar(&frame);
  frame.addToolBar(modes);

  auto* window = new TfrmMap;
  window->Map = BuildSampleMap();
  window->ModeButtons = modes;
  QMdiSubWindow* child = area->addSubWindow(window);
  child->setAttribute(Qt::WA_DeleteOnClose);
  child->setWindowTitle(QStringLiteral("Sample map"));
  child->showMaximized();
  frame.show();
  window->SelectTrain(window->Map->Trains.back().get());
  return app.exec();
}

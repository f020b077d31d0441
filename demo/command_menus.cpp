#include "command_menus.h"

#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenuBar>
#include <functional>

#include "map_file_dialogs.h"
#include "map_window.h"
#include "mode_tool_bar.h"

namespace {

TfrmMap* ActiveMap(QMdiArea& Area) {
  QMdiSubWindow* child = Area.activeSubWindow();
  return child != nullptr ? dynamic_cast<TfrmMap*>(child->widget()) : nullptr;
}

}  // namespace

TfrmMap* AddMapWindow(QMdiArea& Area, TModeToolBar& Modes,
                      TfrmTrackPr& Properties) {
  auto* window = new TfrmMap;
  window->ModeButtons = &Modes;
  window->TrackPropertiesDialog = &Properties;
  QMdiSubWindow* child = Area.addSubWindow(window);
  child->setAttribute(Qt::WA_DeleteOnClose);
  child->showMaximized();
  return window;
}

void AddCommandMenus(QMainWindow& Frame, QMdiArea& Area, TModeToolBar& Modes,
                     TfrmTrackPr& Properties) {
  // One open dialog for the program, so it starts on the name chosen last.
  auto* openDialog = new QFileDialog(&Frame);
  ConfigureOpenMapDialog(*openDialog);

  QMenu* file = Frame.menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, &Frame,
                  [&Area, &Modes, &Properties, openDialog] {
                    if (openDialog->exec() != QDialog::Accepted) return;
                    AddMapWindow(Area, Modes, Properties)
                        ->OpenMap(openDialog->selectedFiles().value(0));
                  });
  // Commands act on the active map window and do nothing without one.
  const auto onActive = [&Area](auto Command) {
    return [&Area, Command] {
      if (TfrmMap* window = ActiveMap(Area)) std::invoke(Command, *window);
    };
  };
  file->addAction(QStringLiteral("&Save"), QKeySequence::Save, &Frame,
                  onActive([](TfrmMap& Window) { Window.SaveMap(false); }));
  file->addAction(QStringLiteral("Save &As..."),
                  QKeySequence(QStringLiteral("Ctrl+Shift+S")), &Frame,
                  onActive([](TfrmMap& Window) { Window.SaveMap(true); }));

  QMenu* commands = Frame.menuBar()->addMenu(QStringLiteral("&Commands"));
  commands->addAction(QStringLiteral("Set properties"), QKeySequence("F4"),
                      &Frame, onActive(&TfrmMap::EditProperties));
  commands->addAction(QStringLiteral("Create new train"), QKeySequence("N"),
                      &Frame, onActive(&TfrmMap::NewTrain));
  commands->addAction(QStringLiteral("Rotate switch entry"), QKeySequence("O"),
                      &Frame, onActive(&TfrmMap::RotateSwitch));
  commands->addAction(QStringLiteral("Swap default switch direction"),
                      QKeySequence("D"), &Frame,
                      onActive(&TfrmMap::SwapSwitch));
}

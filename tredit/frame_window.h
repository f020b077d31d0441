#pragma once

#include <QtCore/QString>
#include <QtWidgets/QMainWindow>
#include <functional>
#include <optional>

#include "mode_buttons.h"

class QAction;
class QButtonGroup;
class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QToolButton;
class QUndoGroup;
class TfrmMap;
class TfrmTrackPr;
class TTrainProps;
class TUpDown;
enum class TUDBtnType;

// The editor's frame: the map windows in a multiple-document area, the File
// menu, and the tool bar along the bottom whose mode buttons hold the editing
// mode of every map window. It keeps no map data; each command acts on the
// active map window and does nothing without one, except New, Open and Exit.
// Construction is spread over frame_window.cpp (window, menus, open dialog)
// and frame_tool_bar.cpp; the commands are in frame_commands.cpp.
class TfrmTrain : public QMainWindow, public TModeButtons {
 public:
  explicit TfrmTrain(QWidget* Parent = nullptr);
  ~TfrmTrain() override;

  QMdiArea* MdiArea;

  QMenu* mnuFile;
  QAction* mnuNew;
  QAction* mnuOpen;
  QAction* mnuSave;
  QAction* mnuSaveAs;
  QAction* mnuExit;
  // Undo and Redo follow the history of the active map window: enabled
  // when it has a step to take back or do again, and naming that step.
  QMenu* mnuEdit;
  QAction* mnuUndo;
  QAction* mnuRedo;
  QUndoGroup* UndoGroup;
  // Menus kept hidden: they carry no command.
  QMenu* Settings1;
  QAction* mnuRaster;
  QMenu* mnuMap;
  QAction* mnuScale;
  QAction* mnuBackground;

  // One for the program, so that it offers the name chosen last.
  QFileDialog* OpenDialog1;

  QFrame* Panel1;
  QFrame* Panel2;
  QToolButton* spbZoomin;
  QToolButton* spbZoomout;
  QFrame* Panel5;
  QToolButton* spbPoint;
  QToolButton* spbLines;
  QToolButton* spbTrains;
  QToolButton* spbProperties;
  QToolButton* spbRotate;
  QToolButton* spbDefsw;
  QFrame* Panel3;
  QToolButton* spbCursor;
  QToolButton* spbLine;
  QToolButton* spbBuild;
  QFrame* Panel7;
  QToolButton* spbConn;
  QToolButton* spbNewTrain;
  QFrame* Panel6;
  QLabel* Label1;
  QLineEdit* edtRaster;
  TUpDown* UpDown1;

  // The program's single dialogs, made at start-up after the first map
  // window and handed to every map window.
  TfrmTrackPr* frmTrackPr = nullptr;
  TTrainProps* TrainProps = nullptr;
  void SetPropertiesDialogs(TfrmTrackPr* Track, TTrainProps* Train);

  // The name confirmed in OpenDialog1, none when cancelled; replaced by tests.
  std::function<std::optional<QString>()> AskOpenFileName;
  // Where a failed command's message goes, and every map window's too; an
  // error box unless replaced.
  std::function<void(const QString& Message)> ShowError;

  // The map window that commands act on, none when no map window is open.
  TfrmMap* ActiveMap() const;
  // A new, empty map window: maximised, captioned "Train Map", active.
  TfrmMap* NewMapWindow();

  void mnuNewClick();
  void mnuOpenClick();
  void mnuSaveClick();
  void mnuSaveAsClick();
  void mnuExitClick();
  void mnuUndoClick();
  void mnuRedoClick();
  void spbZoominClick();
  void spbZoomoutClick();
  void UpDown1Click(TUDBtnType Button);
  void spbPropertiesClick();
  void spbNewTrainClick();
  void spbRotateClick();
  void spbDefswClick();

  // The mode buttons, for every map window.
  bool IsDown(TModeButton Button) const override;
  void SetConnDown(bool Down) override;

 private:
  void CreateMenus();
  void CreateEditMenu();
  void CreateOpenDialog();
  void CreateToolBar();
  std::optional<QString> ExecOpenDialog();
  // Runs a command, showing the message of anything it throws.
  void Guarded(const std::function<void()>& Command);
  // Runs a command on the active map window; nothing without one.
  void OnActiveMap(const std::function<void(TfrmMap& Map)>& Command);
};

#pragma once

#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtWidgets/QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "import_options.h"
#include "map_lint.h"
#include "map_print.h"
#include "mode_buttons.h"
#include "print_dialogs.h"
#include "save_changes_box.h"

class QAction;
class QDialog;
class QPrinter;
class QSettings;
class QButtonGroup;
class QDockWidget;
class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolButton;
class QUndoGroup;
class TfrmMap;
class TMapDocument;
class TfrmTrackPr;
class TRecoverySession;
class TTrainProps;
class TUpDown;
enum class TUDBtnType;

// Where the settings keep Snap to Grid.
inline const QString kSnapToGridKey = QStringLiteral("SnapToGrid");
// And Simplify When Zoomed Out.
inline const QString kSimplifyKey = QStringLiteral("SimplifyZoomedOut");

// The editor's frame: the map windows in a multiple-document area, the File
// menu, and the tool bar along the bottom whose mode buttons hold the editing
// mode of every map window. It keeps no map data; each command acts on the
// active map window and does nothing without one, except New, Open and Exit.
// Construction is spread over frame_window.cpp (window, menus, open dialog)
// frame_tool_bar.cpp and frame_status.cpp; the commands are in
// frame_commands.cpp, keeping and reopening unsaved maps in frame_recovery.cpp.
class TfrmTrain : public QMainWindow, public TModeButtons {
 public:
  explicit TfrmTrain(QWidget* Parent = nullptr);
  ~TfrmTrain() override;

  QMdiArea* MdiArea = nullptr;

  QMenu* mnuFile;
  QAction* mnuNew;
  QAction* mnuOpen;
  QAction* mnuSave;
  QAction* mnuSaveAs;
  QAction* mnuExit;
  // Added to the File menu: the files opened or saved last, newest first,
  // and closing the active map window (through its question).
  QMenu* mnuRecent;
  QAction* mnuClose;
  // Writes the active map as a picture (TfrmMap::ExportImage).
  QAction* mnuExportImage;
  // Printing and PDF (frame_print.cpp). Print asks what to print
  // (AskPrintRequest: the extent dialog unless replaced, with the pages of
  // Printer's paper) and shows it in a print preview, from which it is
  // printed (ShowPrintPreview: QPrintPreviewDialog unless replaced, given
  // what paints the pages). Export PDF asks for a file (AskPdfFileName)
  // and for what to show on which paper (AskPdfRequest), then writes it
  // with a progress dialog that can cancel it. Both start from the last
  // answer.
  QAction* mnuExportPdf;
  QAction* mnuPrint;
  // Railway data in and out (frame_exchange.cpp). Import asks for a file
  // (AskImportFileName) and what to take from it (AskImportOptions, from
  // the last answer), and opens the map made of it in a new window,
  // unsaved, without a name and fitted; what the import found goes to
  // ShowImportReports. A file that cannot be imported gives its message and
  // no window. Export Data asks for a GeoJSON or DXF file
  // (AskExportDataFileName, from Name) and writes the active map there.
  QAction* mnuImport;
  QAction* mnuExportData;
  TImportOptions ImportOptions;
  std::function<std::optional<QString>()> AskImportFileName;
  std::function<bool(TImportOptions& Options)> AskImportOptions;
  std::function<void(const QString& Name, const QStringList& Reports)>
      ShowImportReports;
  std::function<bool(QString& Name)> AskExportDataFileName;
  void mnuImportClick();
  void mnuExportDataClick();
  // Imports Name as Import does once its dialogs are answered: the new
  // window, none when the file cannot be imported.
  TfrmMap* ImportFile(const QString& Name, const TImportOptions& Options);
  TPrintRequest PrintRequest;
  TPdfPaper PdfPaper;
  std::unique_ptr<QPrinter> Printer;
  std::function<bool(TPrintRequest& Request, const QPageLayout& Page)>
      AskPrintRequest;
  std::function<void(QPrinter& Printer,
                     const std::function<void(QPrinter&)>& Paint)>
      ShowPrintPreview;
  std::function<bool(QString& Name)> AskPdfFileName;
  std::function<bool(TPrintRequest& Request, TPdfPaper& Paper)> AskPdfRequest;
  void mnuPrintClick();
  void mnuExportPdfClick();
  // The Help menu (help_menu.cpp): the keyboard shortcuts of every action
  // of the frame, read from the actions when asked; the About box; Qt's.
  // The two windows of our own are shown by ShowHelpDialog (exec() unless
  // replaced).
  QMenu* mnuHelp;
  QAction* mnuShortcuts;
  QAction* mnuAbout;
  QAction* mnuAboutQt;
  std::function<void(QDialog& Dialog)> ShowHelpDialog;
  void mnuShortcutsClick();
  void mnuAboutClick();
  // The Window menu: another window onto the active map, cascade or tile
  // the map windows, or pick one.
  QMenu* mnuWindow;
  QAction* mnuNewView;
  QAction* mnuCascade;
  QAction* mnuTile;
  // The View menu: zoom the active map window in or out a step about its
  // centre, or fit the whole map into it.
  QMenu* mnuView;
  QAction* mnuZoomIn;
  QAction* mnuZoomOut;
  QAction* mnuZoomFit;
  // Run Trains (frame_run.cpp) starts or stops a trial run of the trains
  // in the active map window (TfrmMap::StartRun), checked while that window
  // runs one; Run Speed chooses how many times faster than real time runs
  // go in every window.
  QAction* mnuRunTrains;
  QMenu* mnuSpeedUp;
  double RunSpeedUp = 1.0;
  void mnuRunTrainsClick(bool Checked);
  // Snap to Grid (remembered): new and moved points of every map window
  // land on the nearest crossing of its grid.
  QAction* mnuSnapToGrid;
  bool SnapToGrid() const override;
  // Simplify When Zoomed Out (remembered, off at first): every map window
  // and what is exported from it leave out crowded points and grid lines.
  QAction* mnuSimplify;
  bool SimplifyZoomedOut() const override;
  // Undo and Redo follow the history of the active map window: enabled
  // when it has a step to take back or do again, and naming that step.
  QMenu* mnuEdit;
  QAction* mnuUndo;
  QAction* mnuRedo;
  QUndoGroup* UndoGroup;
  // The rest of the Edit menu acts on the active map window's selection
  // (frame_edit_menu.cpp): the clipboard, selecting many, turning and
  // mirroring.
  QAction* mnuCut;
  QAction* mnuCopy;
  QAction* mnuPaste;
  QAction* mnuDuplicate;
  QAction* mnuSelectAll;
  QAction* mnuSelectNone;
  QAction* mnuInvertSelection;
  QAction* mnuSelectConnected;
  QAction* mnuRotateSelection;
  QAction* mnuRotateLeft;
  QAction* mnuRotateRight;
  QAction* mnuMirrorHorizontally;
  QAction* mnuMirrorVertically;
  // The Tools menu (frame_check.cpp). Check Map (F7) checks the active map
  // for what is probably a mistake (map_lint.h) and lists the findings in
  // a dock, one a line; choosing one selects its object in the map window
  // that was checked and shows it in the middle of the window.
  QMenu* mnuTools;
  QAction* mnuCheckMap;
  // Measure puts the measure tool's button down; Round Corner and Point
  // Position act on the active map window's selected point
  // (TfrmMap::RoundCorner, EditPointPosition).
  QAction* mnuMeasure;
  QAction* mnuRoundCorner;
  QAction* mnuPointPosition;
  QDockWidget* dckFindings;
  QListWidget* lstFindings;
  // Ways (frame_route.cpp). Show Route, enabled while it is checked or a
  // train is selected in the active map window, has that window highlight
  // the train's route; Find Path the path between the two points selected
  // in it, or, without them, puts the path tool's button down. A dock lists
  // the way shown; the window and the dock follow every change of the map
  // until the item is unchecked, the dock closed, the train or a point
  // leaves the map or the window closes. One way is shown at a time.
  QAction* mnuShowRoute;
  QAction* mnuFindPath;
  QDockWidget* dckRoute;
  QListWidget* lstRoute;
  void mnuShowRouteClick(bool Checked);
  void mnuFindPathClick();
  // Settings > Raster types the active window's grid spacing; the Map
  // menu, shown while a map window is active, its scale and background.
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
  // Made from the tool table, a button for each tool.
  QFrame* Panel3;
  std::vector<std::pair<TModeButton, QToolButton*>> ToolButtons;
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

  // The status bar below the tool bar (frame_status.cpp): the cursor's
  // position, the scale and grid, and the selection or the line being
  // drawn, of the active map window; empty without one.
  QLabel* lblCursor;
  QLabel* lblView;
  QLabel* lblSelection;
  void ShowStatus();

  // The program's single dialogs, made at start-up after the first map
  // window and handed to every map window.
  TfrmTrackPr* frmTrackPr = nullptr;
  TTrainProps* TrainProps = nullptr;
  void SetPropertiesDialogs(TfrmTrackPr* Track, TTrainProps* Train);

  // The name confirmed in OpenDialog1, none when cancelled; replaced by tests.
  std::function<std::optional<QString>()> AskOpenFileName;
  // Asks for the grid spacing as text, starting from Text, and says whether
  // the user confirmed (a number dialog unless replaced).
  std::function<bool(QString& Text)> AskGridSpacing;
  // Where a failed command's message goes, and every map window's too; an
  // error box unless replaced.
  std::function<void(const QString& Message)> ShowError;
  // Every map window's question before it closes with unsaved changes;
  // AskSaveChangesBox unless replaced.
  std::function<TSaveChanges(const QString& Name)> AskSaveChanges;

  // Recovery (frame_recovery.cpp). StartRecovery takes a folder of this
  // editor's own in Folder, where every map window keeps its unsaved
  // changes. ReopenRecoveredMaps opens the maps that editors which have
  // ended left there, in the order they had them, and says whether there
  // were any. KeepUnsavedMaps hands every map window with unsaved changes
  // to recovery and waits until they are written; it says why it failed
  // for those it could not keep, nothing when all went well. Exit, the end
  // of the desktop session and the end of the event loop do that first.
  void StartRecovery(const QString& Folder);
  // Ends the program as Exit does, asking nothing (SIGTERM, SIGHUP): the
  // unsaved maps are kept first, and what could not be kept is printed,
  // as nobody may be left to read a message box.
  void EndBySignal();
  bool ReopenRecoveredMaps();
  QString KeepUnsavedMaps();
  std::unique_ptr<TRecoverySession> Recovery;

  // Files (frame_files.cpp). UseSettings keeps what the editor remembers
  // between runs (the recent files, the frame's place and size) in File;
  // without it nothing is remembered. OpenFile opens Name in a new map
  // window, as Open does once its dialog is answered.
  void UseSettings(const QString& File);
  std::unique_ptr<QSettings> Settings;
  void RestoreFramePlace();
  void RememberFramePlace();
  void OpenFile(const QString& Name);
  QStringList RecentFiles() const;
  void OpenRecentFile(const QString& Name);

  // The map window that commands act on, none when no map window is open.
  TfrmMap* ActiveMap() const;
  // A new, empty map window: maximised, captioned "Train Map", active.
  TfrmMap* NewMapWindow();
  // Another window onto the active window's document, with a view of its
  // own; none without an active window.
  TfrmMap* NewView();

  void mnuNewClick();
  void mnuOpenClick();
  void mnuSaveClick();
  void mnuSaveAsClick();
  void mnuExitClick();
  void mnuCloseClick();
  void mnuExportImageClick();
  void mnuCheckMapClick();
  void lstFindingsChosen(int Row);
  void mnuUndoClick();
  void mnuRedoClick();
  void CreateSelectionItems();
  void spbZoominClick();
  void spbZoomoutClick();
  void UpDown1Click(TUDBtnType Button);
  void spbPropertiesClick();
  void spbNewTrainClick();
  void spbRotateClick();
  void spbDefswClick();
  void mnuRasterClick();
  void mnuScaleClick();
  void mnuBackgroundClick();

  // The mode buttons, for every map window.
  bool IsDown(TModeButton Button) const override;
  // The button of a tool of the tool table, none for another.
  QToolButton* ToolButton(TModeButton Button) const;
  void SetConnDown(bool Down) override;

 protected:
  // Exit asks nothing: it keeps the unsaved maps first, and stays open,
  // with the message, when that fails.
  void closeEvent(QCloseEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  // Map files dropped on the frame open, each in a window of its own.
  void dragEnterEvent(QDragEnterEvent* Event) override;
  void dropEvent(QDropEvent* Event) override;

 private:
  // A maximised map window's caption joins the frame's, "*" included. Qt
  // marks the frame as the window changes, but loses the mark when another
  // window becomes active, or the active one closes.
  void ShowModifiedMark();
  // A sub-window's own menu gives its Close the key of File > Close; a key
  // that two actions claim reaches neither, so the frame's menus keep
  // theirs and the sub-window's menu gives them up.
  void LeaveMenuKeysToMenus(QMdiSubWindow& Child);
  void CreateMenus();
  void CreateEditMenu();
  void CreateViewMenu();
  void CreateStatusBar();
  void CreateWindowMenu();
  void CreateSettingsAndMapMenus();
  void ShowMapMenu();
  void CreateToolsMenu();
  void CreateRouteItems();
  void EnableRouteItems();
  // Lists the way Map shows, or hides the dock once that has gone.
  void ListWay(TfrmMap* Map);
  void HideWay();
  void CreateRunItems();
  void ShowRunState();
  void CreatePrintItems();
  void CreateHelpMenu();
  void FillRecentMenu();
  void FillWindowMenu();
  void RememberFile(const QString& Name);
  void SetRecentFiles(const QStringList& Names);
  void CreateOpenDialog();
  void CreateToolBar();
  std::optional<QString> ExecOpenDialog();
  void CreateExchangeItems();
  std::optional<QString> ExecImportDialog();
  bool ExecExportDataDialog(QString& Name);
  // Made the first time they are asked, then kept, so that each starts in
  // the folder chosen last.
  QFileDialog* ImportDialog = nullptr;
  QFileDialog* ExportDataDialog = nullptr;
  // Runs a command, showing the message of anything it throws.
  void Guarded(const std::function<void()>& Command);
  // Runs a command on the active map window; nothing without one.
  void OnActiveMap(const std::function<void(TfrmMap& Map)>& Command);
  // The map windows in the order they were made.
  QList<TfrmMap*> MapWindows() const;
  // The documents of the map windows, each once, in the order of their
  // first windows.
  std::vector<TMapDocument*> Documents() const;
  // Why the latest keeping of Document failed; empty when it did not.
  QString RecoveryFailure(const TMapDocument& Document) const;
  // A map window onto Document, maximised and active.
  TfrmMap* AddMapWindow(std::shared_ptr<TMapDocument> Document);
  // The window the findings listed are about, and the findings.
  QPointer<TfrmMap> CheckedMap;
  std::vector<TLintFinding> Findings;
  // The window whose way the dock lists: held as its widget, which is
  // still what the object is when it tells of its end.
  QPointer<QWidget> WayMap;
  // Set once Exit has kept the unsaved maps, so that the end of the event
  // loop does not keep them again.
  bool Ended = false;
};

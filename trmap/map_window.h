#pragma once

#include <QtCore/QPoint>
#include <QtCore/QString>
#include <QtWidgets/QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "canvas.h"
#include "export_dialogs.h"
#include "file_system.h"
#include "map_background.h"
#include "map_lint.h"
#include "map_painter.h"
#include "map_picture.h"
#include "map_rows.h"
#include "map_view.h"
#include "mode_buttons.h"
#include "save_changes_box.h"
#include "train_structure.h"

class QCheckBox;
class QFileDialog;
class QFrame;
class QTimer;
class QUndoStack;
class TfrmBackground;
class TfrmTrackPr;
class TRecoveryStore;
class TTrainProps;

enum class TMouseButton { Left, Right, Middle };

// The virtual key codes of the keys the window acts on.
inline constexpr int kVkEscape = 27;
inline constexpr int kVkDelete = 46;

// The window of one map. It owns the map, its own view of it (scale, origin,
// grid) and its own selection, and draws it through its canvas with a map
// painter. Its methods are spread over files by concern: view, painting,
// selection, hit tests, mouse and key gestures, and the Qt events that feed
// them.
class TfrmMap : public QWidget, private TMapObserver {
 public:
  // Canvas is where the window draws; without one it draws onto an image
  // of its own and shows that.
  explicit TfrmMap(QWidget* Parent = nullptr,
                   std::unique_ptr<TCanvas> Canvas = nullptr);
  ~TfrmMap() override;

  // At most one of the three is set; none owns its object.
  TTrLine* SelectedLine = nullptr;
  TTrPoint* SelectedPoint = nullptr;
  TTrain* SelectedTrain = nullptr;
  std::unique_ptr<TTrainStructureSV> Map;

  // Mouse gestures under way.
  bool Building = false;
  bool Panning = false;
  bool MovingPoint = false;
  // The point that follows the mouse while Building or MovingPoint; none
  // once it has left the map.
  TTrPoint* DragPoint = nullptr;
  // The mouse position at the last scroll step, in client pixels.
  QPoint LastMouse;
  // The line made by the latest build gesture while the map has it.
  TTrLine* BuildLine = nullptr;

  // The view: metres per pixel, metres between grid lines, and the client
  // pixel at which the world origin is shown.
  double Scale = 1.0;
  double GridSpacing = 100.0;
  int32_t OriginX = 0;
  int32_t OriginY = 0;

  QString FileName;

  // A hidden panel whose check boxes show which links the selected point
  // has: LineIn, LineOut, LineSw.
  QFrame* Panel1;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QCheckBox* CheckBox3;

  std::unique_ptr<TCanvas> Canvas;

  // The editing mode, read at every left press; none attached means left
  // presses do nothing. Not owned: the frame keeps the buttons.
  TModeButtons* ModeButtons = nullptr;
  // Where a failed gesture's, command's, open's or save's message goes; an
  // error box unless replaced.
  std::function<void(const QString& Message)> ShowError;
  // The file calls through which OpenMap reads a map: the system's unless
  // replaced (not owned).
  TFileSystem* Files = &SystemFileSystem();

  // How the window reaches its dialogs. The program keeps one properties
  // dialog for all windows: the frame sets TrackPropertiesDialog on every
  // window it makes (not owned; without one EditProperties does nothing).
  // The two functions are the seams tests replace: ShowPropertiesDialog
  // shows the dialog modally and says whether it closed with OK (exec()
  // unless replaced); AskSaveFileName asks for the name to save under,
  // starting from Name, and says whether the user confirmed (SaveDialog1
  // unless replaced).
  TfrmTrackPr* TrackPropertiesDialog = nullptr;
  std::function<bool(TfrmTrackPr& Dialog)> ShowPropertiesDialog;
  // The train properties dialog, likewise one for all windows; it also
  // holds the length of new trains.
  TTrainProps* TrainPropertiesDialog = nullptr;
  std::function<bool(TTrainProps& Dialog)> ShowTrainDialog;
  std::function<bool(QString& Name)> AskSaveFileName;
  // The window's own save dialog, made the first time a save asks.
  QFileDialog* SaveDialog1 = nullptr;
  // The window's export dialog likewise.
  TExportFileDialog* ExportDialog = nullptr;
  // Told the name of every file the window has opened or saved (nothing
  // unless replaced): the frame's list of recent files.
  std::function<void(const QString& Name)> FileUsed = [](const QString&) {};
  // Asks whether to save the changes to the map named Name before the
  // window closes (AskSaveChangesBox unless replaced).
  std::function<TSaveChanges(const QString& Name)> AskSaveChanges;

  // Status (map_window_status.cpp): what the frame's status bar shows about
  // the window, as map_status.h words it. The cursor's position is empty
  // while the mouse is elsewhere; during a build or a drag the selection
  // is the line being drawn. StatusChanged is called whenever one of them
  // may have changed: at every mouse move, at the end of a gesture and
  // whenever the window shows a new picture (nothing unless replaced).
  QString CursorStatus() const;
  QString ViewStatus() const;
  QString SelectionStatus() const;
  std::function<void()> StatusChanged = [] {};

  // Sets up a new window: an empty map, the default view for the current
  // client size, nothing selected.
  void FormCreate();

  // View (map_window_view.cpp): the four view fields with the client size,
  // and its conversions (TMapView says how they round).
  TMapView View() const;
  int32_t WorldToScreenX(double X) const;
  int32_t WorldToScreenY(double Y) const;
  double ScreenToWorldX(double PX) const;
  double ScreenToWorldY(double PY) const;
  void ScrollBy(int32_t DX, int32_t DY);
  // Magnifies by Factor around the centre of the client area, or around
  // the client pixel (X, Y), which keeps showing the same world point.
  void ZoomBy(double Factor);
  void ZoomAbout(double Factor, int32_t X, int32_t Y);
  // Shows the whole map with a small margin; an empty map gets the view of
  // a new window, its grid spacing kept.
  void ZoomToFit();
  void SetGridSpacing(double G);
  // Asks for the scale in metres per pixel (AskScale: a number dialog
  // unless replaced, starting from Text) and zooms about the centre to it;
  // a scale that is no positive number, or beyond what zooming reaches, is
  // refused with a message.
  std::function<bool(QString& Text)> AskScale;
  void EditScale();
  // Background (map_window_background.cpp): a picture drawn under the grid
  // and the map, none without one. EditBackground sets, changes or removes
  // it with the background dialog (ShowBackgroundDialog: exec() unless
  // replaced), each an undo step that leaves the map unsaved; a bad entry
  // or a picture that cannot be read goes to ShowError and changes nothing.
  // It is saved beside the map file, read with it, and kept for recovery.
  std::optional<TMapBackground> Background;
  TfrmBackground* BackgroundDialog = nullptr;
  std::function<bool(TfrmBackground& Dialog)> ShowBackgroundDialog;
  void EditBackground();
  // Makes NewBackground the window's, as one undo step named Text.
  void SetBackground(std::optional<TMapBackground> NewBackground,
                     const QString& Text);

  // Erases, paints the whole map and shows it before returning.
  void Repaint();

  // Painting (map_painting.cpp), by a map painter with the window's canvas,
  // map, view and selection.
  void FormPaint();
  void DrawLine(TTrLine* Line);
  void DrawPoint(TTrPoint* Point);
  void DrawTrain(TTrain* Train);

  // Selection (map_selection.cpp). A change of selection redraws only the
  // objects concerned, straight onto the window.
  void ClearSelection();
  void ShowPointLinks();
  void SelectPoint(TTrPoint* Point);
  void SelectLine(TTrLine* Line);
  void SelectTrain(TTrain* Train);

  // Hit tests (map_hit_test.h) in the window's view with the map's spatial
  // index: the nearest object to a client pixel, however far, with its
  // distance in pixels; -1 and none when there is none. On equal distances
  // the earlier object wins, and a track beats a wall.
  static double ScreenDistance(double X1, double Y1, double X2, double Y2);
  double HitTestPoint(int32_t X, int32_t Y, const TTrPoint* Exclude,
                      TTrPoint*& Point) const;
  double HitTestLine(int32_t X, int32_t Y, TTrLine*& Line) const;
  double HitTestTrain(int32_t X, int32_t Y, TTrain*& Train) const;

  // History (map_history.cpp). Every user action that changes the map is
  // one step of UndoStack, and its clean state is the saved state. Undo and
  // Redo are ignored while a gesture is under way; afterwards the selection
  // is what it was when the step was made (or, redone, when it ended).
  QUndoStack* UndoStack;
  void Undo();
  void Redo();
  bool GestureUnderway() const { return Building || MovingPoint || Panning; }

  // Mouse and key gestures (map_gestures.cpp), at client pixels. Every edit
  // they make is finished inside one of them.
  void FormMouseDown(TMouseButton Button, int32_t X, int32_t Y);
  void FormMouseMove(int32_t X, int32_t Y);
  void FormMouseUp(TMouseButton Button, int32_t X, int32_t Y);
  void FormKeyDown(int Key);
  // Merges Gone into Keep through Line, a line with an end at Gone, and
  // selects Keep. Joins nothing, and says so, when Keep has no line or three.
  bool JoinPoint(TTrPoint* Gone, TTrLine* Line, TTrPoint* Keep);

  // Commands on the selection (map_commands.cpp); each does nothing when
  // the selection does not suit it. EditProperties opens the properties
  // dialog for a selected track or wall point, or the train dialog for a
  // selected train; NewTrain puts a train (50 m unless the train dialog set
  // another default) on the selected point's first track, its rear at the
  // point; RotateSwitch and SwapSwitch turn the entry or swap the
  // directions of a selected switch.
  void EditProperties();
  void NewTrain();
  void RotateSwitch();
  void SwapSwitch();

  // Documents (map_documents.cpp). The caption is "Train Map", or
  // "Train Map " and FileName once the window has a name, followed by "*"
  // while the map has unsaved changes; name and caption change together,
  // before the file is read or written. OpenMap loads the file into a new,
  // empty map of this window; SaveMap asks for a name when AlwaysAsk is set
  // or the window has none. Failures go to ShowError and leave the name set
  // and whatever had been read; neither throws. The frame's open dialog is
  // set up by ConfigureOpenMapDialog (map_file_dialogs.h).
  void OpenMap(const QString& AFileName);
  void SaveMap(bool AlwaysAsk);
  // FileName, or "Train Map" for a map without one.
  QString DocumentName() const;
  // Whether the map has changes that are not saved: its history is away
  // from the state of the last save, of opening, or of a new window.
  bool Modified() const;

  // Recovery (map_recovery.cpp). While the window has unsaved changes, its
  // map and view are kept as entry RecoveryEntry of Recovery (not owned;
  // none keeps nothing): a few seconds after the last change, and at least
  // every half minute during a long series of them. The store writes them
  // on a thread of its own; only taking the map's rows holds the window
  // up. Saving or discarding the changes removes them.
  TRecoveryStore* Recovery = nullptr;
  int RecoveryEntry = 0;
  // Hands the map and view over to Recovery now, all at once, unless what
  // Recovery holds for this window already reopens it as it is.
  void KeepForRecovery();
  // How long after the last change the map is kept, and how long at most
  // it goes unkept while changes keep coming, in milliseconds.
  void SetRecoveryDelays(int Delay, int Deadline);
  // Shows entry Entry of the recovery folder Folder, left by an earlier
  // session, as it was there: marked as unsaved, with its file name, view
  // and what could be read of its map (the failure goes to ShowError).
  // Recovery keeps it from then on, and the entry goes once it has; an
  // entry that could not be read stays as it is, standing for the window
  // until it changes, and goes when the window is saved or discarded.
  void ReopenRecovered(const std::string& Folder, int Entry);

  // Pictures (map_export.cpp). ExportImage asks for a file and its type,
  // PNG or SVG (AskExportFile: the export file dialog unless replaced),
  // then what to draw (AskExportExtent: the extent dialog unless replaced,
  // starting from the last answer): the view as the window shows it,
  // selection included, or the whole map fitted into a size. It writes the
  // picture with a progress dialog that can cancel it; a cancel or a
  // failure leaves no file of it behind, and a failure goes to ShowError.
  // Ignored while a gesture is under way.
  std::function<bool(QString& Name, TPictureFormat& Format)> AskExportFile;
  std::function<bool(TExportExtent& Extent)> AskExportExtent;
  TExportExtent ExportExtent;
  void ExportImage();

  // Findings of a check (map_findings.cpp). ShowFinding selects the point
  // or line a finding is about, found by its identifier, and scrolls the
  // view to put it in the middle of the window; a finding about no object,
  // or one the map no longer has, changes nothing. No step of the history.
  void ShowFinding(const TLintFinding& Finding);

  // The client size the window is laid out with, which it also gets when
  // windows are cascaded.
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  // Closing a window with unsaved changes asks first.
  void closeEvent(QCloseEvent* Event) override;
  // Qt input reaching the gestures (map_input_events.cpp).
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  // A wheel notch zooms one step about the cursor.
  void wheelEvent(QWheelEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // The map tells of the objects that leave it (map_selection.cpp).
  void Leaving(const TTrPoint& Point) override;
  void Leaving(const TTrLine& Line) override;
  void Leaving(const TTrain& Train) override;
  // Makes NewMap the window's map and listens to it.
  void TakeMap(std::unique_ptr<TTrainStructureSV> NewMap);

  void SetView(const TMapView& AView);
  TMapPainter Painter();
  TColor ButtonFace() const;
  void PresentNow();

  bool ModeDown(TModeButton Button) const {
    return ModeButtons != nullptr && ModeButtons->IsDown(Button);
  }
  void SetConnDown(bool Down) {
    if (ModeButtons != nullptr) ModeButtons->SetConnDown(Down);
  }
  void SelectAt(int32_t X, int32_t Y);
  void StartBuild(int32_t X, int32_t Y);
  // Puts DragPoint at the mouse; a position too large to store undoes the
  // whole gesture, reports it and gives false.
  bool PlaceDragPoint(int32_t X, int32_t Y);
  void EndBuild(int32_t X, int32_t Y);
  void EndPointDrag(int32_t X, int32_t Y);
  // Takes back the build or drag under way, leaving the map as it was
  // before the press. AbandonGesture does so after a failure, leaving the
  // window idle, a scroll under way included.
  void TakeBackGesture();
  void AbandonGesture();
  void EditTrackProperties(TTrack* Track);
  void EditPointHeight(TTrPoint* Point);
  void EditTrainLength(TTrain* Train);

  // One user action's changes (map_history.cpp). BeginEdit starts recording
  // them; CommitEdit makes them one step named Text, or nothing when the
  // map did not change; RollBackEdit takes them back. Edit does all of it
  // for a command, which is ignored while a build or a drag is under way.
  struct TSelection {
    TTrLine* Line = nullptr;
    TTrPoint* Point = nullptr;
    TTrain* Train = nullptr;
  };
  friend class TMapEditCommand;
  void BeginEdit();
  void CommitEdit(const QString& Text);
  void RollBackEdit();
  void Edit(const QString& Text, const std::function<void()>& Change);
  TSelection Selection() const {
    return {SelectedLine, SelectedPoint, SelectedTrain};
  }
  // Puts a selection back after the map has changed under it, and repaints.
  void RestoreSelection(const TSelection& Selection);

  void SetFileName(const QString& Name);
  // The background settings beside the map file AFileName: read, with a
  // message for what cannot be read, or written (or removed, for none).
  void ReadBackground(const QString& AFileName);
  void WriteBackground(const QString& AFileName);
  // Settings read from a file or a recovery entry, with their picture, or
  // a message when the picture cannot be read.
  void UseBackground(const std::optional<TBackgroundSettings>& Settings);
  bool ExecSaveDialog(QString& Name);
  bool ExecExportDialog(QString& Name, TPictureFormat& Format);
  // Puts NewMap in the window in place of the one it had, with a new
  // history, nothing selected and no gesture under way.
  void ReplaceMap(std::unique_ptr<TTrainStructureSV> NewMap);

  // Recovery: its timers, and what the history tells it.
  void SetUpRecovery();
  void HistoryMoved();
  void CleanChanged(bool Clean);
  // Keeps the map a little later, and by the deadline at the latest.
  void KeepSoon();
  bool NeedsKeeping() const;
  // A keep takes the map's rows a few blocks at a time, one step per turn
  // of the event loop, and hands them to Recovery when all are taken. A
  // change of the map between steps starts it again after a pause, or,
  // once the deadline has passed, takes the rows at once.
  void StartKeep();
  void KeepStep();
  void HandRowsOver();
  // Gives up a keep under way; StopKeeping also any keep to come.
  void AbandonKeep();
  void StopKeeping();
  // Timers that keep the map a little after the last change, and at the
  // latest a while after the first one not kept yet; and the next step.
  QTimer* RecoveryDelay;
  QTimer* RecoveryDeadline;
  QTimer* RecoveryStep;
  bool RecoveryOverdue = false;
  // The keep under way: its rows, the copy filling them, and the map's
  // revision when it began.
  std::unique_ptr<TMapRows> RecoveryRows;
  std::unique_ptr<TRowsCopy> RecoveryCopy;
  uint64_t RecoveryRevision = 0;
  // The map shows an entry of an earlier session that could not be read
  // whole, and has not changed since: that entry stands for it.
  bool ShowsUnreadRecovery = false;

  // The selection when the edit under way began: objects of the map as it
  // was then, which a roll-back or an undo restores. Empty between edits.
  TSelection SelectionBefore;

  // Where the mouse was last seen over the window, none once it has left.
  std::optional<QPoint> MouseAt;
  // Wheel turns smaller than a notch add up until they make one.
  int WheelRest = 0;
};

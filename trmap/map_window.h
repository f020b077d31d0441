#pragma once

#include <QtCore/QString>
#include <QtWidgets/QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "canvas.h"
#include "document_view.h"
#include "export_dialogs.h"
#include "map_document.h"
#include "map_lint.h"
#include "map_painter.h"
#include "map_picture.h"
#include "map_tool.h"
#include "map_view.h"
#include "mode_buttons.h"
#include "save_changes_box.h"
#include "scroll_tool.h"
#include "shown_way.h"
#include "trial_run.h"

class QCheckBox;
class QPainter;
class QFileDialog;
class QFrame;
class TfrmBackground;
class TfrmTrackPr;
class TTrainProps;
class TTypedEntry;

enum class TMouseButton { Left, Right, Middle };

// The virtual key codes of the keys the window acts on.
inline constexpr int kVkEscape = 27;
inline constexpr int kVkDelete = 46;
inline constexpr int kVkLeft = 37;
inline constexpr int kVkUp = 38;
inline constexpr int kVkRight = 39;
inline constexpr int kVkDown = 40;

// The clipboard's type for parts of maps: the text of a map file.
inline constexpr char kMapMimeType[] = "application/x-train-map";

// A window onto a map document: its own view of the map (scale, origin,
// grid), drawn through its canvas by a map painter, the mouse and keys
// turned into gestures by its tools, and the dialogs of its commands. The
// document holds the map, its history, file, background and selection;
// several windows may show one document. Its methods are spread over files
// by concern: view, painting, selection, hit tests, gestures and the Qt
// events that feed them, commands, documents, background, pictures.
class TfrmMap : public QWidget, private TDocumentView, private TToolHost {
 public:
  // Canvas is where the window draws; without one it draws onto an image
  // of its own and shows that. Without a document it makes a new one.
  explicit TfrmMap(QWidget* Parent = nullptr,
                   std::unique_ptr<TCanvas> Canvas = nullptr,
                   std::shared_ptr<TMapDocument> Document = nullptr);
  ~TfrmMap() override;

  TMapDocument& Document() override { return *Document_; }
  const TMapDocument& Document() const { return *Document_; }
  const std::shared_ptr<TMapDocument>& SharedDocument() const {
    return Document_;
  }
  // The map shown, and what is selected in it (the document's).
  TTrainStructureSV* Map() const { return &Document_->Map(); }
  TTrLine* SelectedLine() const { return Document_->Selection().Line; }
  TTrPoint* SelectedPoint() const { return Document_->Selection().Point; }
  TTrain* SelectedTrain() const { return Document_->Selection().Train; }
  QString FileName() const { return Document_->FileName(); }

  // Gestures under way, and what they name: the point that follows the
  // mouse, and the line a build lays.
  bool Building() const;
  bool Panning() const { return Scroll.Underway(); }
  bool MovingPoint() const;
  TTrPoint* DragPoint() const;
  TTrLine* BuildLine() const;
  bool GestureUnderway() const { return LeftGestureUnderway() || Panning(); }

  // The view: metres per pixel, metres between grid lines, and the client
  // pixel at which the world origin is shown.
  double Scale = 1.0;
  double GridSpacing = 100.0;
  int32_t OriginX = 0;
  int32_t OriginY = 0;

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

  // How the window reaches its dialogs. The program keeps one properties
  // dialog for all windows: the frame sets TrackPropertiesDialog on every
  // window it makes (not owned; without one EditProperties does nothing).
  // The functions are the seams tests replace: ShowPropertiesDialog shows
  // the dialog modally and says whether it closed with OK (exec() unless
  // replaced); AskSaveFileName asks for the name to save under, starting
  // from Name, and says whether the user confirmed (the window's save
  // dialog unless replaced).
  TfrmTrackPr* TrackPropertiesDialog = nullptr;
  std::function<bool(TfrmTrackPr& Dialog)> ShowPropertiesDialog;
  // The train properties dialog, likewise one for all windows; it also
  // holds the length of new trains.
  TTrainProps* TrainPropertiesDialog = nullptr;
  std::function<bool(TTrainProps& Dialog)> ShowTrainDialog;
  std::function<bool(QString& Name)> AskSaveFileName;
  // The window's own save dialog, made the first time a save asks.
  QFileDialog* SaveDialog1 = nullptr;
  // Told the name of every file the window has opened or saved (nothing
  // unless replaced): the frame's list of recent files.
  std::function<void(const QString& Name)> FileUsed = [](const QString&) {};
  // Asks whether to save the changes to the map named Name before its last
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

  // Sets up the view of a new window: the default for the current client
  // size.
  void FormCreate();

  // View (map_window_view.cpp): the four view fields with the client size,
  // and its conversions (TMapView says how they round).
  TMapView View() const override;
  int32_t WorldToScreenX(double X) const;
  int32_t WorldToScreenY(double Y) const;
  double ScreenToWorldX(double PX) const;
  double ScreenToWorldY(double PY) const;
  // Scrolling (map_window_scrolling.cpp) moves what is drawn and paints
  // only what came into view, with the pixels of a full paint; what the
  // painter's own drawing may place a pixel apart is painted whole once
  // the scroll ends.
  void ScrollBy(int32_t DX, int32_t DY) override;
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
  // Background (map_window_background.cpp): sets, changes or removes the
  // document's background with the background dialog (ShowBackgroundDialog:
  // exec() unless replaced), each an undo step that leaves the map unsaved;
  // a bad entry or a picture that cannot be read goes to ShowError and
  // changes nothing.
  std::function<bool(TfrmBackground& Dialog)> ShowBackgroundDialog;
  void EditBackground();

  // Erases, paints the whole map and shows it before returning.
  void Repaint() override;

  // Painting (map_window_painting.cpp), by a map painter with the window's
  // canvas, map, view and selection.
  void FormPaint();
  void DrawLine(TTrLine* Line);
  void DrawPoint(TTrPoint* Point);
  void DrawTrain(TTrain* Train);

  // Selection (map_window_selection.cpp). A change of selection redraws only
  // the objects concerned, straight onto the window; the document's other
  // windows show it soon after.
  void ClearSelection();
  void ShowPointLinks();
  void SelectPoint(TTrPoint* Point) override;
  void SelectLine(TTrLine* Line) override;
  void SelectTrain(TTrain* Train) override;
  // Many objects (map_window_selection.cpp): Shift+click takes one in or
  // out, drawn at once; a new selection of many repaints the window.
  void ToggleSelected(TTrPoint* Point) override;
  void ToggleSelected(TTrLine* Line) override;
  void ToggleSelected(TTrain* Train) override;
  void SetSelection(const TMapSelection& Selection) override;

  // Commands on the selection as a whole (map_window_group.cpp), each of
  // the kind the mode buttons choose (points without them), each one step
  // or none. SelectAll selects every object of the kind; SelectNone
  // nothing; InvertSelection turns the selection of every object of the
  // kind over; SelectConnected adds what lines join to the selection.
  // DeleteSelection deletes every selected object; NudgeSelection moves the
  // selection by (DX, DY) pixels; RotateSelection turns it by Degrees
  // anticlockwise about the centre of its box (AskRotation: a number
  // dialog unless replaced); MirrorSelection flips it across the centre,
  // left for right or, Vertically, top for bottom. Points carry what
  // stands on them: lines stretch and trains ride along.
  void SelectAll();
  void SelectNone();
  void InvertSelection();
  void SelectConnected();
  void DeleteSelection();
  void NudgeSelection(double DX, double DY);
  std::function<bool(QString& Text)> AskRotation;
  void EditRotation();
  void RotateSelection(double Degrees);
  void MirrorSelection(bool Vertically);
  void RotateLeft() { RotateSelection(90.0); }
  void RotateRight() { RotateSelection(-90.0); }
  void MirrorHorizontally() { MirrorSelection(false); }
  void MirrorVertically() { MirrorSelection(true); }

  // The clipboard (map_window_clipboard.cpp): the selected part of the map
  // as map file text, under kMapMimeType and as plain text. Paste reads
  // the clipboard's map text, or its plain text, with the map reader and
  // puts what it read with its centre under the mouse, or one grid step
  // beside where it came from when the mouse is elsewhere; what cannot be
  // read goes to ShowError. Duplicate pastes a copy of the selection one
  // grid step beside it, leaving the clipboard alone. The pasted objects
  // are selected.
  void CopySelection();
  void CutSelection();
  void Paste();
  void DuplicateSelection();

  // Hit tests (map_window_hit_test.cpp, map_hit_test.h) in the window's
  // view with the map's spatial index: the nearest object to a client
  // pixel, however far, with its distance in pixels; -1 and none when there
  // is none. On equal distances the earlier object wins, and a track beats
  // a wall.
  static double ScreenDistance(double X1, double Y1, double X2, double Y2);
  double HitTestPoint(int32_t X, int32_t Y, const TTrPoint* Exclude,
                      TTrPoint*& Point) const override;
  double HitTestLine(int32_t X, int32_t Y, TTrLine*& Line) const override;
  double HitTestTrain(int32_t X, int32_t Y, TTrain*& Train) const override;

  // History: Undo and Redo are ignored while a gesture is under way in any
  // window of the document; afterwards the selection is what it was when
  // the step was made (or, redone, when it ended).
  void Undo();
  void Redo();

  // Mouse and key gestures (map_window_gestures.cpp), at client pixels, handed
  // to the tool of the mode buttons' choice (tools/tool_table.h), or to the
  // scroll for the right and middle buttons. Every edit they make is
  // finished inside one of them.
  void FormMouseDown(TMouseButton Button, int32_t X, int32_t Y);
  void FormMouseMove(int32_t X, int32_t Y);
  void FormMouseUp(TMouseButton Button, int32_t X, int32_t Y);
  void FormKeyDown(int Key, bool Shift = false);
  // Merges Gone into Keep through Line, a line with an end at Gone, and
  // selects Keep. Joins nothing, and says so, when Keep has no line or three.
  bool JoinPoint(TTrPoint* Gone, TTrLine* Line, TTrPoint* Keep);

  // Commands on the selection (map_window_commands.cpp); each does nothing when
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

  // Documents (map_window_documents.cpp). The caption is "Train Map", or
  // "Train Map " and the file name once the document has one, followed by
  // ":" and the window's number while the document has several windows, and
  // by "*" while it has unsaved changes; name and caption change together,
  // before the file is read or written. OpenMap loads the file into a new,
  // empty map of the document; SaveMap asks for a name when AlwaysAsk is
  // set or the document has none. Failures go to ShowError and leave the
  // name set and whatever had been read; neither throws. The frame's open
  // dialog is set up by ConfigureOpenMapDialog (map_file_dialogs.h).
  void OpenMap(const QString& AFileName);
  void SaveMap(bool AlwaysAsk);
  // Shows entry Entry of the recovery folder Folder, left by an earlier
  // session (TMapDocument::ReopenRecovered), in the view it was kept with.
  void ReopenRecovered(const std::string& Folder, int Entry);

  // Pictures (map_window_export.cpp). ExportImage asks for a file and its type,
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

  // Drawing to measure (map_window_drawing.cpp). RoundCorner asks for a
  // radius (AskRadius: a number dialog unless replaced, starting from the
  // last radius given) and replaces the corner at the selected point, a
  // plain joint of two lines, by a tangent arc of that radius, one step; a
  // point that is no such corner, or a radius the lines are too short for,
  // goes to ShowError and changes nothing. EditPointPosition asks for the
  // selected point's position (AskPointPosition: the Point Position dialog
  // unless replaced) and moves it there, one step. Both are ignored while
  // a gesture is under way.
  std::function<bool(QString& Text)> AskRadius;
  std::function<bool(QString& X, QString& Y)> AskPointPosition;
  QString CornerRadius = QStringLiteral("100");
  void RoundCorner();
  void EditPointPosition();
  // The entry that a number typed during a gesture opens (none before the
  // first), and whether it is open: while it is, the mouse moves nothing
  // and a release ends no gesture.
  TTypedEntry* TypingEntry() const { return NumberEntry; }
  bool Typing() const;

  // Findings of a check (map_window_findings.cpp). ShowFinding selects the
  // point or line a finding is about, found by its identifier, and scrolls the
  // view to put it in the middle of the window; a finding about no object,
  // or one the map no longer has, changes nothing. No step of the history.
  void ShowFinding(const TLintFinding& Finding);

  // Ways over the map (map_window_route.cpp). ShowRoute highlights the
  // route of Train, ShowPath the path a train can take from From to To,
  // either in place of the way shown before, until HideWay, the train's or
  // a point's leaving, or the map's replacing; the way is followed again
  // after every change of the map. WayChanged is told a turn of the event
  // loop after such a change, once for a series of them, and once the way
  // has gone. The highlight is the window's own: no picture or print has
  // it. No step of the history.
  void ShowRoute(TTrain* Train);
  void ShowPath(TTrPoint* From, TTrPoint* To) override;
  void HideWay();
  // The way shown, none without one.
  TShownWay* Way() const { return Way_.get(); }
  // The way as it is listed; nothing while none is shown.
  std::vector<std::string> WayText() const;
  std::function<void()> WayChanged = [] {};

  // A trial run of the document's trains (map_window_run.cpp), shown in
  // this window over the map, without the trains standing in it: each
  // runs along its route at its speed (TMapDocument::TrainSpeed), with the
  // time of RunClock (seconds, a steady clock unless replaced) times the
  // speed-up. StepRun runs Seconds of the run's time at once. StopRun, Escape,
  // closing the window or any change of the map ends it, and the map is as it
  // was; nothing of it is a step of the history. StartRun does nothing while a
  // gesture is under way. RunChanged is told when a run starts or ends.
  void StartRun();
  void StopRun();
  bool Running() const { return Run != nullptr; }
  void StepRun(double Seconds);
  const TTrainRun* RunState() const;
  double RunSpeedUp() const { return RunSpeedUp_; }
  void SetRunSpeedUp(double SpeedUp);
  std::function<double()> RunClock;
  std::function<void()> RunChanged = [] {};

  // The client size the window is laid out with, which it also gets when
  // windows are cascaded.
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  // Closing the last window of a document with unsaved changes asks first.
  void closeEvent(QCloseEvent* Event) override;
  // Qt input reaching the gestures (map_window_input.cpp).
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  // A wheel notch zooms one step about the cursor.
  void wheelEvent(QWheelEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // What the document tells its windows (map_window_documents.cpp).
  void DocumentChanged() override;
  void HistoryMoved() override;
  void DocumentStateChanged() override;
  void MapReplacing() override;
  TMapView KeptView() const override { return View(); }

  // What the tools reach through (map_window_gestures.cpp).
  bool ModeDown(TModeButton Button) const override;
  void SetConnDown(bool Down) override;
  void ReportError(const QString& Message) override { ShowError(Message); }
  void BeginEdit() override;
  void CommitEdit(const QString& Text) override;
  void TakeBack() override;
  void GestureFailed() override { Scroll.Cancel(); }
  void ScrollEnded() override;
  // Moves the picture by (DX, DY) pixels and paints what came into view;
  // says whether it could, which it cannot while the picture shows more
  // than the map or nothing of it stays in view.
  bool PaintMoved(int64_t DX, int64_t DY);
  // Moves the view by (DX, DY), reusing the picture when it can.
  void MoveView(int64_t DX, int64_t DY);
  bool ShowsPreview() const;
  bool ShiftDown() const override;
  bool SnapsToGrid() const override;
  // The typed entry: opened with the first text typed, and what it takes.
  void OpenEntry(const QString& Text);
  void EntryTyped(const QString& Text);
  void CloseEntry();

  void SetView(const TMapView& AView);
  TMapPainter Painter();
  TColor ButtonFace() const;
  void PresentNow();
  bool LeftGestureUnderway() const;
  // The tool of the mode buttons' choice, none when no button of a tool is
  // down.
  TMapTool* ChosenTool() const;
  // Takes back whatever gesture is under way.
  void CancelGestures();
  // The arrow keys nudge the selection by a pixel, with Shift by a grid
  // step; says whether Key was one of them.
  bool NudgeKey(int Key, bool Shift);
  // Puts each point of the selection at To(where it stands), as one step.
  void TransformSelection(const QString& Text,
                          const std::function<TTrXY(const TTrVector&)>& To);
  // The selected part of the map as map text, empty for nothing selected.
  std::string SelectedText() const;
  // Pastes Part moved by (DX, DY) as one step named Text, selecting it.
  void PastePartAs(const QString& Text, const TTrainStructureSV& Part,
                   double DX, double DY);
  enum class TSelectKind { Points, Lines, Trains };
  TSelectKind SelectKind() const;
  void EditTrackProperties(TTrack* Track);
  void EditPointHeight(TTrPoint* Point);
  void EditTrain(TTrain* Train);
  // A command's change of the map, as one step named Text.
  void Edit(const QString& Text, const std::function<void()>& Change);
  bool ExecSaveDialog(QString& Name);
  bool ExecExportDialog(QString& Name, TPictureFormat& Format);
  void ShowErrors(const QStringList& Messages);
  void WayMayHaveChanged();
  void PaintWay(QPainter& Target);
  void PaintRun(QPainter& Target);
  void RunInterrupted();

  std::shared_ptr<TMapDocument> Document_;
  // The tools of the mode buttons, in the order of the tool table, and the
  // scroll; Gesture is the one whose left-button gesture is under way.
  std::vector<std::unique_ptr<TMapTool>> Tools;
  TScrollTool Scroll;
  TMapTool* Gesture = nullptr;
  // The document changed through another window: painted at the next paint.
  bool Stale = false;
  // The picture was moved by a scroll since it was last painted whole; it
  // holds a line cut at the painter's band around the window.
  bool PictureMoved = false;
  bool PictureCut = false;
  // What a scroll under way has yet to move the view by, less than the
  // three pixels of the grid's dots on each axis.
  int64_t HeldX = 0;
  int64_t HeldY = 0;

  // The window's own dialogs, made the first time they are asked for.
  TExportFileDialog* ExportDialog = nullptr;
  TfrmBackground* BackgroundDialog = nullptr;

  // Where the mouse was last seen over the window, none once it has left,
  // and the keys held at the last mouse event.
  std::optional<QPoint> MouseAt;
  Qt::KeyboardModifiers MouseKeys;
  TTypedEntry* NumberEntry = nullptr;
  // Wheel turns smaller than a notch add up until they make one.
  int WheelRest = 0;

  std::unique_ptr<TShownWay> Way_;
  bool WayChangePending = false;
  std::unique_ptr<TTrialRun> Run;
  double RunSpeedUp_ = 1.0;
};

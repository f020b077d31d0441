#pragma once

#include <QtCore/QString>
#include <cstdint>

#include "map_view.h"
#include "mode_buttons.h"

class TCanvas;
class TMapDocument;
class TTrLine;
class TTrPoint;
class TTrain;
struct TMapSelection;

// What a tool works through: the view it belongs to, which converts,
// hit-tests, draws and reports, and, through it, the document.
class TToolHost {
 public:
  virtual TMapDocument& Document() = 0;
  virtual TMapView View() const = 0;
  virtual bool ModeDown(TModeButton Button) const = 0;
  virtual void SetConnDown(bool Down) = 0;
  // Snapping: Shift held at the last mouse event, and the grid's.
  virtual bool ShiftDown() const = 0;
  virtual bool SnapsToGrid() const = 0;
  virtual void ReportError(const QString& Message) = 0;
  virtual double HitTestPoint(int32_t X, int32_t Y, const TTrPoint* Exclude,
                              TTrPoint*& Point) const = 0;
  virtual double HitTestLine(int32_t X, int32_t Y, TTrLine*& Line) const = 0;
  virtual double HitTestTrain(int32_t X, int32_t Y, TTrain*& Train) const = 0;
  // Selection changes, drawn at once.
  virtual void SelectPoint(TTrPoint* Point) = 0;
  virtual void SelectLine(TTrLine* Line) = 0;
  virtual void SelectTrain(TTrain* Train) = 0;
  // Takes the object into the selection, making it the current one, or
  // out of it; drawn at once.
  virtual void ToggleSelected(TTrPoint* Point) = 0;
  virtual void ToggleSelected(TTrLine* Line) = 0;
  virtual void ToggleSelected(TTrain* Train) = 0;
  // Makes Selection the document's, shown at once.
  virtual void SetSelection(const TMapSelection& Selection) = 0;
  virtual void Repaint() = 0;
  virtual void ScrollBy(int32_t DX, int32_t DY) = 0;
  // Shows the path from From to To over the map until it is hidden.
  virtual void ShowPath(TTrPoint* From, TTrPoint* To) = 0;
  // A scroll's last step has been made.
  virtual void ScrollEnded() = 0;
  // A gesture's edit: begun, made one step named Text, or taken back with
  // the selection it began with shown again.
  virtual void BeginEdit() = 0;
  virtual void CommitEdit(const QString& Text) = 0;
  virtual void TakeBack() = 0;
  // A gesture failed: a scroll under way ends with it.
  virtual void GestureFailed() = 0;

 protected:
  ~TToolHost() = default;
};

// One way of turning mouse input in a map window into a gesture: a left
// press (a right or middle one for the scroll) starts it, moves carry it
// on, a release ends it with one step of the history or none. Every
// reference it keeps into the map lives here, for as long as the gesture.
class TMapTool {
 public:
  explicit TMapTool(TToolHost& AHost) : Host(AHost) {}
  virtual ~TMapTool() = default;
  TMapTool(const TMapTool&) = delete;
  TMapTool& operator=(const TMapTool&) = delete;

  // Says whether a gesture began; a press may do its work at once (a
  // selection) and begin none.
  virtual bool Press(int32_t X, int32_t Y) = 0;
  virtual void Move(int32_t X, int32_t Y) = 0;
  virtual void Release(int32_t X, int32_t Y) = 0;
  // Takes the gesture back: the map is as it was before the press.
  virtual void Cancel() = 0;
  virtual bool Underway() const = 0;
  // Whether the gesture, under way between two clicks, takes the next left
  // press (Press again) rather than ignoring it.
  virtual bool TakesNextPress() const { return false; }
  // Whether the gesture takes every press and release of any button for
  // itself, rather than letting a scroll begin and end during it.
  virtual bool HoldsAllButtons() const { return false; }
  // What the status bar says during the gesture; empty leaves it to the
  // selection.
  virtual QString StatusText() const { return {}; }
  // Drawn over the map while the gesture goes on, if the tool shows more
  // than the map.
  virtual void Preview(TCanvas&) const {}
  // The point the gesture moves, none without one.
  virtual TTrPoint* MovedPoint() const { return nullptr; }
  // Numbers typed during the gesture: whether it takes them now, what to
  // type (the entry's caption), and taking Text, which ends the gesture
  // exactly there. Gives why Text was not taken; empty when it was.
  virtual bool TakesTyping() const { return false; }
  virtual QString TypingHint() const { return {}; }
  virtual QString Typed(const QString&) { return {}; }
  // A click in the window ends what the tool still shows from its last
  // gesture.
  virtual void Dismiss() {}

 protected:
  TToolHost& Host;
};

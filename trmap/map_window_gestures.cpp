#include "build_tool.h"
#include "map_window.h"
#include "point_gesture.h"
#include "tool_table.h"

bool TfrmMap::ModeDown(TModeButton Button) const {
  return ModeButtons != nullptr && ModeButtons->IsDown(Button);
}

void TfrmMap::SetConnDown(bool Down) {
  if (ModeButtons != nullptr) ModeButtons->SetConnDown(Down);
}

TMapTool* TfrmMap::ChosenTool() const {
  const auto rows = ToolRows();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (ModeDown(rows[i].Button)) return Tools[i].get();
  }
  return nullptr;
}

bool TfrmMap::LeftGestureUnderway() const {
  return Gesture != nullptr && Gesture->Underway();
}

bool TfrmMap::Building() const {
  return LeftGestureUnderway() && Gesture->HoldsAllButtons();
}

bool TfrmMap::MovingPoint() const {
  return LeftGestureUnderway() && !Gesture->HoldsAllButtons() &&
         Gesture->MovedPoint() != nullptr;
}

TTrPoint* TfrmMap::DragPoint() const {
  return LeftGestureUnderway() ? Gesture->MovedPoint() : nullptr;
}

TTrLine* TfrmMap::BuildLine() const {
  const auto* build = dynamic_cast<const TBuildTool*>(Gesture);
  return build != nullptr && build->Underway() ? build->Line() : nullptr;
}

void TfrmMap::FormMouseDown(TMouseButton Button, int32_t X, int32_t Y) {
  // A build takes every press until it ends, and so does the typed entry.
  if (Building() || Typing()) return;
  for (const auto& tool : Tools) tool->Dismiss();
  if (Button != TMouseButton::Left) {
    Scroll.Press(X, Y);
    return;
  }
  // A second left press cannot start anything while the first one still
  // drags a point; a gesture of two clicks takes it.
  if (LeftGestureUnderway()) {
    if (Gesture->TakesNextPress()) Gesture->Press(X, Y);
    return;
  }
  if (TMapTool* tool = ChosenTool(); tool != nullptr && tool->Press(X, Y)) {
    Gesture = tool;
  }
}

void TfrmMap::FormMouseMove(int32_t X, int32_t Y) {
  if (Typing()) {
    if (Scroll.Underway()) Scroll.Move(X, Y);
  } else if (LeftGestureUnderway()) {
    Gesture->Move(X, Y);
  } else if (Scroll.Underway()) {
    Scroll.Move(X, Y);
  }
}

// A build ends at any release; otherwise a scroll ends before a point drag.
void TfrmMap::FormMouseUp(TMouseButton, int32_t X, int32_t Y) {
  if (Typing()) {
    if (Scroll.Underway()) Scroll.Release(X, Y);
    return;
  }
  if (Building()) {
    Gesture->Release(X, Y);
  } else if (Scroll.Underway()) {
    Scroll.Release(X, Y);
  } else if (LeftGestureUnderway()) {
    Gesture->Release(X, Y);
  }
  if (!LeftGestureUnderway()) Gesture = nullptr;
  // The status showed the line being drawn until now.
  StatusChanged();
}

bool TfrmMap::JoinPoint(TTrPoint* Gone, TTrLine* Line, TTrPoint* Keep) {
  return JoinPoints(*this, Gone, Line, Keep);
}

void TfrmMap::BeginEdit() { Document_->BeginEdit(); }

void TfrmMap::CommitEdit(const QString& Text) {
  Document_->CommitEdit(Text, this);
}

void TfrmMap::TakeBack() {
  Document_->RollBackEdit(this);
  ShowPointLinks();
  Repaint();
}

void TfrmMap::CancelGestures() {
  CloseEntry();
  Scroll.Cancel();
  if (LeftGestureUnderway()) Gesture->Cancel();
  Gesture = nullptr;
}

void TfrmMap::Edit(const QString& Text, const std::function<void()>& Change) {
  Document_->Edit(Text, Change, this);
}

void TfrmMap::Undo() {
  if (!GestureUnderway()) Document_->Undo(this);
}

void TfrmMap::Redo() {
  if (!GestureUnderway()) Document_->Redo(this);
}

void TfrmMap::FormKeyDown(int Key, bool Shift) {
  if (Key == kVkEscape) {
    // Takes back a build or a drag; otherwise ends a trial run, or else a
    // chain of builds.
    if (LeftGestureUnderway()) {
      CloseEntry();
      Gesture->Cancel();
      Gesture = nullptr;
    } else if (Running()) {
      StopRun();
    } else {
      SetConnDown(false);
    }
    return;
  }
  if (NudgeKey(Key, Shift)) return;
  if (Key != kVkDelete) return;
  // The selected point is the one a build or a drag is moving.
  if (LeftGestureUnderway()) return;
  const TMapSelection selection = Document_->Selection();
  if (selection.Empty()) return;
  if (selection.Count() > 1) {
    DeleteSelection();
    return;
  }
  TTrainStructureSV& map = Document_->Map();
  // The selection goes with what it names; the step remembers it.
  const auto deleteSelected = [&](const char* Step, auto Delete) {
    Edit(QString::fromLatin1(Step), [&] {
      Document_->Select({}, this);
      Delete();
    });
  };
  if (selection.Point != nullptr) {
    deleteSelected("Delete Point", [&] { map.DeletePoint(selection.Point); });
  } else if (selection.Line != nullptr) {
    deleteSelected("Delete Line", [&] { map.DeleteLineOnly(selection.Line); });
  } else {
    deleteSelected("Delete Train", [&] { map.DeleteTrain(selection.Train); });
  }
  Repaint();
}

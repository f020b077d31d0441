#include <QtGui/QUndoStack>
#include <utility>

#include "map_window.h"

// One step of a window's history: the changes of one user action, with the
// selection before and after it, both of which name objects of the map in
// the state the step leaves it in.
class TMapEditCommand : public QUndoCommand {
 public:
  TMapEditCommand(TfrmMap& AWindow, const QString& Text, TMapEdit Edit,
                  TfrmMap::TSelection ABefore, TfrmMap::TSelection AAfter)
      : QUndoCommand(Text),
        Window(AWindow),
        Changes(std::move(Edit)),
        Before(ABefore),
        After(AAfter) {}

  void undo() override {
    Changes.Undo(*Window.Map);
    Window.RestoreSelection(Before);
  }
  void redo() override {
    // The stack does the step when it takes it; the map has it already.
    if (std::exchange(Done, false)) return;
    Changes.Redo(*Window.Map);
    Window.RestoreSelection(After);
  }

 private:
  TfrmMap& Window;
  TMapEdit Changes;
  TfrmMap::TSelection Before;
  TfrmMap::TSelection After;
  bool Done = true;
};

void TfrmMap::Undo() {
  if (!GestureUnderway()) UndoStack->undo();
}

void TfrmMap::Redo() {
  if (!GestureUnderway()) UndoStack->redo();
}

void TfrmMap::BeginEdit() {
  SelectionBefore = Selection();
  Map->BeginEdit();
}

void TfrmMap::CommitEdit(const QString& Text) {
  TMapEdit edit = Map->EndEdit();
  if (edit.Empty()) {
    SelectionBefore = {};
    return;
  }
  UndoStack->push(new TMapEditCommand(*this, Text, std::move(edit),
                                      std::exchange(SelectionBefore, {}),
                                      Selection()));
}

void TfrmMap::RollBackEdit() {
  // The selection may name what the edit made; it is not drawn again.
  SelectedLine = nullptr;
  SelectedPoint = nullptr;
  SelectedTrain = nullptr;
  Map->RollBackEdit();
  RestoreSelection(std::exchange(SelectionBefore, {}));
}

void TfrmMap::Edit(const QString& Text, const std::function<void()>& Change) {
  // A build or a drag records its own edit until the button comes up.
  if (Building || MovingPoint) return;
  BeginEdit();
  try {
    Change();
  } catch (...) {
    RollBackEdit();
    throw;
  }
  CommitEdit(Text);
}

void TfrmMap::RestoreSelection(const TSelection& Selection) {
  SelectedLine = Selection.Line;
  SelectedPoint = Selection.Point;
  SelectedTrain = Selection.Train;
  ShowPointLinks();
  Repaint();
}

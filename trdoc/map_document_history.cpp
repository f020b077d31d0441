#include <QtGui/QUndoStack>
#include <utility>

#include "map_document.h"

// One step of a document's history: the changes of one user action, with
// the selection before and after it, both of which name objects of the map
// in the state the step leaves it in.
class TMapEditCommand : public QUndoCommand {
 public:
  TMapEditCommand(TMapDocument& ADocument, const QString& Text, TMapEdit Edit,
                  TMapSelection ABefore, TMapSelection AAfter)
      : QUndoCommand(Text),
        Document(ADocument),
        Changes(std::move(Edit)),
        Before(ABefore),
        After(AAfter) {}

  void undo() override {
    Changes.Undo(Document.Map());
    Document.StepTaken(Before);
  }
  void redo() override {
    // The stack does the step when it takes it; the map has it already.
    if (std::exchange(Done, false)) return;
    Changes.Redo(Document.Map());
    Document.StepTaken(After);
  }

 private:
  TMapDocument& Document;
  TMapEdit Changes;
  TMapSelection Before;
  TMapSelection After;
  bool Done = true;
};

void TMapDocument::BeginEdit() {
  SelectionBefore = Selection_;
  Map_->BeginEdit();
}

void TMapDocument::CommitEdit(const QString& Text, const TDocumentView* By) {
  TMapEdit edit = Map_->EndEdit();
  const TMapSelection before = std::exchange(SelectionBefore, {});
  if (edit.Empty()) return;
  UndoStack_->push(
      new TMapEditCommand(*this, Text, std::move(edit), before, Selection_));
  Changed(By);
}

void TMapDocument::RollBackEdit(const TDocumentView* By) {
  // The selection may name what the edit made.
  Selection_ = {};
  Map_->RollBackEdit();
  Selection_ = std::exchange(SelectionBefore, {});
  Changed(By);
}

void TMapDocument::Edit(const QString& Text,
                        const std::function<void()>& Change,
                        const TDocumentView* By) {
  // A build or a drag records its own edit until the button comes up.
  if (Editing()) return;
  BeginEdit();
  try {
    Change();
  } catch (...) {
    RollBackEdit(By);
    throw;
  }
  CommitEdit(Text, By);
}

void TMapDocument::Undo(TDocumentView* By) {
  if (Editing()) return;
  Stepping = By;
  UndoStack_->undo();
  Stepping = nullptr;
}

void TMapDocument::Redo(TDocumentView* By) {
  if (Editing()) return;
  Stepping = By;
  UndoStack_->redo();
  Stepping = nullptr;
}

bool TMapDocument::Modified() const { return !UndoStack_->isClean(); }

void TMapDocument::StepTaken(const TMapSelection& Selection) {
  Selection_ = Selection;
  for (TDocumentView* view : Views) {
    if (Stepping == nullptr || view == Stepping) {
      view->HistoryMoved();
    } else {
      view->DocumentChanged();
    }
  }
}

#include <QtWidgets/QCheckBox>

#include "map_window.h"

// Each former selection is redrawn unselected over whatever lies on it; the
// next full paint puts the layers back in order.
void TfrmMap::ClearSelection() {
  TMapSelection selection = Document_->Selection();
  // Beyond its current object a selection of many is repainted whole.
  const bool current = selection.Line != nullptr ||
                       selection.Point != nullptr || selection.Train != nullptr;
  if (selection.Count() > (current ? 1u : 0u)) {
    Document_->Select({}, this);
    Repaint();
    return;
  }
  selection.Many = {};
  bool redrawn = false;
  if (TTrLine* line = std::exchange(selection.Line, nullptr)) {
    Document_->Select(selection, this);
    DrawLine(line);
    redrawn = true;
  }
  if (TTrPoint* point = std::exchange(selection.Point, nullptr)) {
    Document_->Select(selection, this);
    DrawPoint(point);
    redrawn = true;
  }
  if (TTrain* train = std::exchange(selection.Train, nullptr)) {
    Document_->Select(selection, this);
    DrawTrain(train);
    redrawn = true;
  }
  if (redrawn) PresentNow();
}

void TfrmMap::ShowPointLinks() {
  const TTrPoint* point = SelectedPoint();
  if (point == nullptr) return;
  CheckBox1->setChecked(!point->Conn1.IsEmpty());
  CheckBox2->setChecked(!point->Conn2.IsEmpty());
  CheckBox3->setChecked(!point->Conn3.IsEmpty());
}

void TfrmMap::SelectPoint(TTrPoint* Point) {
  ClearSelection();
  Document_->Select({nullptr, Point, nullptr}, this);
  DrawPoint(Point);
  ShowPointLinks();
  PresentNow();
}

void TfrmMap::SelectLine(TTrLine* Line) {
  ClearSelection();
  Document_->Select({Line, nullptr, nullptr}, this);
  DrawLine(Line);
  PresentNow();
}

void TfrmMap::SelectTrain(TTrain* Train) {
  ClearSelection();
  Document_->Select({nullptr, nullptr, Train}, this);
  DrawTrain(Train);
  PresentNow();
}

namespace {

// Takes Object into Set, making it Current, or out of it.
template <typename T>
void Toggle(TObjectSet<T>& Set, T*& Current, T* Object) {
  if (Set.Erase(Object)) {
    if (Current == Object) Current = nullptr;
  } else {
    Set.Insert(Object);
    Current = Object;
  }
}

}  // namespace

void TfrmMap::ToggleSelected(TTrPoint* Point) {
  TMapSelection selection = Document_->Selection();
  selection.Line = nullptr;
  selection.Train = nullptr;
  Toggle(selection.Many.Points, selection.Point, Point);
  Document_->Select(selection, this);
  DrawPoint(Point);
  ShowPointLinks();
  PresentNow();
}

void TfrmMap::ToggleSelected(TTrLine* Line) {
  TMapSelection selection = Document_->Selection();
  selection.Point = nullptr;
  selection.Train = nullptr;
  Toggle(selection.Many.Lines, selection.Line, Line);
  Document_->Select(selection, this);
  DrawLine(Line);
  PresentNow();
}

void TfrmMap::ToggleSelected(TTrain* Train) {
  TMapSelection selection = Document_->Selection();
  selection.Line = nullptr;
  selection.Point = nullptr;
  Toggle(selection.Many.Trains, selection.Train, Train);
  Document_->Select(selection, this);
  DrawTrain(Train);
  PresentNow();
}

void TfrmMap::SetSelection(const TMapSelection& Selection) {
  Document_->Select(Selection, this);
  ShowPointLinks();
  Repaint();
}

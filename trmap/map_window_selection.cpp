#include <QtWidgets/QCheckBox>

#include "map_window.h"

// Each former selection is redrawn unselected over whatever lies on it; the
// next full paint puts the layers back in order.
void TfrmMap::ClearSelection() {
  TMapSelection selection = Document_->Selection();
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

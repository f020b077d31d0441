#include <QtWidgets/QCheckBox>

#include "map_window.h"

// Each former selection is redrawn unselected over whatever lies on it; the
// next full paint puts the layers back in order.
void TfrmMap::ClearSelection() {
  bool redrawn = false;
  if (SelectedLine != nullptr) {
    TTrLine* line = SelectedLine;
    SelectedLine = nullptr;
    DrawLine(line);
    redrawn = true;
  }
  if (SelectedPoint != nullptr) {
    TTrPoint* point = SelectedPoint;
    SelectedPoint = nullptr;
    DrawPoint(point);
    redrawn = true;
  }
  if (SelectedTrain != nullptr) {
    TTrain* train = SelectedTrain;
    SelectedTrain = nullptr;
    DrawTrain(train);
    redrawn = true;
  }
  if (redrawn) PresentNow();
}

void TfrmMap::ShowPointLinks() {
  if (SelectedPoint == nullptr) return;
  CheckBox1->setChecked(!SelectedPoint->Conn1.IsEmpty());
  CheckBox2->setChecked(!SelectedPoint->Conn2.IsEmpty());
  CheckBox3->setChecked(!SelectedPoint->Conn3.IsEmpty());
}

void TfrmMap::SelectPoint(TTrPoint* Point) {
  ClearSelection();
  SelectedPoint = Point;
  DrawPoint(Point);
  ShowPointLinks();
  PresentNow();
}

void TfrmMap::SelectLine(TTrLine* Line) {
  ClearSelection();
  SelectedLine = Line;
  DrawLine(Line);
  PresentNow();
}

void TfrmMap::SelectTrain(TTrain* Train) {
  ClearSelection();
  SelectedTrain = Train;
  DrawTrain(Train);
  PresentNow();
}

// No redrawing here: the map is in the middle of a change, and whoever
// changes it paints afterwards.
void TfrmMap::Leaving(const TTrPoint& Point) {
  if (SelectedPoint == &Point) SelectedPoint = nullptr;
  if (DragPoint == &Point) DragPoint = nullptr;
}

void TfrmMap::Leaving(const TTrLine& Line) {
  if (SelectedLine == &Line) SelectedLine = nullptr;
  if (BuildLine == &Line) BuildLine = nullptr;
}

void TfrmMap::Leaving(const TTrain& Train) {
  if (SelectedTrain == &Train) SelectedTrain = nullptr;
}

#include "map_window.h"

TMapPainter TfrmMap::Painter() {
  return TMapPainter(*Canvas, *Map, View(),
                     {SelectedLine, SelectedPoint, SelectedTrain},
                     &Map->SpatialIndex(), Background ? &*Background : nullptr);
}

void TfrmMap::FormPaint() { Painter().Paint(); }

void TfrmMap::DrawLine(TTrLine* Line) { Painter().DrawLine(*Line); }

void TfrmMap::DrawPoint(TTrPoint* Point) { Painter().DrawPoint(*Point); }

void TfrmMap::DrawTrain(TTrain* Train) { Painter().DrawTrain(*Train); }

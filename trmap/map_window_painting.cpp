#include "map_window.h"

TMapPainter TfrmMap::Painter() {
  const TMapSelection& selected = Document_->Selection();
  const std::optional<TMapBackground>& background = Document_->Background();
  TMapPainter painter(
      *Canvas, Document_->Map(), View(),
      {selected.Line, selected.Point, selected.Train, &selected.Many},
      Document_->Map().SpatialIndexUnlessMovingMuch(),
      background ? &*background : nullptr);
  if (Running()) painter.HideTrains();
  return painter;
}

void TfrmMap::FormPaint() {
  TMapPainter painter = Painter();
  painter.Paint();
  PictureCut = painter.CutSegments();
  // A gesture's preview, or what a tool still shows after one.
  for (const auto& tool : Tools) tool->Preview(*Canvas);
}

void TfrmMap::DrawLine(TTrLine* Line) { Painter().DrawLine(*Line); }

void TfrmMap::DrawPoint(TTrPoint* Point) { Painter().DrawPoint(*Point); }

void TfrmMap::DrawTrain(TTrain* Train) {
  if (!Running()) Painter().DrawTrain(*Train);
}

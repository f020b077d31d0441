#include "canvas_recording.h"

#include <QtCore/QSize>

void TCanvasRecording::Keep(TKind Kind, int X1, int Y1, int X2, int Y2) {
  if (PassingOver_) return;
  const TState state{Pen, Brush};
  // Operations come in long runs of one pen and brush.
  uint32_t index = Operations.empty() ? 0 : Operations.back().State;
  if (index >= States.size() || !(States[index] == state)) {
    index = 0;
    while (index < States.size() && !(States[index] == state)) ++index;
    if (index == States.size()) States.push_back(state);
  }
  Operations.push_back({Kind, index, X1, Y1, X2, Y2});
}

void TCanvasRecording::MoveTo(int X, int Y) {
  // A move that no line follows is kept on its own.
  if (Moved) Keep(TKind::Move, CurrentX, CurrentY);
  CurrentX = X;
  CurrentY = Y;
  Moved = true;
}

void TCanvasRecording::LineTo(int X, int Y) {
  Keep(Moved ? TKind::MoveLine : TKind::Line, CurrentX, CurrentY, X, Y);
  CurrentX = X;
  CurrentY = Y;
  Moved = false;
}

void TCanvasRecording::Ellipse(int X1, int Y1, int X2, int Y2) {
  Keep(TKind::Ellipse, X1, Y1, X2, Y2);
}

void TCanvasRecording::DrawPicture(const QImage& Picture, const QRect& Source,
                                   const QTransform& Transform, double Opacity,
                                   bool Smooth) {
  if (PassingOver_) return;
  Keep(TKind::Picture, static_cast<int>(Pictures.size()));
  Pictures.push_back({Picture, Source, Transform, Opacity, Smooth});
}

void TCanvasRecording::Erase(TColor Color) {
  Keep(TKind::Erase, static_cast<int>(Color));
}

void TCanvasRecording::Resize(const QSize& Size) {
  Keep(TKind::Resize, Size.width(), Size.height());
}

void TCanvasRecording::Present(QPainter&) {}

void TCanvasRecording::PlayOnto(TCanvas& Target) const {
  // A canvas leaves its pen and brush as they are set.
  size_t state = States.size();
  for (const TOperation& operation : Operations) {
    if (operation.State != state) {
      state = operation.State;
      Target.Pen = States[state].Pen;
      Target.Brush = States[state].Brush;
    }
    const int x1 = operation.X1;
    const int y1 = operation.Y1;
    switch (operation.Kind) {
      case TKind::Move:
        Target.MoveTo(x1, y1);
        break;
      case TKind::MoveLine:
        Target.MoveTo(x1, y1);
        Target.LineTo(operation.X2, operation.Y2);
        break;
      case TKind::Line:
        Target.LineTo(operation.X2, operation.Y2);
        break;
      case TKind::Ellipse:
        Target.Ellipse(x1, y1, operation.X2, operation.Y2);
        break;
      case TKind::Picture: {
        const TPictureDrawing& drawing = Pictures[static_cast<size_t>(x1)];
        Target.DrawPicture(drawing.Picture, drawing.Source, drawing.Transform,
                           drawing.Opacity, drawing.Smooth);
        break;
      }
      case TKind::Erase:
        Target.Erase(static_cast<TColor>(x1));
        break;
      case TKind::Resize:
        Target.Resize(QSize(x1, y1));
        break;
    }
  }
  if (Moved) Target.MoveTo(CurrentX, CurrentY);
  Target.Pen = Pen;
  Target.Brush = Brush;
}

#pragma once

#include <QtCore/QRect>
#include <QtGui/QImage>
#include <QtGui/QTransform>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "canvas.h"

// A canvas that keeps its operations, each with the pen and brush in force,
// to be played onto another canvas later: so that what to draw can be
// worked out on one thread and drawn on another, in its order.
class TCanvasRecording : public TCanvas {
 public:
  void MoveTo(int X, int Y) override;
  void LineTo(int X, int Y) override;
  void Ellipse(int X1, int Y1, int X2, int Y2) override;
  void DrawPicture(const QImage& Picture, const QRect& Source,
                   const QTransform& Transform, double Opacity,
                   bool Smooth) override;
  void Erase(TColor Color) override;
  void Resize(const QSize& Size) override;
  // Keeps no picture, so shows nothing.
  void Present(QPainter& Target) override;

  // Whether any operation is kept.
  bool Empty() const { return Operations.empty(); }

  // Makes room for this many operations more.
  void Reserve(size_t Count) { Operations.reserve(Operations.size() + Count); }

  // While passing over, operations change the pen, brush and current
  // position but are not kept.
  void SetPassingOver(bool PassingOver) {
    PassingOver_ = PassingOver;
    Moved = false;
  }

  // Does every operation kept onto Target, in order, with the pen and brush
  // each had, and leaves Target's pen and brush as they are here now.
  void PlayOnto(TCanvas& Target) const;

 private:
  // A line is kept with both its ends, and whether MoveTo came before it.
  enum class TKind : uint8_t {
    Move,
    MoveLine,
    Line,
    Ellipse,
    Picture,
    Erase,
    Resize
  };
  struct TOperation {
    TKind Kind;
    // Where the pen and brush of the operation lie in States.
    uint32_t State;
    int X1;
    int Y1;
    int X2;
    int Y2;
  };
  struct TState {
    TPen Pen;
    TBrush Brush;
    bool operator==(const TState&) const = default;
  };
  struct TPictureDrawing {
    QImage Picture;
    QRect Source;
    QTransform Transform;
    double Opacity;
    bool Smooth;
  };

  void Keep(TKind Kind, int X1 = 0, int Y1 = 0, int X2 = 0, int Y2 = 0);

  // The few pens and brushes used, each once.
  std::vector<TState> States;
  std::vector<TOperation> Operations;
  std::vector<TPictureDrawing> Pictures;
  bool PassingOver_ = false;
  // The current position, and whether MoveTo set it after the last line.
  int CurrentX = 0;
  int CurrentY = 0;
  bool Moved = false;
};

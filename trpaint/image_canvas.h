#pragma once

#include <QtCore/QLine>
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtGui/QImage>
#include <memory>
#include <optional>
#include <vector>

#include "canvas.h"
#include "ellipse_sprites.h"

class QPainter;

// The canvas of a map window: draws onto an image that the window shows.
// Consecutive lines with the same pen are drawn in one batch, thin lines
// and small ellipses without the painter's general machinery; the picture
// is the same as the painter's drawing of each operation on its own.
class TImageCanvas : public TCanvas {
 public:
  explicit TImageCanvas(const QSize& Size);
  ~TImageCanvas() override;

  void MoveTo(int X, int Y) override;
  void LineTo(int X, int Y) override;
  void Ellipse(int X1, int Y1, int X2, int Y2) override;
  void DrawPicture(const QImage& Picture, const QRect& Source,
                   const QTransform& Transform, double Opacity,
                   bool Smooth) override;
  void Erase(TColor Color) override;
  void Resize(const QSize& Size) override;
  void Present(QPainter& Target) override;
  bool KeepsPicture() const override { return true; }
  bool MovePicture(int DX, int DY) override;
  void SetClip(const std::optional<QRect>& Area) override;
  bool MovesExactly() const override { return !Approximate; }

  // The picture with every operation so far completed.
  const QImage& Picture();

  // Makes the image a strip of a taller picture, PictureHeight rows high:
  // drawing is at the picture's coordinates, of which the image holds the
  // rows from Top on. A thin line inside the picture is drawn as in the
  // whole picture, cut at the strip's edges. At first the image is the
  // whole picture.
  void SetStrip(int Top, int PictureHeight);

  // The image's pixels, looked up once for many drawings.
  struct TPixels {
    uchar* Bits;
    qsizetype Stride;
    int Width;
    int Height;
  };
  // Where the image lies in the picture.
  struct TStrip {
    int Top;
    int PictureHeight;
  };
  // The pixels that drawing may set, in the picture's coordinates: the
  // image's part of the picture within the clip; ImageTop is the picture's
  // row of the image's first.
  struct TDrawnArea {
    int Left;
    int Top;
    int Right;
    int Bottom;
    int ImageTop;
  };

 private:
  QPainter& Painter();
  TStrip CurrentStrip() const;
  TDrawnArea DrawnArea() const { return Drawn; }
  // Works the drawn area out again, after the image, strip or clip changed:
  // every line and sprite asks for it.
  void UpdateDrawnArea();
  // Detaches the image from any copy made of it since the last call.
  const TPixels& Pixels();
  void FlushLines();
  void EndPainting();
  void CopySprite(const TEllipseSprite& Sprite, int Left, int Top);

  QImage Image;
  // The colour the whole image has while nothing has been drawn on it
  // since it was erased; none once something has.
  std::optional<TColor> ErasedWith;
  // Forgotten whenever the image may have been shared or replaced.
  std::optional<TPixels> CachedPixels;
  std::unique_ptr<QPainter> ActivePainter;
  TPen PainterPen;  // the pen ActivePainter holds
  std::vector<QLine> PendingLines;
  TPen PendingPen;
  QPoint Current;
  TEllipseSprites Sprites;
  std::optional<TStrip> Strip;
  std::optional<QRect> Clip;
  TDrawnArea Drawn{};
  // Whether the picture, since it was last erased whole, holds anything
  // the painter drew (wide lines, large ellipses, pictures): the painter
  // places the pixels of what an edge cuts by where it cuts, so such a
  // picture moved may differ a little from one drawn at the new place.
  bool Approximate = false;
};

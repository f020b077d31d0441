#pragma once

#include <QtCore/QString>
#include <QtWidgets/QWidget>
#include <cstdint>
#include <memory>

#include "canvas.h"
#include "pixel_rounding.h"
#include "screen_clip.h"
#include "train_structure.h"

class QCheckBox;
class QFrame;

// The window of one map. It owns the map, its own view of it (scale, origin,
// grid) and its own selection, and draws it through its canvas. Its methods
// are spread over files by concern: view, painting, selection.
class TfrmMap : public QWidget {
 public:
  // Canvas is where the window draws; without one it draws onto an image
  // of its own and shows that.
  explicit TfrmMap(QWidget* Parent = nullptr,
                   std::unique_ptr<TCanvas> Canvas = nullptr);
  ~TfrmMap() override;

  // At most one of the three is set; none owns its object.
  TTrLine* SelectedLine = nullptr;
  TTrPoint* SelectedPoint = nullptr;
  TTrain* SelectedTrain = nullptr;
  std::unique_ptr<TTrainStructureSV> Map;

  // Mouse gestures under way.
  bool Building = false;
  bool Panning = false;

  // The view: metres per pixel, metres between grid lines, and the client
  // pixel at which the world origin is shown.
  double Scale = 1.0;
  double GridSpacing = 100.0;
  int32_t OriginX = 0;
  int32_t OriginY = 0;

  QString FileName;

  // A hidden panel whose check boxes show which links the selected point
  // has: LineIn, LineOut, LineSw.
  QFrame* Panel1;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QCheckBox* CheckBox3;

  std::unique_ptr<TCanvas> Canvas;

  // Sets up a new window: an empty map, the default view for the current
  // client size, nothing selected.
  void FormCreate();

  // View (map_view.cpp). World to screen rounds to the nearest pixel, halves
  // to even, and saturates at the limits of 32 bits.
  int32_t WorldToScreenX(double X) const;
  int32_t WorldToScreenY(double Y) const;
  double ScreenToWorldX(double PX) const { return (PX - OriginX) * Scale; }
  double ScreenToWorldY(double PY) const { return -(PY - OriginY) * Scale; }
  void ScrollBy(int32_t DX, int32_t DY);
  // Magnifies by Factor around the centre of the client area.
  void ZoomBy(double Factor);
  void SetGridSpacing(double G);
  // Erases, paints the whole map and shows it before returning.
  void Repaint();

  // Painting (map_painting.cpp).
  void FormPaint();
  void DrawLine(TTrLine* Line);
  void DrawPoint(TTrPoint* Point);
  void DrawTrain(TTrain* Train);

  // Selection (map_selection.cpp). A change of selection redraws only the
  // objects concerned, straight onto the window.
  void ClearSelection();
  void ShowPointLinks();
  void SelectPoint(TTrPoint* Point);
  void SelectLine(TTrLine* Line);
  void SelectTrain(TTrain* Train);

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

 private:
  // The pixel column or row of a world coordinate as a whole number held in
  // a double, so that it cannot overflow before it is clipped.
  double ScreenColumn(double X) const {
    return RoundHalfEven(X / Scale + OriginX);
  }
  double ScreenRow(double Y) const {
    return RoundHalfEven(-Y / Scale + OriginY);
  }
  TScreenRect ClientRect() const {
    return {0.0, 0.0, static_cast<double>(width()),
            static_cast<double>(height())};
  }
  TColor ButtonFace() const;
  // Whether a box of world coordinates lies wholly more than Reach pixels
  // outside the client area: decided without converting each coordinate,
  // and with a pixel to spare for rounding.
  bool WorldBoxOutside(double MinX, double MaxX, double MinY, double MaxY,
                       double Reach) const {
    const double margin = Reach + 1.0;
    return MaxX < ScreenToWorldX(-margin) ||
           MinX > ScreenToWorldX(width() + margin) ||
           MaxY < ScreenToWorldY(height() + margin) ||
           MinY > ScreenToWorldY(-margin);
  }

  // DrawLine for a line whose kind is known: Track is the line as a track,
  // null for a wall.
  void DrawLineAs(TTrLine* Line, const TTrack* Track);
  void DrawGridColumns();
  void DrawGridRows();
  // MoveTo and LineTo for a segment in whole pixels, clipped to a band
  // around the window so that every coordinate fits the canvas.
  void DrawSegment(const TScreenSegment& Segment);
  void DrawLineMarker(double X, double Y, TColor Color, double Angle,
                      double Length, bool Visible);
  void PresentNow();
};

#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "canvas.h"
#include "map_background.h"
#include "map_group.h"
#include "map_view.h"
#include "screen_clip.h"
#include "spatial_index.h"
#include "train_structure.h"

// What is drawn as selected: the current object (at most one) and the
// objects of Many; none is owned.
struct TPaintSelection {
  const TTrLine* Line = nullptr;
  const TTrPoint* Point = nullptr;
  const TTrain* Train = nullptr;
  const TObjectGroup* Many = nullptr;

  bool Selected(const TTrLine& Object) const {
    return &Object == Line ||
           (Many != nullptr && Many->Lines.Contains(&Object));
  }
  bool Selected(const TTrPoint& Object) const {
    return &Object == Point ||
           (Many != nullptr && Many->Points.Contains(&Object));
  }
  bool Selected(const TTrain& Object) const {
    return &Object == Train ||
           (Many != nullptr && Many->Trains.Contains(&Object));
  }
};

// Draws a map in a view, with a selection, onto a canvas, as a map window
// shows it. The canvas keeps its pen and brush from one drawing to the
// next, and what a drawing leaves there is part of how the next one looks;
// each drawing sets only what it needs.
//
// With the map's spatial index a paint looks only at the objects near the
// view; without one it visits every object. The picture is the same, pixel
// for pixel, and so are the pen and brush it leaves on the canvas.
class TMapPainter {
 public:
  TMapPainter(TCanvas& Canvas, const TTrainStructureSV& Map,
              const TMapView& View, const TPaintSelection& Selection,
              const TSpatialIndex* Index = nullptr,
              const TMapBackground* Background = nullptr);

  // Draws only what may show in the client area's rows from Top up to but
  // not including Bottom, a strip of a large picture: the rest is passed
  // over as what lies outside the client area always is. What shows there
  // is drawn as in a paint of the whole client area.
  void SetRows(int Top, int Bottom);
  // Likewise for the client area's part Area, a strip that a scroll
  // brought into view.
  void SetArea(const QRect& Area);

  // A paint that draws at least ParallelFrom objects looks them up and
  // works out what to draw in runs of RunLength objects on two threads,
  // when there are two, and draws the runs in order. One that draws at
  // least CoveredFrom points per pixel passes over the points that later
  // ones cover. Tests set them.
  void SetThresholds(size_t ParallelFrom, size_t RunLength, double CoveredFrom);

  // Leaves the trains out of Paint (a trial run shows its own).
  void HideTrains() { TrainsShown = false; }
  // Whether the grid is drawn: its dotted lines run from the client area's
  // edge, so their dots lie at every third pixel from it.
  bool DrawsGrid() const;
  // Whether a drawing so far cut a segment at the band around the client
  // area: the pixels of such a line depend on where the band lies.
  bool CutSegments() const;

  // The whole picture: the background picture when one is shown, grid,
  // origin cross, tracks, walls, points and trains, each list in its order,
  // later layers over earlier ones. The background is not erased. In a
  // simplified view (TMapView::Simplified) crowded points along the track
  // are left out, lines shorter than a few pixels are drawn plainly (thin,
  // without marks) and grid lines are thinned to lie 8 pixels apart at
  // least.
  void Paint();
  // One object, selected or not as the selection says.
  void DrawLine(const TTrLine& Line);
  void DrawPoint(const TTrPoint& Point);
  void DrawTrain(const TTrain& Train);

 private:
  // DrawLine for a line whose kind is known: Track is the line as a track,
  // null for a wall. PointsCover tells that every point will be drawn after
  // it, so that it need not draw what lies under them.
  void DrawLineAs(const TTrLine& Line, const TTrack* Track, bool PointsCover);
  // What lies under the objects: background picture, grid, origin cross.
  void DrawUnderlay();
  void DrawBackground();
  // The metres between the grid lines drawn: the view's, or simplified a
  // multiple of it that leaves them far enough apart.
  double ShownGridSpacing() const;
  void DrawGrid(double Spacing);
  template <typename TDraw>
  void ForEachGridLine(int32_t Origin, double Spacing, double End, TDraw Draw);
  // Whether a line is shorter on the screen than crowded points lie apart,
  // by its unrounded length in pixels.
  bool ShortOnScreen(const TTrLine& Line) const;
  // Whether a simplified paint leaves the point out: a point along the
  // track, neither a switch, an end nor selected, with a neighbour closer
  // than a few pixels.
  bool Crowded(const TTrPoint& Point) const;
  // The pixel (column, row) on which every place within Reach metres of
  // At lies, if there is one.
  std::optional<std::pair<double, double>> PixelOfAll(const TTrVector& At,
                                                      double Reach) const;
  // DrawPoint, which sets the pen and brush but draws nothing unless Shown.
  void DrawPointAs(const TTrPoint& Point, bool Shown);
  // MoveTo and LineTo for a segment in whole pixels, clipped to a band
  // around the client area so that every coordinate fits the canvas.
  void DrawSegment(const TScreenSegment& Segment);
  void DrawLineMarker(double X, double Y, TColor Color, double Angle,
                      double Length, bool Visible);
  // One kind of object to draw: Count of them, those from Begin up to End
  // drawn by DrawRange(Painter, Begin, End), once Prepare (when given) has
  // run. Preparing may go on while earlier layers are drawn.
  struct TLayer {
    size_t Count;
    std::function<void(TMapPainter&, size_t, size_t)> DrawRange;
    std::function<void()> Prepare = {};
  };
  // The layer of Count objects, the I-th At(I), drawn by
  // Draw(Painter, Object, I).
  template <typename TAt, typename TDraw>
  static TLayer Layer(size_t Count, TAt At, TDraw Draw);
  // Marks in Covered which of its points, the I-th At(I), a later one
  // covers.
  template <typename TAt>
  void FindCovered(std::vector<uint8_t>& Covered, TAt At) const;
  // Marks in Covered which of its lines, the I-th At(I), a later one draws
  // again with the same pen, where the simplified paint draws them plainly
  // from a pixel of the area to itself or a neighbour.
  template <typename TAt>
  void FindCoveredLines(std::vector<uint8_t>& Covered, TAt At) const;
  // Draws the underlay while First and Second run, on two threads when
  // Parallel says so.
  void DrawUnderlayDuring(bool Parallel, const std::function<void()>& First,
                          const std::function<void()>& Second);
  // Draws the layers one after the other, each in its order. Every drawing
  // of one kind sets the same parts of the pen and brush, so a run of
  // objects within a layer draws alike whether it starts where the layer
  // starts or where the object before it ends.
  void DrawLayers(std::span<const TLayer> Layers);
  // This painter drawing onto another canvas.
  TMapPainter OnCanvas(TCanvas& Other) const;

  TCanvas& Canvas;
  const TTrainStructureSV& Map;
  TMapView View;
  // The part of the client area drawn, and the view of just that part,
  // by which objects are passed over.
  TScreenRect Area;
  TMapView Near;
  TPaintSelection Selection;
  const TSpatialIndex* Index;
  const TMapBackground* Background;
  size_t ParallelFrom;
  size_t RunLength;
  double CoveredFrom;
  bool TrainsShown = true;
  // Set by this painter and those it hands work to, on any thread.
  std::shared_ptr<std::atomic<bool>> Cut;
};

#include "map_painter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "canvas_recording.h"
#include "ordered_work.h"
#include "pixel_rounding.h"

namespace {

constexpr TColor kTrainColor = qRgb(191, 191, 0);
constexpr double kOriginCrossArm = 10.0;
constexpr double kPointRadius = 3.0;
constexpr double kMaxTickLength = 50.0;
// A denser grid would show nothing but grey, and its loop would run for
// ever longer as the spacing shrinks.
constexpr double kMinGridPixels = 2.0;
// Every object that shows in the window lies within this many pixels of it:
// the longest tick and the widest pen, with room to spare.
constexpr double kNearPixels = 64.0;
// Segments are clipped to the window widened by this much: far enough that
// ordinary views are drawn exactly as computed, near enough that every
// coordinate stays well inside what the painter handles.
constexpr double kGuardBand = 16384.0;
// Below this many objects a second thread would cost more than it saves.
constexpr size_t kParallelFrom = 32768;
// Runs long enough that handing them over costs little, short enough that
// both threads keep busy and a run's drawings stay in the cache.
constexpr size_t kRunLength = 2048;

// Tick length in pixels for a line D pixels long.
double TickLength(double D) {
  return D >= 100.0 ? kMaxTickLength : std::trunc(D * 0.5);
}

}  // namespace

TMapPainter::TMapPainter(TCanvas& ACanvas, const TTrainStructureSV& AMap,
                         const TMapView& AView, const TMapSelection& ASelection,
                         const TSpatialIndex* AIndex,
                         const TMapBackground* ABackground)
    : Canvas(ACanvas),
      Map(AMap),
      View(AView),
      Area(AView.ClientRect()),
      Near(AView),
      Selection(ASelection),
      Index(AIndex),
      Background(ABackground),
      ParallelFrom(kParallelFrom),
      RunLength(kRunLength) {}

void TMapPainter::SetRuns(size_t AParallelFrom, size_t ARunLength) {
  ParallelFrom = AParallelFrom;
  RunLength = std::max<size_t>(ARunLength, 1);
}

TMapPainter TMapPainter::OnCanvas(TCanvas& Other) const {
  TMapPainter painter(Other, Map, View, Selection, Index, Background);
  painter.Area = Area;
  painter.Near = Near;
  painter.SetRuns(ParallelFrom, RunLength);
  return painter;
}

void TMapPainter::SetRows(int Top, int Bottom) {
  Area = {0.0, static_cast<double>(Top), static_cast<double>(View.Width),
          static_cast<double>(Bottom)};
  Near = View.ScrolledBy(0, -Top);
  Near.Height = Bottom - Top;
}

void TMapPainter::DrawSegment(const TScreenSegment& Segment) {
  const TScreenRect guard{-kGuardBand, -kGuardBand, View.Width + kGuardBand,
                          View.Height + kGuardBand};
  if (const auto clipped = ClipSegment(Segment, guard)) {
    Canvas.MoveTo(static_cast<int>(clipped->X1), static_cast<int>(clipped->Y1));
    Canvas.LineTo(static_cast<int>(clipped->X2), static_cast<int>(clipped->Y2));
  }
}

void TMapPainter::Paint() {
  const auto drawTrack = [](TMapPainter& Painter, const TTrack& Track) {
    Painter.DrawLineAs(Track, &Track);
  };
  const auto drawWall = [](TMapPainter& Painter, const TWall& Wall) {
    Painter.DrawLineAs(Wall, nullptr);
  };
  const auto drawPoint = [](TMapPainter& Painter, const TTrPoint& Point) {
    Painter.DrawPoint(Point);
  };
  const auto drawTrain = [](TMapPainter& Painter, const TTrain& Train) {
    Painter.DrawTrain(Train);
  };
  const TWorldBox near = Near.WorldAround(kNearPixels);
  if (Index == nullptr || !Index->Selective(near)) {
    DrawUnderlay();
    const std::array layers{
        ListLayer(Map.Tracks, drawTrack), ListLayer(Map.Walls, drawWall),
        ListLayer(Map.Points, drawPoint), ListLayer(Map.Trains, drawTrain)};
    DrawLayers(layers);
    return;
  }
  std::span<TTrack* const> tracks;
  std::span<TWall* const> walls;
  std::span<TTrPoint* const> points;
  std::span<TTrain* const> trains;
  // Look-ups of different kinds may run at once.
  const auto find = [&](size_t Part) {
    if (Part == 1) {
      tracks = Index->Tracks(near);
      walls = Index->Walls(near);
    } else if (Part == 2) {
      points = Index->Points(near);
      trains = Index->Trains(near);
    }
  };
  // Points come with about as many lines.
  if (2 * Index->PointsAbout(near) >= ParallelFrom) {
    // The look-ups go on while the grid is drawn.
    ComputeInOrder(3, find, [&](size_t Part) {
      if (Part == 0) DrawUnderlay();
    });
  } else {
    DrawUnderlay();
    find(1);
    find(2);
  }
  const std::array layers{FoundLayer(tracks, Map.Tracks, drawTrack),
                          FoundLayer(walls, Map.Walls, drawWall),
                          FoundLayer(points, Map.Points, drawPoint),
                          FoundLayer(trains, Map.Trains, drawTrain)};
  DrawLayers(layers);
}

void TMapPainter::DrawUnderlay() {
  DrawBackground();
  Canvas.Pen.Style = psDot;
  Canvas.Pen.Mode = pmCopy;
  Canvas.Pen.Color = clBlack;
  Canvas.Pen.Width = 1;
  if (View.GridSpacing / View.Scale >= kMinGridPixels) DrawGrid();

  Canvas.Pen.Style = psSolid;
  const double x = View.OriginX;
  const double y = View.OriginY;
  DrawSegment({x - kOriginCrossArm, y, x + kOriginCrossArm, y});
  DrawSegment({x, y - kOriginCrossArm, x, y + kOriginCrossArm});
}

template <typename T, typename TList, typename TDraw>
TMapPainter::TLayer TMapPainter::FoundLayer(std::span<T* const> Found,
                                            const TList& List, TDraw Draw) {
  const T* last =
      !List.empty() && (Found.empty() || Found.back() != List.back().get())
          ? List.back().get()
          : nullptr;
  return {Found.size() + (last != nullptr ? 1 : 0),
          [Found, last, Draw](TMapPainter& Painter, size_t Begin, size_t End) {
            for (size_t i = Begin; i < End; ++i) {
              Draw(Painter, i < Found.size() ? *Found[i] : *last);
            }
          }};
}

template <typename TList, typename TDraw>
TMapPainter::TLayer TMapPainter::ListLayer(const TList& List, TDraw Draw) {
  return {List.size(),
          [&List, Draw](TMapPainter& Painter, size_t Begin, size_t End) {
            for (size_t i = Begin; i < End; ++i) Draw(Painter, *List[i]);
          }};
}

void TMapPainter::DrawLayers(std::span<const TLayer> Layers) {
  size_t total = 0;
  for (const TLayer& layer : Layers) total += layer.Count;
  if (total < ParallelFrom) {
    for (const TLayer& layer : Layers) layer.DrawRange(*this, 0, layer.Count);
    return;
  }
  struct TRun {
    const TLayer* Layer;
    size_t Begin;
    size_t End;
    TPen Pen;
    TBrush Brush;
  };
  // Each layer starts with the pen and brush that the last drawing of the
  // layer before leaves.
  std::vector<TRun> runs;
  TCanvasRecording passing;
  passing.Pen = Canvas.Pen;
  passing.Brush = Canvas.Brush;
  passing.SetPassingOver(true);
  TMapPainter passer = OnCanvas(passing);
  for (const TLayer& layer : Layers) {
    for (size_t begin = 0; begin < layer.Count; begin += RunLength) {
      runs.push_back({&layer, begin, std::min(begin + RunLength, layer.Count),
                      passing.Pen, passing.Brush});
    }
    if (layer.Count > 0) layer.DrawRange(passer, layer.Count - 1, layer.Count);
  }
  std::vector<TCanvasRecording> recordings(runs.size());
  const auto work = [&](size_t I) {
    const TRun& run = runs[I];
    TCanvasRecording& recording = recordings[I];
    recording.Pen = run.Pen;
    recording.Brush = run.Brush;
    // A line and the marks at its ends take a few operations each.
    recording.Reserve(3 * (run.End - run.Begin));
    TMapPainter painter = OnCanvas(recording);
    run.Layer->DrawRange(painter, run.Begin, run.End);
  };
  ComputeInOrder(runs.size(), work, [&](size_t I) {
    recordings[I].PlayOnto(Canvas);
    recordings[I] = TCanvasRecording();  // its memory goes at once
  });
}

void TMapPainter::DrawBackground() {
  if (Background == nullptr || Background->Picture == nullptr) return;
  const TBackgroundSettings& settings = Background->Settings;
  if (!settings.Visible || !(settings.Opacity > 0.0)) return;
  const std::optional<TPictureDrawing> drawing =
      PictureDrawing(*Background->Picture, settings.Placement, View);
  if (!drawing) return;
  Canvas.DrawPicture(*drawing->Image, drawing->Source, drawing->Transform,
                     settings.Opacity, drawing->Smooth);
}

// Grid lines lie at whole multiples of the spacing, columns first. The
// first one may lie left of (or above) the window. With lines at least two
// pixels apart each loop runs at most about half the window size times.
void TMapPainter::DrawGrid() {
  const double right = View.Width;
  const double bottom = View.Height;
  ForEachGridLine(View.OriginX, right, [&](double X) {
    DrawSegment({X, 0.0, X, bottom});
  });
  ForEachGridLine(View.OriginY, bottom, [&](double Y) {
    DrawSegment({0.0, Y, right, Y});
  });
}

// Draw gets the pixel of every grid line along one axis, whose origin lies
// at pixel Origin, before pixel End.
template <typename TDraw>
void TMapPainter::ForEachGridLine(int32_t Origin, double End, TDraw Draw) {
  const double a = Origin * View.Scale;
  double s = a - std::trunc(a / View.GridSpacing) * View.GridSpacing;
  for (;;) {
    const double pixel = RoundHalfEven(s / View.Scale);
    if (!(pixel < End)) break;
    Draw(pixel);
    s += View.GridSpacing;
  }
}

void TMapPainter::DrawLine(const TTrLine& Line) {
  DrawLineAs(Line, dynamic_cast<const TTrack*>(&Line));
}

// A line that cannot show is not drawn, but its pen changes are made all
// the same: what is drawn next inherits them.
void TMapPainter::DrawLineAs(const TTrLine& Line, const TTrack* Track) {
  Canvas.Pen.Width = Track != nullptr && Track->Platform == 1 ? 3 : 1;
  Canvas.Pen.Style = Track != nullptr ? psSolid : psDot;
  Canvas.Pen.Color = &Line == Selection.Line ? clWhite : clBlack;

  const TTrPoint* p1 = Line.P1;
  const TTrPoint* p2 = Line.P2;
  const double reach = kMaxTickLength + Canvas.Pen.Width;
  TScreenSegment ends{};
  bool visible = !Near.WorldBoxOutside(
      std::min(p1->Pos.X, p2->Pos.X), std::max(p1->Pos.X, p2->Pos.X),
      std::min(p1->Pos.Y, p2->Pos.Y), std::max(p1->Pos.Y, p2->Pos.Y), reach);
  if (visible) {
    ends = {View.ScreenColumn(p1->Pos.X), View.ScreenRow(p1->Pos.Y),
            View.ScreenColumn(p2->Pos.X), View.ScreenRow(p2->Pos.Y)};
    visible = SegmentNear(ends, reach, Area);
  }
  if (visible) DrawSegment(ends);

  const bool entryAt1 = !Line.Branch1.IsEmpty();
  const bool entryAt2 = !Line.Branch2.IsEmpty();
  const bool defaultAt1 = !p1->Conn3.IsEmpty() && p1->Conn2.Line == &Line;
  const bool defaultAt2 = !p2->Conn3.IsEmpty() && p2->Conn2.Line == &Line;
  if (!(entryAt1 || entryAt2 || defaultAt1 || defaultAt2)) return;

  double bearing = 0.0;
  double length = 0.0;
  if (visible) {
    double distance = 0.0;
    BearingDistance(p1->Pos, p2->Pos, bearing, distance);
    length = TickLength(View.ScreenColumn(distance) - View.ScreenColumn(0.0));
  }
  const double back = bearing + std::numbers::pi;
  if (entryAt1) {
    DrawLineMarker(ends.X1, ends.Y1, clRed, bearing, length, visible);
  }
  if (entryAt2) {
    DrawLineMarker(ends.X2, ends.Y2, clRed, back, length, visible);
  }
  if (defaultAt1) {
    DrawLineMarker(ends.X1, ends.Y1, clGreen, bearing, length, visible);
  }
  if (defaultAt2) {
    DrawLineMarker(ends.X2, ends.Y2, clGreen, back, length, visible);
  }
}

void TMapPainter::DrawLineMarker(double X, double Y, TColor Color, double Angle,
                                 double Length, bool Visible) {
  Canvas.Pen.Color = Color;
  Canvas.Pen.Mode = pmCopy;
  if (!Visible) return;
  DrawSegment({X, Y, X + RoundHalfEven(std::sin(Angle) * Length),
               Y - RoundHalfEven(std::cos(Angle) * Length)});
}

void TMapPainter::DrawPoint(const TTrPoint& Point) {
  Canvas.Pen.Width = 1;
  Canvas.Pen.Color = Point.Conn3.IsEmpty() ? clBlack : clRed;
  Canvas.Brush.Color = &Point == Selection.Point ? clWhite : clBlack;
  const TTrVector& at = Point.Pos;
  const double reach = kPointRadius + 1.0;
  if (Near.WorldBoxOutside(at.X, at.X, at.Y, at.Y, reach)) return;
  const double x = View.ScreenColumn(at.X);
  const double y = View.ScreenRow(at.Y);
  if (!SegmentNear({x, y, x, y}, reach, Area)) return;
  const int r = static_cast<int>(kPointRadius);
  const int ix = static_cast<int>(x);
  const int iy = static_cast<int>(y);
  Canvas.Ellipse(ix - r, iy - r, ix + r, iy + r);
}

// The train is one straight segment from its front back to its rear, even
// when the two lie on different lines.
void TMapPainter::DrawTrain(const TTrain& Train) {
  Canvas.Pen.Width = 3;
  Canvas.Pen.Mode = pmCopy;
  Canvas.Pen.Color = &Train == Selection.Train ? clYellow : kTrainColor;
  const TTrackPosition& rear = Train.Position;
  // A train left without a line (possible only in a damaged map) has no
  // place to be drawn at.
  if (rear.Line == nullptr) return;

  // Both ends lie within |Offset| + |Length| metres of the end at which the
  // position entered its line, whatever track lies between: a train far off
  // the window is passed over without walking the track.
  const TTrPoint* entry = rear.Dir == 1 ? rear.Line->P1 : rear.Line->P2;
  const double x = View.ScreenColumn(entry->Pos.X);
  const double y = View.ScreenRow(entry->Pos.Y);
  const double reach =
      (std::fabs(rear.Offset) + std::fabs(Train.Length)) / View.Scale +
      Canvas.Pen.Width;
  if (!SegmentNear({x, y, x, y}, reach, Area)) return;

  TTrXY rearXY;
  rear.GetXY(rearXY);
  // When the front runs off the track the train is drawn at its rear.
  TTrXY frontXY = rearXY;
  const TTrackPosition front(rear.Line, rear.Offset + Train.Length, rear.Dir);
  front.GetXY(frontXY);

  const TScreenSegment segment{
      View.ScreenColumn(frontXY.X), View.ScreenRow(frontXY.Y),
      View.ScreenColumn(rearXY.X), View.ScreenRow(rearXY.Y)};
  if (SegmentNear(segment, Canvas.Pen.Width, Area)) {
    DrawSegment(segment);
  }
}

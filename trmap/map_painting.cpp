#include <algorithm>
#include <cmath>
#include <numbers>

#include "map_window.h"
#include "pixel_rounding.h"

namespace {

constexpr TColor kTrainColor = qRgb(191, 191, 0);
constexpr double kOriginCrossArm = 10.0;
constexpr double kPointRadius = 3.0;
constexpr double kMaxTickLength = 50.0;
// A denser grid would show nothing but grey, and its loop would run for
// ever longer as the spacing shrinks.
constexpr double kMinGridPixels = 2.0;
// Segments are clipped to the window widened by this much: far enough that
// ordinary views are drawn exactly as computed, near enough that every
// coordinate stays well inside what the painter handles.
constexpr double kGuardBand = 16384.0;

// Tick length in pixels for a line D pixels long.
double TickLength(double D) {
  return D >= 100.0 ? kMaxTickLength : std::trunc(D * 0.5);
}

}  // namespace

void TfrmMap::DrawSegment(const TScreenSegment& Segment) {
  const TScreenRect guard{-kGuardBand, -kGuardBand, width() + kGuardBand,
                          height() + kGuardBand};
  if (const auto clipped = ClipSegment(Segment, guard)) {
    Canvas->MoveTo(static_cast<int>(clipped->X1),
                   static_cast<int>(clipped->Y1));
    Canvas->LineTo(static_cast<int>(clipped->X2),
                   static_cast<int>(clipped->Y2));
  }
}

void TfrmMap::FormPaint() {
  Canvas->Pen.Style = psDot;
  Canvas->Pen.Mode = pmCopy;
  Canvas->Pen.Color = clBlack;
  Canvas->Pen.Width = 1;
  if (GridSpacing / Scale >= kMinGridPixels) {
    DrawGridColumns();
    DrawGridRows();
  }

  Canvas->Pen.Style = psSolid;
  const double x = OriginX;
  const double y = OriginY;
  DrawSegment({x - kOriginCrossArm, y, x + kOriginCrossArm, y});
  DrawSegment({x, y - kOriginCrossArm, x, y + kOriginCrossArm});

  for (const auto& track : Map->Tracks) DrawLineAs(track.get(), track.get());
  for (const auto& wall : Map->Walls) DrawLineAs(wall.get(), nullptr);
  for (const auto& point : Map->Points) DrawPoint(point.get());
  for (const auto& train : Map->Trains) DrawTrain(train.get());
}

// Grid lines lie at whole multiples of the spacing. The first one may lie
// left of the window. With lines at least two pixels apart the loop runs at
// most about half the window width times.
void TfrmMap::DrawGridColumns() {
  const double bottom = height();
  const double a = OriginX * Scale;
  double s = a - std::trunc(a / GridSpacing) * GridSpacing;
  for (;;) {
    const double px = RoundHalfEven(s / Scale);
    if (!(px < width())) break;
    DrawSegment({px, 0.0, px, bottom});
    s += GridSpacing;
  }
}

void TfrmMap::DrawGridRows() {
  const double right = width();
  const double b = OriginY * Scale;
  double t = b - std::trunc(b / GridSpacing) * GridSpacing;
  for (;;) {
    const double py = RoundHalfEven(t / Scale);
    if (!(py < height())) break;
    DrawSegment({0.0, py, right, py});
    t += GridSpacing;
  }
}

void TfrmMap::DrawLine(TTrLine* Line) {
  DrawLineAs(Line, dynamic_cast<const TTrack*>(Line));
}

// A line that cannot show is not drawn, but its pen changes are made all
// the same: what is drawn next inherits them.
void TfrmMap::DrawLineAs(TTrLine* Line, const TTrack* Track) {
  Canvas->Pen.Width = Track != nullptr && Track->Platform == 1 ? 3 : 1;
  Canvas->Pen.Style = Track != nullptr ? psSolid : psDot;
  Canvas->Pen.Color = Line == SelectedLine ? clWhite : clBlack;

  const TTrPoint* p1 = Line->P1;
  const TTrPoint* p2 = Line->P2;
  const double reach = kMaxTickLength + Canvas->Pen.Width;
  TScreenSegment ends{};
  bool visible = !WorldBoxOutside(
      std::min(p1->Pos.X, p2->Pos.X), std::max(p1->Pos.X, p2->Pos.X),
      std::min(p1->Pos.Y, p2->Pos.Y), std::max(p1->Pos.Y, p2->Pos.Y), reach);
  if (visible) {
    ends = {ScreenColumn(p1->Pos.X), ScreenRow(p1->Pos.Y),
            ScreenColumn(p2->Pos.X), ScreenRow(p2->Pos.Y)};
    visible = SegmentNear(ends, reach, ClientRect());
  }
  if (visible) DrawSegment(ends);

  const bool entryAt1 = !Line->Branch1.IsEmpty();
  const bool entryAt2 = !Line->Branch2.IsEmpty();
  const bool defaultAt1 = !p1->Conn3.IsEmpty() && p1->Conn2.Line == Line;
  const bool defaultAt2 = !p2->Conn3.IsEmpty() && p2->Conn2.Line == Line;
  if (!(entryAt1 || entryAt2 || defaultAt1 || defaultAt2)) return;

  double bearing = 0.0;
  double length = 0.0;
  if (visible) {
    double distance = 0.0;
    BearingDistance(p1->Pos, p2->Pos, bearing, distance);
    length = TickLength(ScreenColumn(distance) - ScreenColumn(0.0));
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

void TfrmMap::DrawLineMarker(double X, double Y, TColor Color, double Angle,
                             double Length, bool Visible) {
  Canvas->Pen.Color = Color;
  Canvas->Pen.Mode = pmCopy;
  if (!Visible) return;
  DrawSegment({X, Y, X + RoundHalfEven(std::sin(Angle) * Length),
               Y - RoundHalfEven(std::cos(Angle) * Length)});
}

void TfrmMap::DrawPoint(TTrPoint* Point) {
  Canvas->Pen.Width = 1;
  Canvas->Pen.Color = Point->Conn3.IsEmpty() ? clBlack : clRed;
  Canvas->Brush.Color = Point == SelectedPoint ? clWhite : clBlack;
  const TTrVector& at = Point->Pos;
  const double reach = kPointRadius + 1.0;
  if (WorldBoxOutside(at.X, at.X, at.Y, at.Y, reach)) return;
  const double x = ScreenColumn(at.X);
  const double y = ScreenRow(at.Y);
  if (!SegmentNear({x, y, x, y}, reach, ClientRect())) return;
  const int r = static_cast<int>(kPointRadius);
  const int ix = static_cast<int>(x);
  const int iy = static_cast<int>(y);
  Canvas->Ellipse(ix - r, iy - r, ix + r, iy + r);
}

// The train is one straight segment from its front back to its rear, even
// when the two lie on different lines.
void TfrmMap::DrawTrain(TTrain* Train) {
  Canvas->Pen.Width = 3;
  Canvas->Pen.Mode = pmCopy;
  Canvas->Pen.Color = Train == SelectedTrain ? clYellow : kTrainColor;
  const TTrackPosition& rear = Train->Position;
  // A train left without a line (possible only in a damaged map) has no
  // place to be drawn at.
  if (rear.Line == nullptr) return;

  // Both ends lie within |Offset| + |Length| metres of the end at which the
  // position entered its line, whatever track lies between: a train far off
  // the window is passed over without walking the track.
  const TTrPoint* entry = rear.Dir == 1 ? rear.Line->P1 : rear.Line->P2;
  const double x = ScreenColumn(entry->Pos.X);
  const double y = ScreenRow(entry->Pos.Y);
  const double reach =
      (std::fabs(rear.Offset) + std::fabs(Train->Length)) / Scale +
      Canvas->Pen.Width;
  if (!SegmentNear({x, y, x, y}, reach, ClientRect())) return;

  TTrXY rearXY;
  rear.GetXY(rearXY);
  // When the front runs off the track the train is drawn at its rear.
  TTrXY frontXY = rearXY;
  const TTrackPosition front(rear.Line, rear.Offset + Train->Length, rear.Dir);
  front.GetXY(frontXY);

  const TScreenSegment segment{ScreenColumn(frontXY.X), ScreenRow(frontXY.Y),
                               ScreenColumn(rearXY.X), ScreenRow(rearXY.Y)};
  if (SegmentNear(segment, Canvas->Pen.Width, ClientRect())) {
    DrawSegment(segment);
  }
}

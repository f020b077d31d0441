#include "map_painter.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <latch>
#include <memory>
#include <numbers>
#include <optional>
#include <utility>
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
// Simplified, grid lines are thinned until they lie at least this far
// apart, and a point along the track closer than kCrowdedPixels to a
// neighbour is left out, its lines drawn plainly.
constexpr double kSparseGridPixels = 8.0;
constexpr double kCrowdedPixels = 4.0;
// Every object that shows in the window lies within this many pixels of it:
// a point's ellipse with its outline, the widest pen, and a pixel of
// rounding, with room to spare. A switch's ticks lie along their line, so
// they reach no farther than it does. The narrower the margin, the less a
// scroll step's strip finds beside it.
constexpr double kNearPixels = 8.0;
// Segments are clipped to the window widened by this much: far enough that
// ordinary views are drawn exactly as computed, near enough that every
// coordinate stays well inside what the painter handles.
constexpr double kGuardBand = 16384.0;
// Below this many objects a second thread would cost more than it saves.
constexpr size_t kParallelFrom = 32768;
// Runs long enough that handing them over costs little, short enough that
// both threads keep busy and a run's drawings stay in the cache.
constexpr size_t kRunLength = 2048;
// Points per pixel from which finding the points that later ones cover
// saves more than it costs.
constexpr double kCoveredFrom = 0.125;

// Tick length in pixels for a line D pixels long.
double TickLength(double D) {
  return D >= 100.0 ? kMaxTickLength : std::trunc(D * 0.5);
}

// The last of List when it is not the last of Found.
template <typename T, typename TList>
const T* Appended(std::span<T* const> Found, const TList& List) {
  return !List.empty() && (Found.empty() || Found.back() != List.back().get())
             ? List.back().get()
             : nullptr;
}

// How many and which objects a paint draws of those Found: they, then the
// last of List when it is not among them. A drawing that shows nothing
// still sets the pen for what follows, and the last one leaves it as a
// visit of every object would.
template <typename T, typename TList>
size_t FoundCount(std::span<T* const> Found, const TList& List) {
  return Found.size() + (Appended(Found, List) != nullptr ? 1 : 0);
}

template <typename T, typename TList>
auto FoundAt(std::span<T* const> Found, const TList& List) {
  return [Found, last = Appended(Found, List)](size_t I) -> const T& {
    return I < Found.size() ? *Found[I] : *last;
  };
}

// Every object of List.
template <typename TList>
auto ListAt(const TList& List) {
  return [&List](size_t I) -> const auto& { return *List[I]; };
}

}  // namespace

TMapPainter::TMapPainter(TCanvas& ACanvas, const TTrainStructureSV& AMap,
                         const TMapView& AView,
                         const TPaintSelection& ASelection,
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
      RunLength(kRunLength),
      CoveredFrom(kCoveredFrom),
      Cut(std::make_shared<std::atomic<bool>>(false)) {}

bool TMapPainter::CutSegments() const {
  return Cut->load(std::memory_order_relaxed);
}

bool TMapPainter::DrawsGrid() const {
  return ShownGridSpacing() / View.Scale >= kMinGridPixels;
}

void TMapPainter::SetThresholds(size_t AParallelFrom, size_t ARunLength,
                                double ACoveredFrom) {
  ParallelFrom = AParallelFrom;
  RunLength = std::max<size_t>(ARunLength, 1);
  CoveredFrom = ACoveredFrom;
}

TMapPainter TMapPainter::OnCanvas(TCanvas& Other) const {
  TMapPainter painter(Other, Map, View, Selection, Index, Background);
  painter.Area = Area;
  painter.Near = Near;
  painter.Cut = Cut;
  painter.SetThresholds(ParallelFrom, RunLength, CoveredFrom);
  return painter;
}

void TMapPainter::SetRows(int Top, int Bottom) {
  SetArea(QRect(0, Top, View.Width, Bottom - Top));
}

void TMapPainter::SetArea(const QRect& AArea) {
  Area = {static_cast<double>(AArea.left()), static_cast<double>(AArea.top()),
          static_cast<double>(AArea.left() + AArea.width()),
          static_cast<double>(AArea.top() + AArea.height())};
  Near = View.ScrolledBy(-AArea.left(), -AArea.top());
  Near.Width = AArea.width();
  Near.Height = AArea.height();
}

void TMapPainter::DrawSegment(const TScreenSegment& Segment) {
  const TScreenRect guard{-kGuardBand, -kGuardBand, View.Width + kGuardBand,
                          View.Height + kGuardBand};
  // Most segments lie wholly inside the band and need no clipping.
  const auto inside = [&](double X, double Y) {
    return X >= guard.Left && X <= guard.Right && Y >= guard.Top &&
           Y <= guard.Bottom;
  };
  if (inside(Segment.X1, Segment.Y1) && inside(Segment.X2, Segment.Y2)) {
    Canvas.MoveTo(static_cast<int>(Segment.X1), static_cast<int>(Segment.Y1));
    Canvas.LineTo(static_cast<int>(Segment.X2), static_cast<int>(Segment.Y2));
    return;
  }
  if (const auto clipped = ClipSegment(Segment, guard)) {
    Cut->store(true, std::memory_order_relaxed);
    Canvas.MoveTo(static_cast<int>(clipped->X1), static_cast<int>(clipped->Y1));
    Canvas.LineTo(static_cast<int>(clipped->X2), static_cast<int>(clipped->Y2));
  }
}

void TMapPainter::Paint() {
  // Where points are many, those that a later one covers are passed over,
  // by their place in the layer of points, and so are the dots of lines
  // under them.
  std::vector<uint8_t> covered;
  bool pointsCover = false;
  // Simplified, the points that would cover the ends of lines are left out
  // where they crowd; instead, a line that a later one of its layer draws
  // again is passed over. Each line sets its pen itself.
  std::vector<uint8_t> coveredTracks;
  std::vector<uint8_t> coveredWalls;
  const auto drawTrack = [&pointsCover, &coveredTracks](TMapPainter& Painter,
                                                        const TTrack& Track,
                                                        size_t I) {
    if (I < coveredTracks.size() && coveredTracks[I] != 0) return;
    Painter.DrawLineAs(Track, &Track, pointsCover);
  };
  const auto drawWall = [&pointsCover, &coveredWalls](
                            TMapPainter& Painter, const TWall& Wall, size_t I) {
    if (I < coveredWalls.size() && coveredWalls[I] != 0) return;
    Painter.DrawLineAs(Wall, nullptr, pointsCover);
  };
  // A covered point would set the pen and brush as the next one does.
  const auto drawPoint = [&covered](TMapPainter& Painter, const TTrPoint& Point,
                                    size_t I) {
    if (I < covered.size() && covered[I] != 0) return;
    Painter.DrawPointAs(Point, !Painter.Crowded(Point));
  };
  const auto drawTrain = [](TMapPainter& Painter, const TTrain& Train, size_t) {
    Painter.DrawTrain(Train);
  };
  const double pixels = (Area.Right - Area.Left) * (Area.Bottom - Area.Top);
  const auto crowds = [&](size_t Count) {
    return Count > 0 && static_cast<double>(Count) >= pixels * CoveredFrom;
  };
  const auto lineLayer = [&](size_t Count, const auto& At, const auto& Draw,
                             std::vector<uint8_t>& Covered) {
    TLayer layer = Layer(Count, At, Draw);
    if (View.Simplified && crowds(Count)) {
      Covered.assign(Count, 0);
      layer.Prepare = [this, &Covered, At] { FindCoveredLines(Covered, At); };
    }
    return layer;
  };
  const auto pointLayer = [&](size_t Count, const auto& At) {
    TLayer layer = Layer(Count, At, drawPoint);
    if (crowds(Count)) {
      // Simplified, not every point is drawn to cover its lines' ends.
      pointsCover = !View.Simplified;
      covered.assign(Count, 0);
      layer.Prepare = [this, &covered, At] { FindCovered(covered, At); };
    }
    return layer;
  };

  const TWorldBox near = Near.WorldAround(kNearPixels);
  if (Index == nullptr || !Index->Selective(near)) {
    DrawUnderlay();
    const std::array layers{
        lineLayer(Map.Tracks.size(), ListAt(Map.Tracks), drawTrack,
                  coveredTracks),
        lineLayer(Map.Walls.size(), ListAt(Map.Walls), drawWall, coveredWalls),
        pointLayer(Map.Points.size(), ListAt(Map.Points)),
        Layer(TrainsShown ? Map.Trains.size() : 0, ListAt(Map.Trains),
              drawTrain)};
    DrawLayers(layers);
    return;
  }
  std::span<TTrack* const> tracks;
  std::span<TWall* const> walls;
  std::span<TTrPoint* const> points;
  std::span<TTrain* const> trains;
  // Look-ups of different kinds may run at once. Points come with about as
  // many lines.
  DrawUnderlayDuring(
      2 * Index->PointsAbout(near) >= ParallelFrom,
      [&] {
        tracks = Index->Tracks(near);
        walls = Index->Walls(near);
      },
      [&] {
        points = Index->Points(near);
        trains = Index->Trains(near);
      });
  const std::array layers{
      lineLayer(FoundCount(tracks, Map.Tracks), FoundAt(tracks, Map.Tracks),
                drawTrack, coveredTracks),
      lineLayer(FoundCount(walls, Map.Walls), FoundAt(walls, Map.Walls),
                drawWall, coveredWalls),
      pointLayer(FoundCount(points, Map.Points), FoundAt(points, Map.Points)),
      Layer(TrainsShown ? FoundCount(trains, Map.Trains) : 0,
            FoundAt(trains, Map.Trains), drawTrain)};
  DrawLayers(layers);
}

void TMapPainter::DrawUnderlayDuring(bool Parallel,
                                     const std::function<void()>& First,
                                     const std::function<void()>& Second) {
  if (!Parallel) {
    DrawUnderlay();
    First();
    Second();
    return;
  }
  ComputeInOrder(
      3,
      [&](size_t Part) {
        if (Part == 1) First();
        if (Part == 2) Second();
      },
      [&](size_t Part) {
        if (Part == 0) DrawUnderlay();
      });
}

void TMapPainter::DrawUnderlay() {
  DrawBackground();
  Canvas.Pen.Style = psDot;
  Canvas.Pen.Mode = pmCopy;
  Canvas.Pen.Color = clBlack;
  Canvas.Pen.Width = 1;
  if (DrawsGrid()) DrawGrid(ShownGridSpacing());

  Canvas.Pen.Style = psSolid;
  const double x = View.OriginX;
  const double y = View.OriginY;
  DrawSegment({x - kOriginCrossArm, y, x + kOriginCrossArm, y});
  DrawSegment({x, y - kOriginCrossArm, x, y + kOriginCrossArm});
}

template <typename TAt, typename TDraw>
TMapPainter::TLayer TMapPainter::Layer(size_t Count, TAt At, TDraw Draw) {
  return {Count, [At, Draw](TMapPainter& Painter, size_t Begin, size_t End) {
            for (size_t i = Begin; i < End; ++i) Draw(Painter, At(i), i);
          }};
}

// Every point is drawn as an ellipse of one size with a pen of one width
// and style; only the colours differ. So a point drawn later on the same
// pixel covers every pixel of an earlier one.
template <typename TAt>
void TMapPainter::FindCovered(std::vector<uint8_t>& Covered, TAt At) const {
  // The pixels on which a point may be drawn: the area and a margin wider
  // than an ellipse reaches.
  const double margin = kPointRadius + 2.0;
  const double left = Area.Left - margin;
  const double top = Area.Top - margin;
  const double width = Area.Right - Area.Left + 2.0 * margin;
  const double height = Area.Bottom - Area.Top + 2.0 * margin;
  std::vector<uint8_t> taken(static_cast<size_t>(width) *
                             static_cast<size_t>(height));
  for (size_t i = Covered.size(); i-- > 0;) {
    // A point left out covers nothing.
    if (Crowded(At(i))) continue;
    const TTrVector& at = At(i).Pos;
    const double x = View.ScreenColumn(at.X) - left;
    const double y = View.ScreenRow(at.Y) - top;
    if (!(x >= 0.0 && x < width && y >= 0.0 && y < height)) continue;
    const size_t pixel = static_cast<size_t>(y) * static_cast<size_t>(width) +
                         static_cast<size_t>(x);
    Covered[i] = taken[pixel];
    taken[pixel] = 1;
  }
}

// A line that the simplified paint draws plainly is drawn with a pen of
// width one in its layer's style and, unless selected, black; from the
// same pixels it sets the same pixels. Its start on a pixel of the area, it
// is never passed over as off the area.
template <typename TAt>
void TMapPainter::FindCoveredLines(std::vector<uint8_t>& Covered,
                                   TAt At) const {
  const double width = Area.Right - Area.Left;
  const double height = Area.Bottom - Area.Top;
  if (!(width > 0.0 && height > 0.0)) return;
  // For each pixel, which of the nine ways to itself or a neighbour a
  // later line takes from it.
  std::vector<uint16_t> taken(static_cast<size_t>(width) *
                              static_cast<size_t>(height));
  for (size_t i = Covered.size(); i-- > 0;) {
    const TTrLine& line = At(i);
    if (!ShortOnScreen(line) || Selection.Selected(line)) continue;
    const double x1 = View.ScreenColumn(line.P1->Pos.X);
    const double y1 = View.ScreenRow(line.P1->Pos.Y);
    const double across = View.ScreenColumn(line.P2->Pos.X) - x1;
    const double down = View.ScreenRow(line.P2->Pos.Y) - y1;
    const double x = x1 - Area.Left;
    const double y = y1 - Area.Top;
    if (!(x >= 0.0 && x < width && y >= 0.0 && y < height &&
          std::fabs(across) <= 1.0 && std::fabs(down) <= 1.0)) {
      continue;
    }
    const size_t pixel = static_cast<size_t>(y) * static_cast<size_t>(width) +
                         static_cast<size_t>(x);
    const auto way = static_cast<uint16_t>(
        1u << static_cast<unsigned>((across + 1.0) * 3.0 + (down + 1.0)));
    Covered[i] = (taken[pixel] & way) != 0 ? 1 : 0;
    taken[pixel] |= way;
  }
}

void TMapPainter::DrawLayers(std::span<const TLayer> Layers) {
  size_t total = 0;
  for (const TLayer& layer : Layers) total += layer.Count;
  if (total < ParallelFrom) {
    for (const TLayer& layer : Layers) {
      if (layer.Prepare) layer.Prepare();
      layer.DrawRange(*this, 0, layer.Count);
    }
    return;
  }
  struct TRun {
    size_t Layer;
    size_t Begin;
    size_t End;
    TPen Pen;
    TBrush Brush;
  };
  // Each layer starts with the pen and brush that the last drawing of the
  // layer before leaves; its last object needs nothing prepared.
  std::vector<TRun> runs;
  TCanvasRecording passing;
  passing.Pen = Canvas.Pen;
  passing.Brush = Canvas.Brush;
  passing.SetPassingOver(true);
  TMapPainter passer = OnCanvas(passing);
  // The preparations come first, each layer's runs wait for its own.
  std::vector<size_t> preparing;
  std::vector<std::unique_ptr<std::latch>> prepared(Layers.size());
  for (size_t l = 0; l < Layers.size(); ++l) {
    const TLayer& layer = Layers[l];
    if (layer.Prepare) {
      preparing.push_back(l);
      prepared[l] = std::make_unique<std::latch>(1);
    }
    for (size_t begin = 0; begin < layer.Count; begin += RunLength) {
      runs.push_back({l, begin, std::min(begin + RunLength, layer.Count),
                      passing.Pen, passing.Brush});
    }
    if (layer.Count > 0) layer.DrawRange(passer, layer.Count - 1, layer.Count);
  }
  std::vector<TCanvasRecording> recordings(runs.size());
  const auto work = [&](size_t I) {
    if (I < preparing.size()) {
      std::latch& done = *prepared[preparing[I]];
      // A failed preparation is thrown where it is handed over.
      const std::unique_ptr<std::latch, void (*)(std::latch*)> release(
          &done, [](std::latch* Latch) { Latch->count_down(); });
      Layers[preparing[I]].Prepare();
      return;
    }
    const TRun& run = runs[I - preparing.size()];
    if (prepared[run.Layer]) prepared[run.Layer]->wait();
    TCanvasRecording& recording = recordings[I - preparing.size()];
    recording.Pen = run.Pen;
    recording.Brush = run.Brush;
    // A line and the marks at its ends take a few operations each.
    recording.Reserve(3 * (run.End - run.Begin));
    TMapPainter painter = OnCanvas(recording);
    Layers[run.Layer].DrawRange(painter, run.Begin, run.End);
  };
  ComputeInOrder(preparing.size() + runs.size(), work, [&](size_t I) {
    if (I < preparing.size()) return;
    TCanvasRecording& recording = recordings[I - preparing.size()];
    recording.PlayOnto(Canvas);
    recording = TCanvasRecording();  // its memory goes at once
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

double TMapPainter::ShownGridSpacing() const {
  const double pixels = View.GridSpacing / View.Scale;
  if (!View.Simplified || !(pixels < kSparseGridPixels)) {
    return View.GridSpacing;
  }
  // Every second, fifth or tenth line, then every twentieth, fiftieth,
  // hundredth, and so on.
  for (double decade = 1.0; std::isfinite(pixels * decade); decade *= 10.0) {
    for (const double every : {2.0, 5.0, 10.0}) {
      if (pixels * every * decade >= kSparseGridPixels) {
        return View.GridSpacing * every * decade;
      }
    }
  }
  return View.GridSpacing;
}

// Grid lines lie at whole multiples of the spacing, columns first. The
// first one may lie left of (or above) the window. With lines at least two
// pixels apart each loop runs at most about half the window size times.
void TMapPainter::DrawGrid(double Spacing) {
  const double right = View.Width;
  const double bottom = View.Height;
  ForEachGridLine(View.OriginX, Spacing, right, [&](double X) {
    DrawSegment({X, 0.0, X, bottom});
  });
  ForEachGridLine(View.OriginY, Spacing, bottom, [&](double Y) {
    DrawSegment({0.0, Y, right, Y});
  });
}

// Draw gets the pixel of every grid line Spacing metres apart along one
// axis, whose origin lies at pixel Origin, before pixel End.
template <typename TDraw>
void TMapPainter::ForEachGridLine(int32_t Origin, double Spacing, double End,
                                  TDraw Draw) {
  const double a = Origin * View.Scale;
  double s = a - std::trunc(a / Spacing) * Spacing;
  for (;;) {
    const double pixel = RoundHalfEven(s / View.Scale);
    if (!(pixel < End)) break;
    Draw(pixel);
    s += Spacing;
  }
}

bool TMapPainter::ShortOnScreen(const TTrLine& Line) const {
  const double dx = Line.P1->Pos.X - Line.P2->Pos.X;
  const double dy = Line.P1->Pos.Y - Line.P2->Pos.Y;
  // Squares decide as the length does wherever they are clearly apart, at a
  // fraction of its cost; near the bound, and where a square overflows or
  // is not a number, the length itself decides.
  const double squared = dx * dx + dy * dy;
  const double bound = kCrowdedPixels * View.Scale;
  const double boundSquared = bound * bound;
  constexpr double kMargin = 1e-9;
  if (squared < boundSquared * (1.0 - kMargin)) return true;
  if (squared > boundSquared * (1.0 + kMargin)) return false;
  return std::hypot(dx, dy) / View.Scale < kCrowdedPixels;
}

// Screen columns and rows grow (or fall) with the world coordinate, so
// the places between two that round alike round alike too. The margin
// takes in what the rounding of a position along its line can add.
std::optional<std::pair<double, double>> TMapPainter::PixelOfAll(
    const TTrVector& At, double Reach) const {
  constexpr double kSlack = 1e-12;
  const double reachX = Reach + (std::fabs(At.X) + Reach) * kSlack;
  const double reachY = Reach + (std::fabs(At.Y) + Reach) * kSlack;
  const double column = View.ScreenColumn(At.X - reachX);
  const double row = View.ScreenRow(At.Y - reachY);
  if (column != View.ScreenColumn(At.X + reachX) ||
      row != View.ScreenRow(At.Y + reachY)) {
    return std::nullopt;
  }
  return std::pair{column, row};
}

bool TMapPainter::Crowded(const TTrPoint& Point) const {
  if (!View.Simplified || !Point.Conn3.IsEmpty() || Point.Conn1.IsEmpty() ||
      Point.Conn2.IsEmpty() || Selection.Selected(Point)) {
    return false;
  }
  return ShortOnScreen(*Point.Conn1.Line) || ShortOnScreen(*Point.Conn2.Line);
}

void TMapPainter::DrawLine(const TTrLine& Line) {
  DrawLineAs(Line, AsTrack(&Line), false);
}

// A line that cannot show is not drawn, but its pen changes are made all
// the same: what is drawn next inherits them.
void TMapPainter::DrawLineAs(const TTrLine& Line, const TTrack* Track,
                             bool PointsCover) {
  const bool plain = View.Simplified && ShortOnScreen(Line);
  Canvas.Pen.Width = Track != nullptr && Track->Platform == 1 && !plain ? 3 : 1;
  Canvas.Pen.Style = Track != nullptr ? psSolid : psDot;
  Canvas.Pen.Color = Selection.Selected(Line) ? clWhite : clBlack;

  const TTrPoint* p1 = Line.P1;
  const TTrPoint* p2 = Line.P2;
  const bool entryAt1 = !Line.Branch1.IsEmpty();
  const bool entryAt2 = !Line.Branch2.IsEmpty();
  const bool defaultAt1 = !p1->Conn3.IsEmpty() && p1->Conn2.Line == &Line;
  const bool defaultAt2 = !p2->Conn3.IsEmpty() && p2->Conn2.Line == &Line;
  const bool marked = entryAt1 || entryAt2 || defaultAt1 || defaultAt2;
  // Its ticks lie along it, so the pen and a pixel of rounding are all that
  // reach beyond it.
  const double reach = Canvas.Pen.Width + 1.0;
  TScreenSegment ends{};
  bool visible = !Near.WorldBoxOutside(
      std::min(p1->Pos.X, p2->Pos.X), std::max(p1->Pos.X, p2->Pos.X),
      std::min(p1->Pos.Y, p2->Pos.Y), std::max(p1->Pos.Y, p2->Pos.Y), reach);
  if (visible) {
    ends = {View.ScreenColumn(p1->Pos.X), View.ScreenRow(p1->Pos.Y),
            View.ScreenColumn(p2->Pos.X), View.ScreenRow(p2->Pos.Y)};
    visible = SegmentNear(ends, reach, Area);
    // A thin line on one pixel, or from a pixel to its neighbour, sets
    // pixels of its ends only; so do its marks when it lies on one pixel
    // (they are dots there). The ellipses of its points, drawn later,
    // cover those pixels.
    const double across = std::fabs(ends.X1 - ends.X2);
    const double down = std::fabs(ends.Y1 - ends.Y2);
    if (PointsCover && Canvas.Pen.Width == 1 && across <= 1.0 && down <= 1.0 &&
        (!marked || (across == 0.0 && down == 0.0))) {
      visible = false;
    }
  }
  if (visible) DrawSegment(ends);
  if (!marked) return;

  double bearing = 0.0;
  double length = 0.0;
  if (visible) {
    double distance = 0.0;
    BearingDistance(p1->Pos, p2->Pos, bearing, distance);
    length = TickLength(View.ScreenColumn(distance) - View.ScreenColumn(0.0));
  }
  const double back = bearing + std::numbers::pi;
  // A plain line's marks set the pen all the same.
  visible = visible && !plain;
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

void TMapPainter::DrawPoint(const TTrPoint& Point) { DrawPointAs(Point, true); }

void TMapPainter::DrawPointAs(const TTrPoint& Point, bool Shown) {
  Canvas.Pen.Width = 1;
  Canvas.Pen.Color = Point.Conn3.IsEmpty() ? clBlack : clRed;
  Canvas.Brush.Color = Selection.Selected(Point) ? clWhite : clBlack;
  if (!Shown) return;
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
  Canvas.Pen.Color = Selection.Selected(Train) ? clYellow : kTrainColor;
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

  // Zoomed out, a train is often less than a pixel: when every place within
  // its reach rounds to one pixel, that pixel is where both its ends are
  // drawn, and their sines and cosines need not be worked out.
  TScreenSegment segment{};
  if (const auto pixel = PixelOfAll(
          entry->Pos, std::fabs(rear.Offset) + std::fabs(Train.Length))) {
    segment = {pixel->first, pixel->second, pixel->first, pixel->second};
  } else {
    TTrXY rearXY;
    rear.GetXY(rearXY);
    // When the front runs off the track the train is drawn at its rear.
    TTrXY frontXY = rearXY;
    const TTrackPosition front(rear.Line, rear.Offset + Train.Length, rear.Dir);
    front.GetXY(frontXY);
    segment = {View.ScreenColumn(frontXY.X), View.ScreenRow(frontXY.Y),
               View.ScreenColumn(rearXY.X), View.ScreenRow(rearXY.Y)};
  }
  if (SegmentNear(segment, Canvas.Pen.Width, Area)) {
    DrawSegment(segment);
  }
}

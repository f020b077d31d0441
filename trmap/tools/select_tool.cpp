#include "select_tool.h"

#include <algorithm>
#include <cstdlib>

#include "canvas.h"
#include "errors.h"
#include "map_document.h"
#include "map_group.h"
#include "map_status.h"

namespace {

// How far, in pixels, the mouse must move from the press for a band.
constexpr int32_t kBandDistance = 4;

}  // namespace

TSelectTool::~TSelectTool() {
  if (Grouping) Host.Document().Unwatch(this);
}

TSelectTool::TKind TSelectTool::ChosenKind() const {
  if (Host.ModeDown(TModeButton::spbPoint)) return TKind::Points;
  if (Host.ModeDown(TModeButton::spbLines)) return TKind::Lines;
  return TKind::Trains;
}

bool TSelectTool::Underway() const {
  return TPointGesture::Underway() || Pressed || Grouping;
}

bool TSelectTool::Press(int32_t X, int32_t Y) {
  if (Host.ShiftDown()) return PressFree(X, Y);
  if (ChosenKind() == TKind::Points) {
    TTrPoint* point = nullptr;
    const double distance = Host.HitTestPoint(X, Y, nullptr, point);
    if (distance < 0.0) return PressFree(X, Y);
    const TMapSelection& selection = Host.Document().Selection();
    const bool grabsGroup = distance < kGrabDistance &&
                            selection.Many.Points.Contains(point) &&
                            selection.Count() > 1;
    // Another view's gesture holds the map until it ends.
    if (grabsGroup && !Host.Document().Editing()) return BeginGroupDrag(point);
    Host.SelectPoint(point);
    if (distance >= kGrabDistance || Host.Document().Editing()) {
      return PressFree(X, Y);
    }
    Host.BeginEdit();
    Begin(point);
    return true;
  }
  if (ChosenKind() == TKind::Lines) {
    TTrLine* line = nullptr;
    if (Host.HitTestLine(X, Y, line) >= 0.0) Host.SelectLine(line);
  } else {
    TTrain* train = nullptr;
    if (Host.HitTestTrain(X, Y, train) >= 0.0) Host.SelectTrain(train);
  }
  return PressFree(X, Y);
}

bool TSelectTool::PressFree(int32_t X, int32_t Y) {
  Pressed = true;
  Banding = false;
  Shifted = Host.ShiftDown();
  PressX = MouseX = X;
  PressY = MouseY = Y;
  return true;
}

void TSelectTool::Move(int32_t X, int32_t Y) {
  if (Pressed) {
    MouseX = X;
    MouseY = Y;
    if (!Banding &&
        std::max(std::abs(X - PressX), std::abs(Y - PressY)) >= kBandDistance) {
      Banding = true;
    }
    if (Banding) Host.Repaint();
    return;
  }
  if (Grouping) {
    if (PlaceGroup(X, Y)) Host.Repaint();
    return;
  }
  if (Place(X, Y)) Host.Repaint();
}

void TSelectTool::Release(int32_t X, int32_t Y) {
  if (Pressed) {
    ReleaseFree(X, Y);
    return;
  }
  if (Grouping) {
    if (!PlaceGroup(X, Y)) return;
    EndGroupDrag();
    Host.CommitEdit(QStringLiteral("Move Selection"));
    Host.Repaint();
    return;
  }
  if (!Place(X, Y)) return;
  TTrPoint* const dragged = Moving;
  TTrPoint* target = nullptr;
  const double distance = Host.HitTestPoint(X, Y, dragged, target);
  const int32_t lines = dragged->LineCount();
  // The join moves a line of one point onto the other, so both need one.
  const bool joinable = distance >= 0.0 && distance < kGrabDistance &&
                        lines > 0 && target->LineCount() > 0 &&
                        lines + target->LineCount() <= 3 &&
                        SameKind(*dragged, *target);
  if (joinable) {
    if (lines == 1) {
      JoinPoints(Host, dragged, dragged->Conn1.Line, target);
    } else {
      JoinPoints(Host, target, target->Conn1.Line, dragged);
    }
  }
  Finish();
  Host.CommitEdit(QStringLiteral("Move Point"));
  Host.Repaint();
}

void TSelectTool::ReleaseFree(int32_t X, int32_t Y) {
  MouseX = X;
  MouseY = Y;
  const bool band = Banding;
  Pressed = false;
  Banding = false;
  if (band) {
    SelectBand();
  } else if (Shifted) {
    ToggleNearest(PressX, PressY);
  }
}

void TSelectTool::SelectBand() {
  const TMapView view = Host.View();
  const double x1 = view.ScreenToWorldX(PressX);
  const double x2 = view.ScreenToWorldX(MouseX);
  const double y1 = view.ScreenToWorldY(PressY);
  const double y2 = view.ScreenToWorldY(MouseY);
  const TWorldBox box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
                      std::max(y1, y2)};
  const TTrainStructureSV& map = Host.Document().Map();
  TMapSelection selection;
  if (Shifted) selection = Host.Document().Selection();
  switch (ChosenKind()) {
    case TKind::Points: {
      const std::vector<TTrPoint*> points = PointsInside(map, box);
      selection.Many.Points.Reserve(selection.Many.Points.Size() +
                                    points.size());
      for (TTrPoint* point : points) selection.Many.Points.Insert(point);
      if (points.size() == 1 && !Shifted) selection.Point = points.front();
      break;
    }
    case TKind::Lines: {
      const std::vector<TTrLine*> lines = LinesInside(map, box);
      for (TTrLine* line : lines) selection.Many.Lines.Insert(line);
      if (lines.size() == 1 && !Shifted) selection.Line = lines.front();
      break;
    }
    case TKind::Trains: {
      const std::vector<TTrain*> trains = TrainsInside(map, box);
      for (TTrain* train : trains) selection.Many.Trains.Insert(train);
      if (trains.size() == 1 && !Shifted) selection.Train = trains.front();
      break;
    }
  }
  Host.SetSelection(selection);
}

void TSelectTool::ToggleNearest(int32_t X, int32_t Y) {
  switch (ChosenKind()) {
    case TKind::Points: {
      TTrPoint* point = nullptr;
      if (Host.HitTestPoint(X, Y, nullptr, point) >= 0.0) {
        Host.ToggleSelected(point);
      }
      break;
    }
    case TKind::Lines: {
      TTrLine* line = nullptr;
      if (Host.HitTestLine(X, Y, line) >= 0.0) Host.ToggleSelected(line);
      break;
    }
    case TKind::Trains: {
      TTrain* train = nullptr;
      if (Host.HitTestTrain(X, Y, train) >= 0.0) Host.ToggleSelected(train);
      break;
    }
  }
}

bool TSelectTool::BeginGroupDrag(TTrPoint* Point) {
  TMapSelection selection = Host.Document().Selection();
  // The grabbed point becomes the current object; the rest stay selected.
  selection.Line = nullptr;
  selection.Train = nullptr;
  selection.Point = Point;
  Host.SetSelection(selection);
  Group = GroupPoints(Host.Document().Map(), selection.Many);
  GroupFrom.clear();
  GroupFrom.reserve(Group.size());
  for (const TTrPoint* point : Group) GroupFrom.push_back(point->Pos);
  Grabbed = static_cast<size_t>(std::find(Group.begin(), Group.end(), Point) -
                                Group.begin());
  Host.BeginEdit();
  Host.Document().Watch(this);
  Grouping = true;
  return true;
}

// The grabbed point goes where the mouse is, as a single point does, and
// every other one by as much.
bool TSelectTool::PlaceGroup(int32_t X, int32_t Y) {
  if (Group.empty()) {
    Cancel();
    return false;
  }
  const TMapView view = Host.View();
  const double dx = view.ScreenToWorldX(X) - GroupFrom[Grabbed].X;
  const double dy = view.ScreenToWorldY(Y) - GroupFrom[Grabbed].Y;
  try {
    PlacePoints(Host.Document().Map(), Group, GroupFrom,
                [dx, dy](const TTrVector& From) {
                  return TTrXY{From.X + dx, From.Y + dy};
                });
    return true;
  } catch (const EFloatOverflow& Error) {
    return Overflowed(Error);
  }
}

void TSelectTool::EndGroupDrag() {
  if (Grouping) Host.Document().Unwatch(this);
  Grouping = false;
  Group.clear();
  GroupFrom.clear();
}

void TSelectTool::Leaving(const TTrPoint& Point) {
  TPointGesture::Leaving(Point);
  // Nothing takes a point away during a drag; should anything, the drag
  // has lost what it moves.
  if (Grouping &&
      std::find(Group.begin(), Group.end(), &Point) != Group.end()) {
    Group.clear();
  }
}

void TSelectTool::Cancel() {
  if (Pressed) {
    const bool band = Banding;
    Pressed = false;
    Banding = false;
    if (band) Host.Repaint();
    return;
  }
  if (Grouping) {
    EndGroupDrag();
    Host.TakeBack();
    return;
  }
  TPointGesture::Cancel();
}

TTrPoint* TSelectTool::MovedPoint() const {
  if (Grouping) return Group.empty() ? nullptr : Group[Grabbed];
  return Moving;
}

QString TSelectTool::StatusText() const {
  if (Moving == nullptr || Moving->Conn1.Line == nullptr) return {};
  return DrawingText(*Moving->Conn1.Line);
}

// A dotted rectangle from the press to the mouse; the pen the map is drawn
// with is kept as it was.
void TSelectTool::Preview(TCanvas& Canvas) const {
  if (!Banding) return;
  const TPen pen = Canvas.Pen;
  Canvas.Pen.Width = 1;
  Canvas.Pen.Style = psDot;
  Canvas.Pen.Color = clBlack;
  Canvas.Pen.Mode = pmCopy;
  Canvas.MoveTo(PressX, PressY);
  Canvas.LineTo(MouseX, PressY);
  Canvas.LineTo(MouseX, MouseY);
  Canvas.LineTo(PressX, MouseY);
  Canvas.LineTo(PressX, PressY);
  Canvas.Pen = pen;
}

void TSelectTool::EndTyped() {
  Finish();
  Host.CommitEdit(QStringLiteral("Move Point"));
  Host.Repaint();
}

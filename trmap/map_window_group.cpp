#include <cmath>
#include <numbers>

#include "map_group.h"
#include "map_window.h"
#include "number_entry.h"

namespace {

// Every object of List, into Set.
template <typename T, typename TList>
void InsertAll(TObjectSet<T>& Set, const TList& List) {
  Set.Reserve(Set.Size() + List.size());
  for (const auto& object : List) Set.Insert(object.get());
}

// Turns the selection of every object of the lists over; Current goes
// when it is taken out.
template <typename T, typename TCurrent, typename... TLists>
void InvertAll(TObjectSet<T>& Set, TCurrent*& Current, const TLists&... Lists) {
  TObjectSet<T> inverted;
  const auto invert = [&](const auto& List) {
    for (const auto& object : List) {
      if (!Set.Contains(object.get())) inverted.Insert(object.get());
    }
  };
  (invert(Lists), ...);
  if (Current != nullptr && !inverted.Contains(Current)) Current = nullptr;
  Set = std::move(inverted);
}

}  // namespace

TfrmMap::TSelectKind TfrmMap::SelectKind() const {
  if (ModeButtons == nullptr || ModeDown(TModeButton::spbPoint)) {
    return TSelectKind::Points;
  }
  return ModeDown(TModeButton::spbLines) ? TSelectKind::Lines
                                         : TSelectKind::Trains;
}

void TfrmMap::SelectAll() {
  if (GestureUnderway()) return;
  const TTrainStructureSV& map = Document_->Map();
  TMapSelection selection;
  switch (SelectKind()) {
    case TSelectKind::Points:
      InsertAll(selection.Many.Points, map.Points);
      break;
    case TSelectKind::Lines:
      InsertAll(selection.Many.Lines, map.Tracks);
      InsertAll(selection.Many.Lines, map.Walls);
      break;
    case TSelectKind::Trains:
      InsertAll(selection.Many.Trains, map.Trains);
      break;
  }
  SetSelection(selection);
}

void TfrmMap::SelectNone() {
  if (GestureUnderway() || Document_->Selection().Empty()) return;
  SetSelection({});
}

void TfrmMap::InvertSelection() {
  if (GestureUnderway()) return;
  const TTrainStructureSV& map = Document_->Map();
  TMapSelection selection = Document_->Selection();
  switch (SelectKind()) {
    case TSelectKind::Points:
      InvertAll(selection.Many.Points, selection.Point, map.Points);
      break;
    case TSelectKind::Lines:
      InvertAll(selection.Many.Lines, selection.Line, map.Tracks, map.Walls);
      break;
    case TSelectKind::Trains:
      InvertAll(selection.Many.Trains, selection.Train, map.Trains);
      break;
  }
  SetSelection(selection);
}

void TfrmMap::SelectConnected() {
  if (GestureUnderway()) return;
  TMapSelection selection = Document_->Selection();
  if (selection.Empty()) return;
  const TObjectGroup reached = ConnectedGroup(Document_->Map(), selection.Many);
  switch (SelectKind()) {
    case TSelectKind::Points:
      reached.Points.ForEach(
          [&](TTrPoint* Point) { selection.Many.Points.Insert(Point); });
      break;
    case TSelectKind::Lines:
      reached.Lines.ForEach(
          [&](TTrLine* Line) { selection.Many.Lines.Insert(Line); });
      break;
    case TSelectKind::Trains:
      reached.Trains.ForEach(
          [&](TTrain* Train) { selection.Many.Trains.Insert(Train); });
      break;
  }
  SetSelection(selection);
}

void TfrmMap::DeleteSelection() {
  if (GestureUnderway()) return;
  const TObjectGroup group = Document_->Selection().Many;
  if (group.Empty()) return;
  Edit(QStringLiteral("Delete Selection"), [&] {
    Document_->Select({}, this);
    DeleteGroup(Document_->Map(), group);
  });
  Repaint();
}

void TfrmMap::TransformSelection(
    const QString& Text, const std::function<TTrXY(const TTrVector&)>& To) {
  if (GestureUnderway()) return;
  TTrainStructureSV& map = Document_->Map();
  const std::vector<TTrPoint*> points =
      GroupPoints(map, Document_->Selection().Many);
  if (points.empty()) return;
  std::vector<TTrVector> from;
  from.reserve(points.size());
  for (const TTrPoint* point : points) from.push_back(point->Pos);
  // A place too large takes the whole step back; the message goes up.
  Edit(Text, [&] { PlacePoints(map, points, from, To); });
  Repaint();
}

void TfrmMap::NudgeSelection(double DX, double DY) {
  TransformSelection(QStringLiteral("Nudge Selection"),
                     [DX, DY, this](const TTrVector& From) {
                       return TTrXY{From.X + DX * Scale, From.Y - DY * Scale};
                     });
}

bool TfrmMap::NudgeKey(int Key, bool Shift) {
  // A grid step in pixels, which the nudge turns back into metres.
  const double step = Shift ? GridSpacing / Scale : 1.0;
  switch (Key) {
    case kVkLeft:
      NudgeSelection(-step, 0);
      return true;
    case kVkRight:
      NudgeSelection(step, 0);
      return true;
    case kVkUp:
      NudgeSelection(0, -step);
      return true;
    case kVkDown:
      NudgeSelection(0, step);
      return true;
    default:
      return false;
  }
}

namespace {

TTrXY BoxCentre(const std::vector<TTrPoint*>& Points) {
  const TWorldBox box = PointsBox(Points);
  return {(box.MinX + box.MaxX) / 2, (box.MinY + box.MaxY) / 2};
}

}  // namespace

void TfrmMap::EditRotation() {
  if (GestureUnderway() || Document_->Selection().Empty()) return;
  QString text = QStringLiteral("90");
  if (!AskRotation(text)) return;
  const std::optional<double> degrees = TypedNumber(text);
  if (!degrees || !std::isfinite(*degrees)) {
    ShowError(QStringLiteral("The angle must be a number of degrees"));
    return;
  }
  RotateSelection(*degrees);
}

void TfrmMap::RotateSelection(double Degrees) {
  const std::vector<TTrPoint*> points =
      GroupPoints(Document_->Map(), Document_->Selection().Many);
  if (points.empty()) return;
  const TTrXY centre = BoxCentre(points);
  // Quarter turns are exact, so that four of them come back to the start.
  const double turns = std::remainder(Degrees, 360.0);
  double cosine = std::cos(turns * std::numbers::pi / 180.0);
  double sine = std::sin(turns * std::numbers::pi / 180.0);
  if (turns == 90.0) cosine = 0.0, sine = 1.0;
  if (turns == -90.0) cosine = 0.0, sine = -1.0;
  if (turns == 180.0 || turns == -180.0) cosine = -1.0, sine = 0.0;
  if (turns == 0.0) cosine = 1.0, sine = 0.0;
  TransformSelection(QStringLiteral("Rotate Selection"),
                     [=](const TTrVector& From) {
                       const double x = From.X - centre.X;
                       const double y = From.Y - centre.Y;
                       return TTrXY{centre.X + x * cosine - y * sine,
                                    centre.Y + x * sine + y * cosine};
                     });
}

void TfrmMap::MirrorSelection(bool Vertically) {
  const std::vector<TTrPoint*> points =
      GroupPoints(Document_->Map(), Document_->Selection().Many);
  if (points.empty()) return;
  const TTrXY centre = BoxCentre(points);
  TransformSelection(QStringLiteral("Mirror Selection"),
                     [=](const TTrVector& From) {
                       return Vertically ? TTrXY{From.X, 2 * centre.Y - From.Y}
                                         : TTrXY{2 * centre.X - From.X, From.Y};
                     });
}

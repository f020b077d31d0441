#include "curve_tool.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "curve_building.h"
#include "map_document.h"
#include "number_entry.h"
#include "snapping.h"
#include "tool_drawing.h"

namespace {

// Enough pieces to draw an arc smoothly, however many chords it gets.
constexpr int kShownPieces = 256;

}  // namespace

TCurveTool::~TCurveTool() {
  if (Start != nullptr) Host.Document().Unwatch(this);
}

bool TCurveTool::Press(int32_t X, int32_t Y) {
  TMapDocument& document = Host.Document();
  TTrPoint* const selected = document.Selection().Point;
  // Another view's gesture holds the map until it ends.
  if (selected == nullptr || document.Editing()) return false;
  const std::optional<double> heading = HeadingAtEnd(*selected);
  if (!heading) return false;
  Host.BeginEdit();
  Start = selected;
  Heading = *heading;
  document.Watch(this);
  Follow(X, Y);
  return true;
}

void TCurveTool::Move(int32_t X, int32_t Y) {
  if (Start == nullptr) return;
  Follow(X, Y);
  Host.Repaint();
}

void TCurveTool::Follow(int32_t X, int32_t Y) {
  const TMapView view = Host.View();
  Shown = ArcThrough(PlaceOf(*Start), Heading,
                     {view.ScreenToWorldX(X), view.ScreenToWorldY(Y)});
}

void TCurveTool::Release(int32_t X, int32_t Y) {
  if (Start == nullptr) return;
  Follow(X, Y);
  if (Shown) {
    Lay(*Shown);
  } else {
    Cancel();
  }
}

void TCurveTool::Lay(const TArc& Arc) {
  TTrPoint* const start = Start;
  const bool track = !start->IsWallPoint();
  Finish();
  TTrPoint* last = nullptr;
  try {
    last = BuildArc(Host.Document().Map(), start, Arc, track);
  } catch (const std::runtime_error& Error) {
    // A coordinate too large, or no identifier left.
    Host.TakeBack();
    Host.ReportError(QString::fromUtf8(Error.what()));
    return;
  }
  Host.SelectPoint(last);
  Host.SetConnDown(true);
  Host.CommitEdit(QStringLiteral("Build Curve"));
  Host.Repaint();
}

void TCurveTool::Cancel() {
  if (Start == nullptr) return;
  Finish();
  Host.TakeBack();
}

void TCurveTool::Finish() {
  if (Start != nullptr) Host.Document().Unwatch(this);
  Start = nullptr;
  Shown.reset();
}

void TCurveTool::Leaving(const TTrPoint& Point) {
  // Nothing takes a point away during the gesture; should anything, the
  // curve has lost where it starts.
  if (&Point == Start) {
    Host.Document().Unwatch(this);
    Start = nullptr;
    Shown.reset();
  }
}

QString TCurveTool::StatusText() const {
  if (!Shown)
    return Start != nullptr ? QStringLiteral("Straight ahead") : QString();
  const double degrees = Shown->Turn / kDegree;
  return QStringLiteral("Curve radius %1 m, length %2 m, turn %3° %4")
      .arg(Shown->Radius, 0, 'f', 2)
      .arg(Shown->Length(), 0, 'f', 2)
      .arg(std::fabs(degrees), 0, 'f', 1)
      .arg(degrees < 0.0 ? QStringLiteral("left") : QStringLiteral("right"));
}

void TCurveTool::Preview(TCanvas& Canvas) const {
  if (!Shown) return;
  const int pieces = std::min(ChordCount(*Shown), kShownPieces);
  std::vector<TTrXY> path;
  for (int i = 0; i <= pieces; ++i)
    path.push_back(Shown->At(double(i) / pieces));
  DrawPathOverMap(Canvas, Host.View(), path);
}

QString TCurveTool::TypingHint() const {
  return QStringLiteral("Radius m @ turn ° (right +)");
}

QString TCurveTool::Typed(const QString& Text) {
  if (Start == nullptr) return {};
  const std::optional<TTypedPair> typed = TypedPair(Text);
  if (!typed) return QStringLiteral("Type a radius, or a radius @ turn");
  if (!(typed->First >= 1.0 && typed->First <= kLongestRadius)) {
    return QStringLiteral("The radius must be from 1 to 1000000 m");
  }
  // Without a turn the curve turns as far as the mouse shows.
  double turn = Shown ? Shown->Turn : 0.0;
  if (typed->Second) turn = *typed->Second * kDegree;
  if (!(std::fabs(turn) > 0.0 && std::fabs(turn) < 360.0 * kDegree)) {
    return QStringLiteral("The turn must be more than 0° and less than 360°");
  }
  Lay(TArc{PlaceOf(*Start), Heading, typed->First, turn});
  return {};
}

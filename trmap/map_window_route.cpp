#include <QtCore/QTimer>
#include <QtGui/QPainter>
#include <utility>

#include "map_window.h"
#include "screen_clip.h"

namespace {

// Wide translucent bands under which the track stays visible: the route
// of a train in orange, a path in blue, and a ring at each switch passed.
const QColor kRouteColor(255, 140, 0, 110);
const QColor kPathColor(0, 120, 255, 110);
constexpr int kBandWidth = 9;
constexpr double kSwitchRing = 7.0;

// The part of Segment that shows in the window, widened by a margin so
// that round caps just outside still show.
std::optional<QLineF> Visible(const TMapView& View, const TTrVector& From,
                              const TTrVector& To) {
  TScreenRect area = View.ClientRect();
  area.Left -= kBandWidth;
  area.Top -= kBandWidth;
  area.Right += kBandWidth;
  area.Bottom += kBandWidth;
  const auto clipped =
      ClipSegment({View.ScreenColumn(From.X), View.ScreenRow(From.Y),
                   View.ScreenColumn(To.X), View.ScreenRow(To.Y)},
                  area);
  if (!clipped) return std::nullopt;
  return QLineF(clipped->X1, clipped->Y1, clipped->X2, clipped->Y2);
}

}  // namespace

void TfrmMap::ShowRoute(TTrain* Train) {
  Way_.reset();
  if (Train != nullptr) {
    Way_ =
        TShownWay::Route(*Document_, *Train, [this] { WayMayHaveChanged(); });
  }
  update();
  WayMayHaveChanged();
}

void TfrmMap::ShowPath(TTrPoint* From, TTrPoint* To) {
  Way_.reset();
  if (From != nullptr && To != nullptr) {
    Way_ = TShownWay::Path(*Document_, *From, *To,
                           [this] { WayMayHaveChanged(); });
  }
  update();
  WayMayHaveChanged();
}

void TfrmMap::HideWay() { ShowRoute(nullptr); }

std::vector<std::string> TfrmMap::WayText() const {
  return Way_ != nullptr ? Way_->Lines() : std::vector<std::string>{};
}

// Told inside a change of the map, where the way may not be followed nor
// let go of: that waits for the event loop.
void TfrmMap::WayMayHaveChanged() {
  if (std::exchange(WayChangePending, true)) return;
  QTimer::singleShot(0, this, [this] {
    WayChangePending = false;
    if (Way_ != nullptr && Way_->Gone()) Way_.reset();
    update();
    WayChanged();
  });
}

void TfrmMap::PaintWay(QPainter& Target) {
  const TMapView view = View();
  Target.save();
  Target.setRenderHint(QPainter::Antialiasing);
  const QColor color = Way_->IsRoute() ? kRouteColor : kPathColor;
  Target.setPen(
      QPen(color, kBandWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (const TRouteStretch& stretch : Way_->Stretches()) {
    const TTrLine& line = *stretch.Line;
    const TTrVector& entry = stretch.Dir == 1 ? line.P1->Pos : line.P2->Pos;
    const TTrVector& exit = stretch.Dir == 1 ? line.P2->Pos : line.P1->Pos;
    const double length = line.Length();
    const auto at = [&](double Offset) {
      const double t = length > 0.0 ? Offset / length : 0.0;
      return TTrVector{entry.X + (exit.X - entry.X) * t,
                       entry.Y + (exit.Y - entry.Y) * t, 0.0};
    };
    if (const auto shown = Visible(view, at(stretch.From), at(stretch.To))) {
      Target.drawLine(*shown);
    }
  }
  Target.setPen(QPen(color.darker(), 2));
  Target.setBrush(Qt::NoBrush);
  const TScreenRect area = view.ClientRect();
  for (const TSwitchPass& pass : Way_->Switches()) {
    const QPointF centre(view.ScreenColumn(pass.Switch->Pos.X),
                         view.ScreenRow(pass.Switch->Pos.Y));
    if (SegmentNear({centre.x(), centre.y(), centre.x(), centre.y()},
                    kSwitchRing, area)) {
      Target.drawEllipse(centre, kSwitchRing, kSwitchRing);
    }
  }
  Target.restore();
}

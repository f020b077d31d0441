#include "point_gesture.h"

#include "drawing_geometry.h"
#include "errors.h"
#include "map_document.h"
#include "number_entry.h"
#include "snapping.h"

bool SameKind(const TTrPoint& A, const TTrPoint& B) {
  return A.IsWallPoint() == B.IsWallPoint();
}

bool JoinPoints(TToolHost& Host, TTrPoint* Gone, TTrLine* Line,
                TTrPoint* Keep) {
  TTrainStructureSV& map = Host.Document().Map();
  if (!map.JoinPoint(Gone, Line, Keep)) return false;
  // Selecting Keep redraws Gone unselected, so Gone leaves the map only
  // after.
  Host.SelectPoint(Keep);
  map.RemovePoint(Gone);
  Host.SetConnDown(false);
  return true;
}

TPointGesture::~TPointGesture() {
  if (Active) Host.Document().Unwatch(this);
}

void TPointGesture::Begin(TTrPoint* Point) {
  Moving = Point;
  Active = true;
  Host.Document().Watch(this);
}

void TPointGesture::Finish() {
  if (Active) Host.Document().Unwatch(this);
  Active = false;
  Moving = nullptr;
}

void TPointGesture::Cancel() {
  Finish();
  Host.TakeBack();
}

bool TPointGesture::Place(int32_t X, int32_t Y) {
  // Nothing takes a point away during a gesture; should anything, the
  // gesture has lost what it moves.
  if (Moving == nullptr) {
    Cancel();
    return false;
  }
  return PlaceAt(SnappedPosition(Host, X, Y, Moving, Anchor()));
}

bool TPointGesture::PlaceAt(TTrXY At) {
  if (Moving == nullptr) {
    Cancel();
    return false;
  }
  try {
    Host.Document().Map().MovePoint(Moving, At.X, At.Y);
    return true;
  } catch (const EFloatOverflow& Error) {
    return Overflowed(Error);
  }
}

bool TPointGesture::Overflowed(const std::exception& Error) {
  Host.GestureFailed();
  Cancel();
  Host.ReportError(QString::fromUtf8(Error.what()));
  return false;
}

void TPointGesture::Leaving(const TTrPoint& Point) {
  if (Moving == &Point) Moving = nullptr;
}

const TTrPoint* TPointGesture::Anchor() const {
  if (Moving == nullptr || Moving->Conn1.Line == nullptr) return nullptr;
  const TTrLine& line = *Moving->Conn1.Line;
  return line.P1 == Moving ? line.P2 : line.P1;
}

bool TPointGesture::TakesTyping() const {
  return Underway() && Anchor() != nullptr;
}

QString TPointGesture::TypingHint() const {
  return QStringLiteral("Length m @ bearing °");
}

QString TPointGesture::Typed(const QString& Text) {
  const TTrPoint* anchor = Anchor();
  if (!TakesTyping() || anchor == nullptr) return {};
  const std::optional<TTypedPair> typed = TypedPair(Text);
  if (!typed) return QStringLiteral("Type a length, or a length @ bearing");
  if (typed->First < 0.0)
    return QStringLiteral("The length cannot be negative");
  // Without a bearing the line keeps the one it has.
  const double bearing =
      typed->Second ? *typed->Second
                    : CompassDegrees(PlaceOf(*anchor), PlaceOf(*Moving));
  if (PlaceAt(PolarPoint(PlaceOf(*anchor), typed->First, bearing))) EndTyped();
  return {};
}

#include "point_gesture.h"

#include "errors.h"
#include "map_document.h"

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
  const TMapView view = Host.View();
  try {
    Host.Document().Map().MovePoint(Moving, view.ScreenToWorldX(X),
                                    view.ScreenToWorldY(Y));
    return true;
  } catch (const EFloatOverflow& Error) {
    Host.GestureFailed();
    Cancel();
    Host.ReportError(QString::fromUtf8(Error.what()));
    return false;
  }
}

void TPointGesture::Leaving(const TTrPoint& Point) {
  if (Moving == &Point) Moving = nullptr;
}

#include "map_hit_test.h"
#include "map_window.h"

double TfrmMap::ScreenDistance(double X1, double Y1, double X2, double Y2) {
  return ::ScreenDistance(X1, Y1, X2, Y2);
}

double TfrmMap::HitTestPoint(int32_t X, int32_t Y, const TTrPoint* Exclude,
                             TTrPoint*& Point) const {
  return NearestPoint(Document_->Map(), View(),
                      &Document_->Map().SpatialIndex(), X, Y, Exclude, Point);
}

double TfrmMap::HitTestLine(int32_t X, int32_t Y, TTrLine*& Line) const {
  return NearestLine(Document_->Map(), View(), &Document_->Map().SpatialIndex(),
                     X, Y, Line);
}

double TfrmMap::HitTestTrain(int32_t X, int32_t Y, TTrain*& Train) const {
  return NearestTrain(Document_->Map(), View(),
                      &Document_->Map().SpatialIndex(), X, Y, Train);
}

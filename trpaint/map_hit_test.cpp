#include "map_hit_test.h"

#include <algorithm>
#include <cmath>
#include <limits>


namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Far more than the rounding of a few operations on doubles can move a
// coordinate, relative to its size.
constexpr double kRelativeSlack = 1e-9;
// How much farther, in pixels, than the best distance found an object may
// lie in the world and still be as near on screen, where positions are
// rounded to whole pixels (at most half a pixel on each axis), with room to
// spare.
constexpr double kRoundingReach = 2.0;

// The nearest candidate so far, ties going to the earlier in its list.
template <typename T>
struct TNearest {
  double Distance = -1.0;
  uint64_t Key = 0;
  T* Object = nullptr;

  // Candidates in list order: the first, then only strictly nearer ones.
  void Take(double ADistance, T* Candidate) {
    if (Distance < 0.0 || ADistance < Distance) {
      Distance = ADistance;
      Object = Candidate;
    }
  }
  // Candidates in any order, with their keys, which follow list order.
  void Take(double ADistance, uint64_t AKey, T* Candidate) {
    if (Distance < 0.0 || ADistance < Distance ||
        (ADistance == Distance && AKey < Key)) {
      Distance = ADistance;
      Key = AKey;
      Object = Candidate;
    }
  }
  double Best() const { return Object == nullptr ? kInfinity : Distance; }
};

// The nearest object of List that Accept takes, visiting every one in list
// order.
template <typename T, typename TList, typename TAccept, typename TDistance>
TNearest<T> ScanList(const TList& List, TAccept Accept, TDistance Distance) {
  TNearest<T> nearest;
  for (const auto& object : List) {
    if (Accept(*object)) nearest.Take(Distance(*object), object.get());
  }
  return nearest;
}

// The nearest object of kind TKind that Accept takes, with ties going to
// the earlier in its list, looking in Index only around the pixel (X, Y):
// far enough for every object that lies as near on screen, unless it lies
// beyond the pixel range. Objects farther than Beyond pixels (a distance
// already reached) are not looked for.
template <typename T, typename TKind, typename TAccept, typename TDistance>
TNearest<T> LookAround(const TMapView& View, const TSpatialIndex& Index,
                       int32_t X, int32_t Y, double Beyond, TAccept Accept,
                       TDistance Distance) {
  const double x = View.ScreenToWorldX(X);
  const double y = View.ScreenToWorldY(Y);
  const double slack = (std::fabs(x) + std::fabs(y)) * kRelativeSlack;
  TNearest<T> nearest;
  Index.VisitAround<TKind>(
      x, y,
      [&](TKind* Candidate, uint64_t Key) {
        if (Accept(*Candidate)) {
          nearest.Take(Distance(*Candidate), Key, Candidate);
        }
      },
      [&] {
        const double best = std::min(nearest.Best(), Beyond);
        return (best + kRoundingReach) * View.Scale + slack;
      });
  return nearest;
}

// Whether a look around (X, Y) that found Nearest has seen every object as
// near: objects beyond the pixel range are seen at its ends, where their
// distance to the pixel says nothing of where they are, but none of them
// comes nearer than those ends.
template <typename T>
bool LookedFarEnough(const TNearest<T>& Nearest, int32_t X, int32_t Y) {
  constexpr double lowest = std::numeric_limits<int32_t>::min();
  constexpr double highest = std::numeric_limits<int32_t>::max();
  return Nearest.Best() <
         std::min({highest - X, X - lowest, highest - Y, Y - lowest});
}

double PixelDistance(const TMapView& View, int32_t X, int32_t Y, double WorldX,
                     double WorldY) {
  return ScreenDistance(X, Y, View.WorldToScreenX(WorldX),
                        View.WorldToScreenY(WorldY));
}

template <typename T, typename TFound>
double Answer(const TNearest<TFound>& Found, T*& Nearest) {
  Nearest = Found.Object;
  return Found.Distance;
}

}  // namespace

double ScreenDistance(double X1, double Y1, double X2, double Y2) {
  const double dx = X2 - X1;
  const double dy = Y2 - Y1;
  return std::sqrt(dx * dx + dy * dy);
}

double NearestPoint(const TTrainStructureSV& Map, const TMapView& View,
                    const TSpatialIndex* Index, int32_t X, int32_t Y,
                    const TTrPoint* Exclude, TTrPoint*& Point) {
  const auto accept = [&](const TTrPoint& P) { return &P != Exclude; };
  const auto distance = [&](const TTrPoint& P) {
    return PixelDistance(View, X, Y, P.Pos.X, P.Pos.Y);
  };
  if (Index != nullptr) {
    const auto nearest = LookAround<TTrPoint, TTrPoint>(
        View, *Index, X, Y, kInfinity, accept, distance);
    if (LookedFarEnough(nearest, X, Y)) return Answer(nearest, Point);
  }
  return Answer(ScanList<TTrPoint>(Map.Points, accept, distance), Point);
}

double NearestLine(const TTrainStructureSV& Map, const TMapView& View,
                   const TSpatialIndex* Index, int32_t X, int32_t Y,
                   TTrLine*& Line) {
  const auto any = [](const TTrLine&) { return true; };
  const auto distance = [&](const TTrLine& L) {
    const TTrVector& p1 = L.P1->Pos;
    const TTrVector& p2 = L.P2->Pos;
    return PixelDistance(View, X, Y, p1.X + (p2.X - p1.X) * 0.5,
                         p1.Y + (p2.Y - p1.Y) * 0.5);
  };
  if (Index != nullptr) {
    // A wall must come strictly nearer than the nearest track.
    const auto track = LookAround<TTrLine, TTrack>(View, *Index, X, Y,
                                                   kInfinity, any, distance);
    const auto wall = LookAround<TTrLine, TWall>(View, *Index, X, Y,
                                                 track.Best(), any, distance);
    const auto& nearest = wall.Best() < track.Best() ? wall : track;
    if (LookedFarEnough(nearest, X, Y)) return Answer(nearest, Line);
  }
  TNearest<TTrLine> nearest = ScanList<TTrLine>(Map.Tracks, any, distance);
  const auto wall = ScanList<TTrLine>(Map.Walls, any, distance);
  if (wall.Best() < nearest.Best()) nearest = wall;
  return Answer(nearest, Line);
}

double NearestTrain(const TTrainStructureSV& Map, const TMapView& View,
                    const TSpatialIndex* Index, int32_t X, int32_t Y,
                    TTrain*& Train) {
  const auto any = [](const TTrain&) { return true; };
  const auto distance = [&](const TTrain& T) {
    TTrXY rear;
    T.Position.GetXY(rear);
    return PixelDistance(View, X, Y, rear.X, rear.Y);
  };
  if (Index != nullptr) {
    const auto nearest = LookAround<TTrain, TTrain>(View, *Index, X, Y,
                                                    kInfinity, any, distance);
    if (LookedFarEnough(nearest, X, Y)) return Answer(nearest, Train);
  }
  return Answer(ScanList<TTrain>(Map.Trains, any, distance), Train);
}

#include "map_hit_test.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "map_window.h"

namespace {

// How far from the pixel, in pixels, the first look-up reaches.
constexpr double kFirstReach = 8.0;
// Far more than the rounding of a few operations on doubles can move a
// coordinate, relative to its size.
constexpr double kRelativeSlack = 1e-9;

// The nearest candidate so far: the first one, then only strictly nearer
// ones, so the earlier of two at equal distance stays.
template <typename T>
struct TNearest {
  double Distance = -1.0;
  T* Object = nullptr;

  void Take(double ADistance, T* Candidate) {
    if (Distance < 0.0 || ADistance < Distance) {
      Distance = ADistance;
      Object = Candidate;
    }
  }
};

// The box of world places within Reach metres of (X, Y), and a little more.
TWorldBox Around(double X, double Y, double Reach) {
  const double slack =
      (std::max(std::fabs(X), std::fabs(Y)) + Reach) * kRelativeSlack;
  const double r = Reach + slack;
  return {X - r, Y - r, X + r, Y + r};
}

// Objects placed beyond the 32-bit range of pixels are seen at its ends,
// where their distance to the pixel says nothing of where they are; none of
// them can come nearer to (X, Y) than this.
double DistanceToPixelLimits(int32_t X, int32_t Y) {
  constexpr double lowest = std::numeric_limits<int32_t>::min();
  constexpr double highest = std::numeric_limits<int32_t>::max();
  return std::min({highest - X, X - lowest, highest - Y, Y - lowest});
}

// The nearest object that Visit offers. Visit(Box, Take) hands every
// candidate, in list order, to Take: every object of the map when Box is
// null, else those the index finds in *Box. Distance gives an object's
// distance in pixels.
//
// The look-up widens until it holds every place within the best distance
// found (and two pixels more, for the rounding of screen positions), so
// nothing nearer, and nothing as near but earlier, lies outside it. When it
// would cover much of the map, or objects beyond the pixel range might be
// as near, every object is visited instead.
template <typename T, typename TVisit, typename TDistance>
TNearest<T> FindNearest(const TMapView& View, const TSpatialIndex* Index,
                        int32_t X, int32_t Y, TVisit Visit,
                        TDistance Distance) {
  const auto nearestIn = [&](const TWorldBox* Box) {
    TNearest<T> nearest;
    Visit(Box,
          [&](T* Candidate) { nearest.Take(Distance(*Candidate), Candidate); });
    return nearest;
  };
  if (Index == nullptr) return nearestIn(nullptr);
  const double x = View.ScreenToWorldX(X);
  const double y = View.ScreenToWorldY(Y);
  double reach = kFirstReach;
  for (;;) {
    const TWorldBox box = Around(x, y, reach * View.Scale);
    if (!Index->Selective(box)) return nearestIn(nullptr);
    const TNearest<T> nearest = nearestIn(&box);
    if (nearest.Object == nullptr) {
      reach *= 4.0;
      continue;
    }
    if (!(nearest.Distance < DistanceToPixelLimits(X, Y))) {
      return nearestIn(nullptr);
    }
    const double needed = nearest.Distance + 2.0;
    if (needed <= reach) return nearest;
    reach = needed;
  }
}

double PixelDistance(const TMapView& View, int32_t X, int32_t Y, double WorldX,
                     double WorldY) {
  return ScreenDistance(X, Y, View.WorldToScreenX(WorldX),
                        View.WorldToScreenY(WorldY));
}

// Hands every object of List, or those that Find (a look-up of Index)
// gives for *Box, to Take.
template <typename T, typename TList, typename TTake>
void VisitList(const TList& List, const TWorldBox* Box,
               const TSpatialIndex* Index,
               std::vector<T*> (TSpatialIndex::*Find)(const TWorldBox&) const,
               TTake Take) {
  if (Box == nullptr) {
    for (const auto& object : List) Take(object.get());
  } else {
    for (T* object : (Index->*Find)(*Box)) Take(object);
  }
}

// Sets Nearest to the object and gives its distance.
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
  return Answer(FindNearest<TTrPoint>(
                    View, Index, X, Y,
                    [&](const TWorldBox* Box, auto Take) {
                      VisitList(Map.Points, Box, Index, &TSpatialIndex::Points,
                                [&](TTrPoint* Candidate) {
                                  if (Candidate != Exclude) Take(Candidate);
                                });
                    },
                    [&](const TTrPoint& Candidate) {
                      return PixelDistance(View, X, Y, Candidate.Pos.X,
                                           Candidate.Pos.Y);
                    }),
                Point);
}

double NearestLine(const TTrainStructureSV& Map, const TMapView& View,
                   const TSpatialIndex* Index, int32_t X, int32_t Y,
                   TTrLine*& Line) {
  return Answer(
      FindNearest<TTrLine>(
          View, Index, X, Y,
          [&](const TWorldBox* Box, auto Take) {
            VisitList(Map.Tracks, Box, Index, &TSpatialIndex::Tracks, Take);
            VisitList(Map.Walls, Box, Index, &TSpatialIndex::Walls, Take);
          },
          [&](const TTrLine& Candidate) {
            const TTrVector& p1 = Candidate.P1->Pos;
            const TTrVector& p2 = Candidate.P2->Pos;
            return PixelDistance(View, X, Y, p1.X + (p2.X - p1.X) * 0.5,
                                 p1.Y + (p2.Y - p1.Y) * 0.5);
          }),
      Line);
}

double NearestTrain(const TTrainStructureSV& Map, const TMapView& View,
                    const TSpatialIndex* Index, int32_t X, int32_t Y,
                    TTrain*& Train) {
  return Answer(FindNearest<TTrain>(
                    View, Index, X, Y,
                    [&](const TWorldBox* Box, auto Take) {
                      VisitList(Map.Trains, Box, Index, &TSpatialIndex::Trains,
                                Take);
                    },
                    [&](const TTrain& Candidate) {
                      TTrXY rear;
                      Candidate.Position.GetXY(rear);
                      return PixelDistance(View, X, Y, rear.X, rear.Y);
                    }),
                Train);
}

double TfrmMap::ScreenDistance(double X1, double Y1, double X2, double Y2) {
  return ::ScreenDistance(X1, Y1, X2, Y2);
}

double TfrmMap::HitTestPoint(int32_t X, int32_t Y, const TTrPoint* Exclude,
                             TTrPoint*& Point) const {
  return NearestPoint(*Map, View(), &Map->SpatialIndex(), X, Y, Exclude, Point);
}

double TfrmMap::HitTestLine(int32_t X, int32_t Y, TTrLine*& Line) const {
  return NearestLine(*Map, View(), &Map->SpatialIndex(), X, Y, Line);
}

double TfrmMap::HitTestTrain(int32_t X, int32_t Y, TTrain*& Train) const {
  return NearestTrain(*Map, View(), &Map->SpatialIndex(), X, Y, Train);
}

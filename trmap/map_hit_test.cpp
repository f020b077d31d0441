#include <cmath>

#include "map_window.h"

namespace {

// Keeps the nearest candidate: the first one, then only strictly nearer
// ones, so the earlier of two at equal distance stays.
template <typename T>
void TakeIfNearer(double Distance, T* Candidate, double& Best, T*& Nearest) {
  if (Best < 0.0 || Distance < Best) {
    Best = Distance;
    Nearest = Candidate;
  }
}

}  // namespace

double TfrmMap::ScreenDistance(double X1, double Y1, double X2, double Y2) {
  const double dx = X2 - X1;
  const double dy = Y2 - Y1;
  return std::sqrt(dx * dx + dy * dy);
}

double TfrmMap::HitTestPoint(int32_t X, int32_t Y, const TTrPoint* Exclude,
                             TTrPoint*& Point) const {
  double best = -1.0;
  Point = nullptr;
  for (const auto& candidate : Map->Points) {
    if (candidate.get() == Exclude) continue;
    TakeIfNearer(ScreenDistance(X, Y, WorldToScreenX(candidate->Pos.X),
                                WorldToScreenY(candidate->Pos.Y)),
                 candidate.get(), best, Point);
  }
  return best;
}

double TfrmMap::HitTestLine(int32_t X, int32_t Y, TTrLine*& Line) const {
  double best = -1.0;
  Line = nullptr;
  const auto visit = [&](TTrLine* Candidate) {
    const TTrVector& p1 = Candidate->P1->Pos;
    const TTrVector& p2 = Candidate->P2->Pos;
    const double midX = p1.X + (p2.X - p1.X) * 0.5;
    const double midY = p1.Y + (p2.Y - p1.Y) * 0.5;
    TakeIfNearer(
        ScreenDistance(X, Y, WorldToScreenX(midX), WorldToScreenY(midY)),
        Candidate, best, Line);
  };
  for (const auto& track : Map->Tracks) visit(track.get());
  for (const auto& wall : Map->Walls) visit(wall.get());
  return best;
}

double TfrmMap::HitTestTrain(int32_t X, int32_t Y, TTrain*& Train) const {
  double best = -1.0;
  Train = nullptr;
  for (const auto& candidate : Map->Trains) {
    TTrXY rear;
    candidate->Position.GetXY(rear);
    TakeIfNearer(
        ScreenDistance(X, Y, WorldToScreenX(rear.X), WorldToScreenY(rear.Y)),
        candidate.get(), best, Train);
  }
  return best;
}

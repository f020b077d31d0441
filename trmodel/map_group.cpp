#include "map_group.h"

#include <algorithm>

#include "spatial_index.h"
#include "track_position.h"

namespace {

template <typename T, typename TSet>
std::vector<T*> InListOrder(const std::vector<TOwned<T>>& List,
                            const TSet& Set) {
  std::vector<T*> found;
  if (Set.Empty()) return found;
  found.reserve(Set.Size());
  for (const TOwned<T>& object : List) {
    if (Set.Contains(object.get())) found.push_back(object.get());
  }
  return found;
}

void AddLinePoints(const TTrLine* Line, TPointerSet<const TTrPoint>& Points) {
  if (Line == nullptr) return;
  Points.Insert(Line->P1);
  Points.Insert(Line->P2);
}

}  // namespace

std::vector<TTrPoint*> GroupPoints(const TTrainStructureSV& Map,
                                   const TObjectGroup& Group) {
  if (Group.Lines.Empty() && Group.Trains.Empty()) {
    return InListOrder(Map.Points, Group.Points);
  }
  TPointerSet<const TTrPoint> points;
  points.Reserve(Group.Points.Size() + 2 * Group.Lines.Size() +
                 2 * Group.Trains.Size());
  Group.Points.ForEach([&](const TTrPoint* Point) { points.Insert(Point); });
  Group.Lines.ForEach(
      [&](const TTrLine* Line) { AddLinePoints(Line, points); });
  Group.Trains.ForEach([&](const TTrain* Train) {
    AddLinePoints(Train->Position.Line, points);
  });
  std::vector<TTrPoint*> ordered;
  ordered.reserve(points.Size());
  for (const TOwned<TTrPoint>& point : Map.Points) {
    if (points.Contains(point.get())) ordered.push_back(point.get());
  }
  return ordered;
}

TWorldBox PointsBox(const std::vector<TTrPoint*>& Points) {
  TWorldBox box{Points.front()->Pos.X, Points.front()->Pos.Y,
                Points.front()->Pos.X, Points.front()->Pos.Y};
  for (const TTrPoint* point : Points) {
    box.MinX = std::min(box.MinX, point->Pos.X);
    box.MaxX = std::max(box.MaxX, point->Pos.X);
    box.MinY = std::min(box.MinY, point->Pos.Y);
    box.MaxY = std::max(box.MaxY, point->Pos.Y);
  }
  return box;
}

void PlacePoints(TTrainStructureSV& Map, const std::vector<TTrPoint*>& Points,
                 const std::vector<TTrVector>& From,
                 const std::function<TTrXY(const TTrVector&)>& To) {
  Map.MovePoints(Points, [&](size_t I) { return To(From[I]); });
}

void DeleteGroup(TTrainStructureSV& Map, const TObjectGroup& Group) {
  Map.DeleteMany(Group.Points, Group.Lines, Group.Trains);
}

TObjectGroup ConnectedGroup(const TTrainStructureSV& Map,
                            const TObjectGroup& Group) {
  TObjectGroup reached;
  std::vector<TTrPoint*> pending = GroupPoints(Map, Group);
  for (TTrPoint* point : pending) reached.Points.Insert(point);
  while (!pending.empty()) {
    TTrPoint* point = pending.back();
    pending.pop_back();
    for (const TTrLineEnd* end :
         {&point->Conn1, &point->Conn2, &point->Conn3}) {
      TTrLine* line = end->Line;
      if (line == nullptr || reached.Lines.Contains(line)) continue;
      reached.Lines.Insert(line);
      for (TTrPoint* next : {line->P1, line->P2}) {
        if (next != nullptr && !reached.Points.Contains(next)) {
          reached.Points.Insert(next);
          pending.push_back(next);
        }
      }
    }
  }
  for (const TOwned<TTrain>& train : Map.Trains) {
    if (reached.Lines.Contains(train->Position.Line)) {
      reached.Trains.Insert(train.get());
    }
  }
  return reached;
}

namespace {

bool Inside(const TWorldBox& Box, double X, double Y) {
  return X >= Box.MinX && X <= Box.MaxX && Y >= Box.MinY && Y <= Box.MaxY;
}

bool Inside(const TWorldBox& Box, const TTrPoint* Point) {
  return Point != nullptr && Inside(Box, Point->Pos.X, Point->Pos.Y);
}

}  // namespace

std::vector<TTrPoint*> PointsInside(const TTrainStructureSV& Map,
                                    const TWorldBox& Box) {
  std::vector<TTrPoint*> inside;
  for (TTrPoint* point : Map.SpatialIndex().Points(Box)) {
    if (Inside(Box, point)) inside.push_back(point);
  }
  return inside;
}

std::vector<TTrLine*> LinesInside(const TTrainStructureSV& Map,
                                  const TWorldBox& Box) {
  std::vector<TTrLine*> inside;
  const auto take = [&](TTrLine* Line) {
    if (Inside(Box, Line->P1) && Inside(Box, Line->P2)) inside.push_back(Line);
  };
  for (TTrack* track : Map.SpatialIndex().Tracks(Box)) take(track);
  for (TWall* wall : Map.SpatialIndex().Walls(Box)) take(wall);
  return inside;
}

std::vector<TTrain*> TrainsInside(const TTrainStructureSV& Map,
                                  const TWorldBox& Box) {
  std::vector<TTrain*> inside;
  for (TTrain* train : Map.SpatialIndex().Trains(Box)) {
    const TTrackPosition& rear = train->Position;
    if (rear.Line == nullptr) continue;
    TTrXY rearXY;
    rear.GetXY(rearXY);
    // A front that runs off the track stands at the rear, as it is drawn.
    TTrXY frontXY = rearXY;
    TTrackPosition(rear.Line, rear.Offset + train->Length, rear.Dir)
        .GetXY(frontXY);
    if (Inside(Box, rearXY.X, rearXY.Y) && Inside(Box, frontXY.X, frontXY.Y)) {
      inside.push_back(train);
    }
  }
  return inside;
}

#include "map_rows.h"

#include "train_structure.h"

namespace {

TLineEndRow LineEndRow(const TTrLineEnd& End) {
  if (End.IsEmpty()) return {};
  return {End.Line->Id, End.End};
}

}  // namespace

TPointRow PointRow(const TTrPoint& Point) {
  return {Point.Id,
          Point.IsWallPoint(),
          {LineEndRow(Point.Conn1), LineEndRow(Point.Conn2),
           LineEndRow(Point.Conn3)},
          Point.Pos};
}

TTrackRow TrackRow(const TTrack& Track) {
  return {Track.Id, Track.Poles, Track.Platform};
}

bool TrainStorable(const TTrain& Train) { return IsTrack(Train.Position.Line); }

TTrainRow TrainRow(const TTrain& Train) {
  return {Train.Position.Line->Id, Train.Position.Dir, Train.Length};
}

void TakeRows(const TTrainStructureSV& Map, TMapRows& Rows) {
  Rows.Points.clear();
  Rows.Points.reserve(Map.Points.size());
  for (const auto& point : Map.Points) Rows.Points.push_back(PointRow(*point));
  Rows.Tracks.clear();
  Rows.Tracks.reserve(Map.Tracks.size());
  for (const auto& track : Map.Tracks) Rows.Tracks.push_back(TrackRow(*track));
  Rows.Trains.clear();
  for (const auto& train : Map.Trains) {
    if (TrainStorable(*train)) Rows.Trains.push_back(TrainRow(*train));
  }
}

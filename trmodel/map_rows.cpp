#include "map_rows.h"

#include <system_error>
#include <thread>

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

TRowsCopy::TRowsCopy(const TTrainStructureSV& Map, TMapRows& Rows)
    : map_(Map),
      rows_(Rows),
      pointBlocks_(Blocks(Map.Points.size())),
      blocks_(pointBlocks_ + Blocks(Map.Tracks.size())) {
  Rows.Points.resize(Map.Points.size());
  Rows.Tracks.resize(Map.Tracks.size());
}

bool TRowsCopy::Step(size_t Count) {
  for (size_t i = 0; i < Count; ++i) {
    if (!CopyBlock(next_++)) break;
  }
  return Done();
}

void TRowsCopy::Finish() {
  // The copy is bound by fetching objects from memory, so two threads take
  // a large map in about half the time. Each claims the next block until
  // none are left: the caller never waits for a helper that has not
  // started, only for the block it is busy with.
  std::jthread helper;
  if (next_ + 1 < blocks_) {
    try {
      helper = std::jthread([this] {
        while (CopyBlock(next_++)) {
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: the caller copies it all.
    }
  }
  while (CopyBlock(next_++)) {
  }
  helper = {};
  Done();
}

bool TRowsCopy::CopyBlock(size_t Block) {
  if (Block >= blocks_) return false;
  if (Block < pointBlocks_) {
    Copy(map_.Points, rows_.Points, Block,
         [](const TTrPoint& Point) { return PointRow(Point); });
  } else {
    Copy(map_.Tracks, rows_.Tracks, Block - pointBlocks_,
         [](const TTrack& Track) { return TrackRow(Track); });
  }
  return true;
}

bool TRowsCopy::Done() {
  if (next_ < blocks_) return false;
  if (!trainsTaken_) {
    rows_.Trains.clear();
    for (const auto& train : map_.Trains) {
      if (TrainStorable(*train)) rows_.Trains.push_back(TrainRow(*train));
    }
    trainsTaken_ = true;
  }
  return true;
}

void TakeRows(const TTrainStructureSV& Map, TMapRows& Rows) {
  TRowsCopy(Map, Rows).Finish();
}

void MakeRoom(TMapRows& Rows, size_t Points, size_t Tracks) {
  Rows.Points.resize(std::max(Rows.Points.size(), Points));
  Rows.Tracks.resize(std::max(Rows.Tracks.size(), Tracks));
}

#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry.h"

class TTrainStructureSV;
class TTrPoint;
class TTrack;
class TTrain;

// The entries of a map file as plain values, with lines named by their
// identifiers: what writing a map needs, and nothing that points into it.
// A copy of these can be written while the map itself goes on changing.

// A line end in a file entry: Line is -1 for an empty reference.
struct TLineEndRow {
  int32_t Line = -1;
  uint8_t End = 0;
};

struct TPointRow {
  int32_t Id = 0;
  bool Wall = false;
  std::array<TLineEndRow, 3> Conns;
  TTrVector Pos;
};

struct TTrackRow {
  int32_t Id = 0;
  uint8_t Poles = 0;
  uint8_t Platform = 0;
};

struct TTrainRow {
  int32_t Line = 0;
  uint8_t Dir = 0;
  double Length = 0.0;
};

TPointRow PointRow(const TTrPoint& Point);
TTrackRow TrackRow(const TTrack& Track);
// Only a train that stands on a track can be stored.
bool TrainStorable(const TTrain& Train);
TTrainRow TrainRow(const TTrain& Train);

// The entries of a whole map, in the order of its lists; trains that cannot
// be stored are left out.
struct TMapRows {
  std::vector<TPointRow> Points;
  std::vector<TTrackRow> Tracks;
  std::vector<TTrainRow> Trains;
};

// Fills Rows with the entries of Map a part at a time, reusing the room
// Rows already has (a copy of a large map then costs no fresh memory), so
// that copying a large map need not hold its caller up for long. Map must
// not change while a copy is under way (its Revision tells), nor be
// destroyed before it.
class TRowsCopy {
 public:
  TRowsCopy(const TTrainStructureSV& Map, TMapRows& Rows);
  TRowsCopy(const TRowsCopy&) = delete;
  TRowsCopy& operator=(const TRowsCopy&) = delete;

  // Copies the next Count blocks of points and tracks, and the trains after
  // the last one; says whether all is copied.
  bool Step(size_t Count);
  // Copies what is left at once, with a second thread for a large map.
  void Finish();

  // Points or tracks in one block: a fraction of a millisecond.
  static constexpr size_t kBlock = 8192;

 private:
  static size_t Blocks(size_t Count) { return (Count + kBlock - 1) / kBlock; }
  // Copies block Block, unless there is no such block.
  bool CopyBlock(size_t Block);
  template <typename Objects, typename Rows, typename MakeRow>
  static void Copy(const Objects& From, Rows& To, size_t Block, MakeRow Row) {
    const size_t end = std::min(From.size(), (Block + 1) * kBlock);
    for (size_t i = Block * kBlock; i < end; ++i) To[i] = Row(*From[i]);
  }
  bool Done();

  const TTrainStructureSV& map_;
  TMapRows& rows_;
  const size_t pointBlocks_;
  const size_t blocks_;
  std::atomic<size_t> next_ = 0;
  bool trainsTaken_ = false;
};

// The whole copy at once.
void TakeRows(const TTrainStructureSV& Map, TMapRows& Rows);

// Gives Rows room for at least so many points and tracks, memory the system
// has handed out already, so that a later TakeRows into them is quick.
void MakeRoom(TMapRows& Rows, size_t Points, size_t Tracks);

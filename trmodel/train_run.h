#pragma once

#include <cstddef>
#include <vector>

#include "track_position.h"
#include "train_structure.h"

// A trial run: every train of a map driven along its route at a speed of
// its own. The run moves copies of the trains' positions, so the map never
// changes; it only reads the map, which must not change while it lasts.

// Trains run at this speed unless given another, in km/h.
constexpr double kDefaultTrainSpeed = 40.0;

struct TRunningTrain {
  // The map's train this one stands for.
  const TTrain* Train = nullptr;
  // Where its rear is now; its front is Length metres further on.
  TTrackPosition Position;
  double Length = 0.0;
  // Metres per second.
  double Speed = 0.0;
  double Travelled = 0.0;
  // Its front has reached the end of the track (or it stands off it).
  bool Stopped = false;
  // It covers track that another train covers too.
  bool Meeting = false;
};

class TTrainRun {
 public:
  // Speeds holds the speed of each train of Map, in its order, in km/h.
  TTrainRun(const TTrainStructureSV& Map, const std::vector<double>& Speeds);

  // Moves every train Seconds further, up to the end of its track.
  void Step(double Seconds);

  const std::vector<TRunningTrain>& Trains() const { return Trains_; }
  // Seconds run so far.
  double Time() const { return Time_; }

 private:
  void MarkMeetings();

  std::vector<TRunningTrain> Trains_;
  double Time_ = 0.0;
};

#include "train_run.h"

#include <algorithm>
#include <unordered_map>

#include "train_route.h"

namespace {

// The stretch of a line a train covers, in metres from the line's P1.
struct TCover {
  size_t Train;
  double Low;
  double High;
};

}  // namespace

TTrainRun::TTrainRun(const TTrainStructureSV& Map,
                     const std::vector<double>& Speeds) {
  Trains_.reserve(Map.Trains.size());
  for (size_t i = 0; i < Map.Trains.size(); ++i) {
    const TTrain& train = *Map.Trains[i];
    const double speed = i < Speeds.size() ? Speeds[i] : kDefaultTrainSpeed;
    TRunningTrain running;
    running.Train = &train;
    running.Position = train.Position;
    running.Length = train.Length;
    running.Speed = std::max(speed, 0.0) / 3.6;
    running.Stopped = train.Position.Line == nullptr;
    Trains_.push_back(running);
  }
  MarkMeetings();
}

void TTrainRun::Step(double Seconds) {
  if (!(Seconds > 0.0)) return;
  Time_ += Seconds;
  for (TRunningTrain& train : Trains_) {
    if (train.Stopped) continue;
    double distance = train.Speed * Seconds;
    if (distance <= 0.0) continue;
    // Only as far as the track goes before the front: a train stops with
    // its front at a dead end.
    const double reach = distance + std::max(train.Length, 0.0);
    const TTrainRoute ahead = TraceRoute(train.Position, reach);
    if (ahead.End == TRouteEnd::DeadEnd) {
      distance = std::max(ahead.Length - std::max(train.Length, 0.0), 0.0);
      train.Stopped = true;
    }
    train.Position.Advance(distance);
    train.Travelled += distance;
  }
  MarkMeetings();
}

// Trains meet where the stretches of line they cover overlap, ends
// included: one that has run into the rear of another meets it.
void TTrainRun::MarkMeetings() {
  std::unordered_map<const TTrLine*, std::vector<TCover>> covers;
  for (size_t i = 0; i < Trains_.size(); ++i) {
    TRunningTrain& train = Trains_[i];
    train.Meeting = false;
    if (train.Position.Line == nullptr) continue;
    const TTrainRoute body =
        TraceRoute(train.Position, std::max(train.Length, 0.0));
    for (const TRouteStretch& stretch : body.Stretches) {
      const double length = stretch.Line->Length();
      const bool fromP1 = stretch.Dir == 1;
      covers[stretch.Line].push_back(
          {i, fromP1 ? stretch.From : length - stretch.To,
           fromP1 ? stretch.To : length - stretch.From});
    }
  }
  for (auto& [line, onLine] : covers) {
    if (onLine.size() < 2) continue;
    std::sort(onLine.begin(), onLine.end(),
              [](const TCover& A, const TCover& B) { return A.Low < B.Low; });
    // Swept from low to high: each cover meets every earlier one that
    // reaches its start.
    double reached = onLine.front().High;
    size_t reacher = onLine.front().Train;
    for (size_t k = 1; k < onLine.size(); ++k) {
      const TCover& cover = onLine[k];
      if (cover.Low <= reached && cover.Train != reacher) {
        Trains_[cover.Train].Meeting = true;
        Trains_[reacher].Meeting = true;
      }
      if (cover.High > reached) {
        reached = cover.High;
        reacher = cover.Train;
      }
    }
  }
}

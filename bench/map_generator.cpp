#include "map_generator.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSegment = 100.0;   // metres between points along a run
constexpr double kRowPitch = 250.0;  // metres between parallel runs
constexpr double kSidingOffset = 40.0;
constexpr double kWallOffset = -20.0;
constexpr int kSwitchEvery = 12;
constexpr int kSidingLines = 4;
constexpr int kTrainEvery = 25;

class Generator {
 public:
  explicit Generator(size_t PointCount)
      : target_(PointCount),
        perRow_(std::max<size_t>(
            16, static_cast<size_t>(std::sqrt(PointCount * 0.5)))),
        map_(std::make_unique<TTrainStructureSV>()) {}

  std::unique_ptr<TTrainStructureSV> Run() {
    const double rows = std::ceil(target_ / (perRow_ * 2.3));
    const double left = -0.5 * perRow_ * kSegment;
    double y = 0.5 * rows * kRowPitch;
    while (!Full()) {
      TrackRun(left, y);
      WallRun(left, y + kWallOffset);
      y -= kRowPitch;
    }
    return std::move(map_);
  }

 private:
  bool Full() const { return map_->Points.size() >= target_; }

  TTrLine* Extend(TTrPoint* From, double X, double Y, bool Track) {
    return map_->BuildLine(From, map_->NewPoint(X, Y), Track);
  }

  // A run has at least its first line, so that no point is left without
  // one when the map fills up.
  void TrackRun(double Left, double Y) {
    TTrPoint* at = map_->NewPoint(Left, Y);
    for (size_t i = 1; i < perRow_ && (i == 1 || !Full()); ++i) {
      const double x = Left + static_cast<double>(i) * kSegment;
      TTrLine* line = Extend(at, x, Y, true);
      if (++tracks_ % kTrainEvery == 0) {
        map_->AddTrain(MakeOwned<TTrain>(line, 1 + tracks_ % 2, 50.0));
      }
      // The point behind the new line has two lines now: a third makes it
      // a switch whose other direction is a siding.
      if (i % kSwitchEvery == 0 && i + kSidingLines < perRow_) {
        Siding(at, Y);
      }
      at = line->P2;
    }
  }

  void Siding(TTrPoint* Switch, double Y) {
    TTrPoint* at = Switch;
    for (int k = 1; k <= kSidingLines && !Full(); ++k) {
      const double x = Switch->Pos.X + k * kSegment;
      at = Extend(at, x, Y + kSidingOffset, true)->P2;
      ++tracks_;
    }
  }

  void WallRun(double Left, double Y) {
    if (Full()) return;
    TTrPoint* at = map_->NewPoint(Left, Y);
    for (size_t i = 2; i < perRow_ && (i == 2 || !Full()); i += 2) {
      at = Extend(at, Left + static_cast<double>(i) * kSegment, Y, false)->P2;
    }
  }

  size_t target_;
  size_t perRow_;
  size_t tracks_ = 0;
  std::unique_ptr<TTrainStructureSV> map_;
};

}  // namespace

std::unique_ptr<TTrainStructureSV> GenerateMap(size_t PointCount) {
  return Generator(PointCount).Run();
}

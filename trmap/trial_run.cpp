#include "trial_run.h"

#include <algorithm>

#include "map_document.h"

namespace {

// About the rate of a display.
constexpr int kTickMilliseconds = 16;
// A tick that comes late (the machine was busy, a dialog was open) runs no
// more than this, so that trains do not jump.
constexpr double kLongestTick = 0.25;

std::vector<double> Speeds(const TMapDocument& Document) {
  std::vector<double> speeds;
  speeds.reserve(Document.Map().Trains.size());
  for (const auto& train : Document.Map().Trains) {
    speeds.push_back(Document.TrainSpeed(*train));
  }
  return speeds;
}

}  // namespace

TTrialRun::TTrialRun(TMapDocument& ADocument, std::function<double()> AClock,
                     std::function<void()> AStepped,
                     std::function<void()> AInterrupted)
    : Document(ADocument),
      Clock(std::move(AClock)),
      Stepped(std::move(AStepped)),
      Interrupted(std::move(AInterrupted)),
      Run_(std::make_unique<TTrainRun>(ADocument.Map(), Speeds(ADocument))),
      LastTick(Clock()) {
  Document.Watch(this);
  Timer.setTimerType(Qt::PreciseTimer);
  Timer.setInterval(kTickMilliseconds);
  connect(&Timer, &QTimer::timeout, this, &TTrialRun::Tick);
  Timer.start();
}

TTrialRun::~TTrialRun() { Document.Unwatch(this); }

void TTrialRun::Step(double Seconds) {
  if (Run_ == nullptr) return;
  Run_->Step(Seconds);
  Stepped();
}

void TTrialRun::Tick() {
  const double now = Clock();
  const double passed = std::clamp(now - LastTick, 0.0, kLongestTick);
  LastTick = now;
  Step(passed * SpeedUp);
}

void TTrialRun::Interrupt() {
  if (Run_ == nullptr) return;
  Run_.reset();
  Timer.stop();
  Interrupted();
}

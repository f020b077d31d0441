#pragma once

#include <QtCore/QObject>
#include <QtCore/QTimer>
#include <functional>
#include <memory>

#include "map_observer.h"
#include "train_run.h"

class TMapDocument;

// A trial run of the trains of a document (train_run.h), driven by a timer
// at about the display's rate: each tick runs the time Clock says has
// passed since the last, times SpeedUp. Its trains are copies; the first
// change of the map interrupts the run, which lets go of them at once (they
// name the map's lines) and tells Interrupted, in the middle of the change.
class TTrialRun : public QObject, private TMapObserver {
 public:
  // Clock gives seconds from any fixed moment; Stepped is told after every
  // step.
  TTrialRun(TMapDocument& Document, std::function<double()> Clock,
            std::function<void()> Stepped, std::function<void()> Interrupted);
  ~TTrialRun() override;

  // Runs Seconds of simulated time at once.
  void Step(double Seconds);
  // None once interrupted.
  const TTrainRun* Run() const { return Run_.get(); }
  double SpeedUp = 1.0;

 private:
  void Tick();
  void Interrupt();
  void BeforeChange(const TMapChange&) override { Interrupt(); }
  void Leaving(const TTrPoint&) override { Interrupt(); }
  void Leaving(const TTrLine&) override { Interrupt(); }
  void Leaving(const TTrain&) override { Interrupt(); }

  TMapDocument& Document;
  std::function<double()> Clock;
  std::function<void()> Stepped;
  std::function<void()> Interrupted;
  std::unique_ptr<TTrainRun> Run_;
  QTimer Timer;
  double LastTick;
};

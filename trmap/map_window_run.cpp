#include <QtCore/QTimer>
#include <QtGui/QPainter>

#include "map_window.h"
#include "screen_clip.h"

namespace {

const QColor kRunningTrain(191, 191, 0);
const QColor kMeetingTrain(230, 0, 0);
constexpr int kRunningWidth = 5;

}  // namespace

void TfrmMap::StartRun() {
  if (Run != nullptr || GestureUnderway()) return;
  Run = std::make_unique<TTrialRun>(
      *Document_, RunClock,
      [this] {
        update();
        StatusChanged();
      },
      [this] { RunInterrupted(); });
  Run->SpeedUp = RunSpeedUp_;
  // The trains standing in the map give way to the running ones.
  Repaint();
  RunChanged();
}

void TfrmMap::StopRun() {
  if (Run == nullptr) return;
  Run.reset();
  Repaint();
  RunChanged();
}

// Told in the middle of a change of the map, where the run may not be let
// go of: that waits for the event loop.
void TfrmMap::RunInterrupted() {
  QTimer::singleShot(0, this, [this] { StopRun(); });
}

void TfrmMap::StepRun(double Seconds) {
  if (Run != nullptr) Run->Step(Seconds);
}

void TfrmMap::SetRunSpeedUp(double SpeedUp) {
  RunSpeedUp_ = SpeedUp;
  if (Run != nullptr) Run->SpeedUp = SpeedUp;
}

const TTrainRun* TfrmMap::RunState() const {
  return Run != nullptr ? Run->Run() : nullptr;
}

// Each train as one straight segment from its rear to its front, as the
// map draws trains; a train whose front is off the track at its rear.
void TfrmMap::PaintRun(QPainter& Target) {
  const TTrainRun* run = RunState();
  if (run == nullptr) return;
  const TMapView view = View();
  TScreenRect area = view.ClientRect();
  area.Left -= kRunningWidth;
  area.Top -= kRunningWidth;
  area.Right += kRunningWidth;
  area.Bottom += kRunningWidth;
  Target.save();
  Target.setRenderHint(QPainter::Antialiasing);
  for (const TRunningTrain& train : run->Trains()) {
    if (train.Position.Line == nullptr) continue;
    TTrXY rear;
    train.Position.GetXY(rear);
    TTrXY front = rear;
    TTrackPosition ahead = train.Position;
    ahead.Advance(train.Length);
    ahead.GetXY(front);
    const auto shown =
        ClipSegment({view.ScreenColumn(rear.X), view.ScreenRow(rear.Y),
                     view.ScreenColumn(front.X), view.ScreenRow(front.Y)},
                    area);
    if (!shown) continue;
    Target.setPen(QPen(train.Meeting ? kMeetingTrain : kRunningTrain,
                       kRunningWidth, Qt::SolidLine, Qt::RoundCap));
    Target.drawLine(QLineF(shown->X1, shown->Y1, shown->X2, shown->Y2));
  }
  Target.restore();
}

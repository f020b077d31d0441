// Keeping the generated map of 1,000,000 points for recovery, and reopening
// it at start, as the editor does.
//
// KeepWhileTheWindowRuns: the window's thread runs its event loop with a
// timer ticking every millisecond. A change is made, and the window keeps
// the map as it does after any change (in steps, taken between events), or
// at once (as when changes never stop for the deadline, and at exit); the
// loop runs on until the store's thread has written the copy. Prints the
// longest stall of the window's thread (the longest gap between two ticks,
// less the tick) and the time from the start of the keep until the copy
// was on disk.
//
// ReopenAtStart: what start-up does with an entry left by an ended editor:
// reads it and shows the map in a 1920 x 1080 window with all of it in
// view. Prints ms per reopening.
#include <benchmark/benchmark.h>

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QUndoStack>
#include <algorithm>

#include "benchmark_views.h"
#include "image_canvas.h"
#include "map_window.h"
#include "recovery_store.h"

namespace {

constexpr size_t kPoints = 1000000;
// Long enough for the rows to be made ready, as the editor's two seconds.
constexpr int kDelayMs = 300;

// A window of benchmark size showing the whole 1M-point map, keeping its
// changes in Store as entry 1.
class TBigWindow {
 public:
  explicit TBigWindow(TRecoveryStore& Store)
      : Window(nullptr,
               std::make_unique<TImageCanvas>(QSize(kWidth, kHeight))) {
    Window.resize(kWidth, kHeight);
    SwapMap(Window, CachedMap(kPoints, false));
    FitView(Window, 1.0);
    Window.Document().Recovery = &Store;
    Window.Document().RecoveryEntry = 1;
    Window.Document().SetRecoveryDelays(kDelayMs, 20000);
  }
  ~TBigWindow() {
    Window.Document().Recovery = nullptr;
    SwapMap(Window, CachedMap(kPoints, false));
  }

  TfrmMap Window;
};

struct TKeepTimes {
  double LongestStall = 0;
  double WrittenAfter = 0;
};

// Runs the event loop while Window makes a change and keeps it, in steps
// or AtOnce, until the copy is in Folder.
TKeepTimes KeepWithTicks(TfrmMap& Window, const QString& Folder, bool AtOnce) {
  QEventLoop loop;
  QElapsedTimer clock;
  qint64 lastTick = 0;
  qint64 longest = 0;
  qint64 keepStarted = 0;
  TKeepTimes times;
  QTimer ticks;
  ticks.setInterval(1);
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, now - lastTick);
    lastTick = now;
    if (QDir(Folder).exists(QStringLiteral("1.info"))) {
      times.WrittenAfter = static_cast<double>(now - keepStarted) / 1e6;
      loop.quit();
    }
  });
  QTimer::singleShot(20, [&] {
    // A step of the history; the map itself need not change for this.
    Window.Document().UndoStack()->push(
        new QUndoCommand(QStringLiteral("Change")));
    keepStarted = clock.nsecsElapsed() + kDelayMs * 1000000LL;
    if (AtOnce) {
      QTimer::singleShot(kDelayMs,
                         [&] { Window.Document().KeepForRecovery(); });
    }
  });
  clock.start();
  ticks.start();
  loop.exec();
  times.LongestStall = static_cast<double>(longest) / 1e6 - 1.0;
  return times;
}

void BM_KeepWhileTheWindowRuns(benchmark::State& State) {
  const bool atOnce = State.range(0) != 0;
  TKeepTimes worst;
  for (auto _ : State) {
    QTemporaryDir folder;
    TRecoveryStore store(folder.path().toStdString());
    TBigWindow big(store);
    const TKeepTimes times = KeepWithTicks(big.Window, folder.path(), atOnce);
    worst.LongestStall = std::max(worst.LongestStall, times.LongestStall);
    worst.WrittenAfter = std::max(worst.WrittenAfter, times.WrittenAfter);
    State.PauseTiming();
    store.Flush();
    State.ResumeTiming();
  }
  State.counters["longest_stall_ms"] = worst.LongestStall;
  State.counters["written_after_ms"] = worst.WrittenAfter;
}

BENCHMARK(BM_KeepWhileTheWindowRuns)
    ->ArgNames({"at_once"})
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ReopenAtStart(benchmark::State& State) {
  QTemporaryDir earlierFolder;
  std::unique_ptr<TfrmMap> window;
  for (auto _ : State) {
    State.PauseTiming();
    window.reset();
    {
      TRecoveryStore earlier(earlierFolder.path().toStdString());
      TBigWindow big(earlier);
      big.Window.Document().UndoStack()->resetClean();
      big.Window.Document().KeepForRecovery();
    }
    auto* canvas = new TImageCanvas(QSize(kWidth, kHeight));
    window =
        std::make_unique<TfrmMap>(nullptr, std::unique_ptr<TCanvas>(canvas));
    window->resize(kWidth, kHeight);
    State.ResumeTiming();
    window->ReopenRecovered(earlierFolder.path().toStdString(), 1);
    benchmark::DoNotOptimize(canvas->Picture().constBits());
  }
  State.counters["points"] = static_cast<double>(window->Map()->Points.size());
}

BENCHMARK(BM_ReopenAtStart)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

// Selecting many objects of the generated map of 1,000,000 points and
// editing them as one, in a map window of 1920 x 1080 pixels with about
// 5 % of the map in view; each figure includes the repaint that follows.
// Prints ms per Select All, per band over the window, per mouse move of a
// dragged group of 10,000 points and of the whole map, per undo of such a
// drag, per copy and per paste of 100,000 points; and the bytes a group
// move holds after 1 and after 50 mouse moves.
#include <benchmark/benchmark.h>

#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>

#include "benchmark_views.h"
#include "image_canvas.h"
#include "map_group.h"
#include "map_window.h"

namespace {

constexpr size_t kPoints = 1000000;

class TSelectPointsMode : public TModeButtons {
 public:
  bool IsDown(TModeButton Button) const override {
    return Button == TModeButton::spbCursor || Button == TModeButton::spbPoint;
  }
  void SetConnDown(bool) override {}
};

// A window showing the big map, lent for the benchmark's time.
class TBigWindow {
 public:
  TBigWindow() : Window(nullptr, std::unique_ptr<TCanvas>(Canvas)) {
    Window.resize(kWidth, kHeight);
    Window.ModeButtons = &Mode;
    Window.ShowError = [](const QString& Message) {
      std::fprintf(stderr, "%s\n", Message.toUtf8().constData());
    };
    SwapMap(Window, CachedMap(kPoints, false));
    FitView(Window, 0.05);
  }
  ~TBigWindow() {
    Window.SelectNone();
    SwapMap(Window, CachedMap(kPoints, false));
  }
  TSelectPointsMode Mode;
  TImageCanvas* Canvas = new TImageCanvas(QSize(kWidth, kHeight));
  TfrmMap Window;

  // Selects the first Count points of the map, the current one among them
  // the one nearest the middle of the window; gives its pixel.
  QPoint SelectFirst(size_t Count) {
    TTrPoint* middle = nullptr;
    Window.HitTestPoint(kWidth / 2, kHeight / 2, nullptr, middle);
    TMapSelection selection;
    const auto& points = Window.Map()->Points;
    selection.Many.Points.Reserve(Count);
    for (size_t i = 0; i < Count && i < points.size(); ++i) {
      selection.Many.Points.Insert(points[i].get());
    }
    selection.Many.Points.Insert(middle);
    Window.SetSelection(selection);
    return {Window.WorldToScreenX(middle->Pos.X),
            Window.WorldToScreenY(middle->Pos.Y)};
  }
};

void BM_SelectAll(benchmark::State& State) {
  TBigWindow big;
  for (auto _ : State) {
    big.Window.SelectAll();
    State.PauseTiming();
    big.Window.SelectNone();
    State.ResumeTiming();
  }
  State.counters["points"] =
      static_cast<double>(big.Window.Map()->Points.size());
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond)->UseRealTime();

// A Shift band, which drags nothing, over the whole window.
void BM_BandOverTheView(benchmark::State& State) {
  TBigWindow big;
  size_t selected = 0;
  for (auto _ : State) {
    // The window reads Shift from its Qt events.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(0, 0), QPointF(0, 0),
                      Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&big.Window, &press);
    big.Window.FormMouseMove(kWidth - 1, kHeight - 1);
    big.Window.FormMouseUp(TMouseButton::Left, kWidth - 1, kHeight - 1);
    State.PauseTiming();
    selected = big.Window.Document().Selection().Count();
    big.Window.SelectNone();
    State.ResumeTiming();
  }
  State.counters["selected"] = static_cast<double>(selected);
  State.counters["in_view%"] = 100.0 * ShareInView(big.Window);
}
BENCHMARK(BM_BandOverTheView)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GroupDragMove(benchmark::State& State) {
  TBigWindow big;
  const QPoint at = big.SelectFirst(static_cast<size_t>(State.range(0)));
  big.Window.FormMouseDown(TMouseButton::Left, at.x(), at.y());
  if (big.Window.DragPoint() == nullptr) {
    State.SkipWithError("no group drag started");
  }
  int step = 0;
  for (auto _ : State) {
    step = (step + 1) % 40;
    big.Window.FormMouseMove(at.x() + step, at.y() - step);
  }
  big.Window.FormMouseUp(TMouseButton::Left, at.x(), at.y());
  big.Window.Undo();
  State.counters["moved"] =
      static_cast<double>(big.Window.Document().Selection().Count());
}
BENCHMARK(BM_GroupDragMove)
    ->ArgNames({"points"})
    ->Arg(10000)
    ->Arg(kPoints)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

void BM_UndoGroupDrag(benchmark::State& State) {
  TBigWindow big;
  const QPoint at = big.SelectFirst(static_cast<size_t>(State.range(0)));
  big.Window.FormMouseDown(TMouseButton::Left, at.x(), at.y());
  for (int step = 1; step <= 20; ++step) {
    big.Window.FormMouseMove(at.x() + step, at.y() - step);
  }
  big.Window.FormMouseUp(TMouseButton::Left, at.x() + 20, at.y() - 20);
  for (auto _ : State) {
    big.Window.Undo();
    State.PauseTiming();
    big.Window.Redo();
    State.ResumeTiming();
  }
  big.Window.Undo();
}
BENCHMARK(BM_UndoGroupDrag)
    ->ArgNames({"points"})
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The bytes of the step of a drag of 10,000 points after Moves mouse moves.
void BM_GroupMoveStepBytes(benchmark::State& State) {
  TTrainStructureSV& map = *CachedMap(kPoints, false);
  std::vector<TTrPoint*> points;
  for (size_t i = 0; i < 10000; ++i) points.push_back(map.Points[i].get());
  std::vector<TTrVector> from;
  for (const TTrPoint* point : points) from.push_back(point->Pos);
  size_t bytes = 0;
  for (auto _ : State) {
    map.BeginEdit();
    for (int step = 1; step <= State.range(0); ++step) {
      PlacePoints(map, points, from, [step](const TTrVector& At) {
        return TTrXY{At.X + step, At.Y};
      });
    }
    TMapEdit edit = map.EndEdit();
    bytes = edit.Bytes();
    edit.Undo(map);
  }
  State.counters["step_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_GroupMoveStepBytes)
    ->ArgNames({"moves"})
    ->Arg(1)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_CopyAndPaste(benchmark::State& State) {
  const bool paste = State.range(0) != 0;
  TBigWindow big;
  big.SelectFirst(100000);
  big.Window.CopySelection();
  for (auto _ : State) {
    if (paste) {
      big.Window.Paste();
      State.PauseTiming();
      big.Window.Undo();
      State.ResumeTiming();
    } else {
      big.Window.CopySelection();
    }
  }
}
BENCHMARK(BM_CopyAndPaste)
    ->ArgNames({"paste"})
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

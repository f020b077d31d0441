// Drawing worked out on one thread and drawn on another: a recording played
// onto a canvas draws what drawing onto it directly draws, and work done on
// two threads is handed over in its order.
#include "canvas_recording.h"

#include <gtest/gtest.h>

#include <QtCore/QSize>
#include <QtGui/QTransform>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "ordered_work.h"
#include "recording_canvas.h"

namespace {

// A little of everything a canvas does, with pen and brush changed between
// operations and a change at the end that nothing draws with.
void Draw(TCanvas& Canvas) {
  Canvas.Pen.Width = 3;
  Canvas.MoveTo(1, 2);
  Canvas.LineTo(30, 40);
  Canvas.LineTo(-5, 7);
  Canvas.Pen.Style = psDot;
  Canvas.Brush.Color = clRed;
  Canvas.Ellipse(4, 5, 10, 11);
  Canvas.Erase(clGreen);
  QImage picture(3, 2, QImage::Format_RGB32);
  Canvas.DrawPicture(picture, QRect(0, 0, 3, 2), QTransform::fromScale(2, 2),
                     0.5, true);
  Canvas.Resize(QSize(20, 10));
  Canvas.Pen.Color = clYellow;
  Canvas.MoveTo(8, 9);
}

TEST(CanvasRecording, PlaysOntoACanvasWhatWasDrawnOntoIt) {
  TRecordingCanvas direct;
  Draw(direct);

  TCanvasRecording recording;
  // Passed over: changes the pen and the place, keeps nothing.
  recording.SetPassingOver(true);
  recording.Pen.Color = clGreen;
  recording.MoveTo(100, 100);
  recording.LineTo(200, 200);
  recording.Ellipse(0, 0, 5, 5);
  recording.SetPassingOver(false);
  recording.Pen.Color = clBlack;
  Draw(recording);
  TRecordingCanvas played;
  recording.PlayOnto(played);

  EXPECT_EQ(played.Log, direct.Log);
  EXPECT_EQ(played.Erases, direct.Erases);
  EXPECT_EQ(played.LastTransform, direct.LastTransform);
  EXPECT_EQ(played.Pen, direct.Pen);
  EXPECT_EQ(played.Brush, direct.Brush);
  // The last MoveTo tells where the next line starts.
  played.LineTo(0, 0);
  direct.LineTo(0, 0);
  EXPECT_EQ(played.Log.back(), direct.Log.back());
}

TEST(OrderedWork, HandsOverEveryPieceInOrderOnce) {
  constexpr size_t kCount = 500;
  std::vector<std::atomic<int>> computed(kCount);
  std::vector<size_t> consumed;
  ComputeInOrder(
      kCount, [&](size_t I) { computed[I] += 1; },
      [&](size_t I) {
        // Done before it is handed over, and never again after.
        EXPECT_EQ(computed[I].load(), 1);
        consumed.push_back(I);
      });
  ASSERT_EQ(consumed.size(), kCount);
  for (size_t i = 0; i < kCount; ++i) {
    EXPECT_EQ(consumed[i], i);
    EXPECT_EQ(computed[i].load(), 1);
  }
}

TEST(OrderedWork, WorksOnlyALittleAheadOfWhatIsHandedOver) {
  constexpr size_t kCount = 3000;
  std::atomic<size_t> handed{0};
  std::atomic<size_t> farthest{0};
  ComputeInOrder(
      kCount,
      [&](size_t I) {
        const size_t ahead = I - std::min(I, handed.load());
        size_t seen = farthest.load();
        while (ahead > seen && !farthest.compare_exchange_weak(seen, ahead)) {
        }
      },
      [&](size_t I) {
        // Taken slowly, as a slow canvas would.
        std::this_thread::sleep_for(std::chrono::microseconds(20));
        handed = I + 1;
      });
  EXPECT_LE(farthest.load(), 1100u);
}

TEST(OrderedWork, AFailureStopsTheHandingOverAndComesOut) {
  std::vector<size_t> consumed;
  EXPECT_THROW(ComputeInOrder(
                   100,
                   [](size_t I) {
                     if (I == 40) throw std::runtime_error("no room");
                   },
                   [&](size_t I) { consumed.push_back(I); }),
               std::runtime_error);
  EXPECT_EQ(consumed.size(), 40u);
  EXPECT_THROW(ComputeInOrder(
                   100, [](size_t) {},
                   [](size_t I) {
                     if (I == 3) throw std::logic_error("cancelled");
                   }),
               std::logic_error);
}

}  // namespace

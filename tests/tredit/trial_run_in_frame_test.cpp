#include <QtCore/QFile>
#include <QtGui/QUndoStack>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>

#include "frame_fixture.h"
#include "train_properties_dialog.h"

namespace {

// Two tracks with a train at the west end of each: the first runs at
// 72 km/h (20 m/s) as typed in its dialog, the second at the 40 km/h of
// every train.
class TrialRunInFrameTest : public MapInFrameTest {
 protected:
  QTemporaryDir Folder;
  QString File = Folder.filePath(QStringLiteral("run.TRN"));

  TrialRunInFrameTest() {
    DrawTrack(Pixel(0, 0), Pixel(150, 0));
    DrawTrack(Pixel(0, 50), Pixel(200, 50));
    for (int y : {0, 50}) {
      Select(Pixel(0, y));
      Click(Frame->spbNewTrain);
    }
    Map->SelectTrain(Map->Map()->Trains[0].get());
    Map->ShowTrainDialog = [](TTrainProps& Dialog) {
      Dialog.edtSpeed->setText(QStringLiteral("72"));
      return true;
    };
    Click(Frame->spbProperties);
    // Steps come only from the test.
    Map->RunClock = [] { return 0.0; };
    EXPECT_TRUE(Map->Document().Save(File).Done);
    Steps = Map->Document().UndoStack()->index();
  }
  int Steps = 0;

  const TRunningTrain& Running(size_t I) const {
    return Map->RunState()->Trains().at(I);
  }
  double RearX(size_t I) const {
    TTrXY place{};
    Running(I).Position.GetXY(place);
    return place.X;
  }
  // The map is as it was saved, and marked so.
  void ExpectAsSaved() {
    QFile saved(File);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(Saved(), saved.readAll().toStdString());
    EXPECT_FALSE(Map->Document().Modified());
    EXPECT_EQ(Map->Document().UndoStack()->index(), Steps);
  }
};

TEST_F(TrialRunInFrameTest,
       TrainsRunAtTheirSpeedsToTheEndAndStandWhereTheyWere) {
  Frame->mnuRunTrains->trigger();
  ASSERT_TRUE(Map->Running());
  EXPECT_TRUE(Frame->mnuRunTrains->isChecked());
  for (int i = 0; i < 4 * 60; ++i) Map->StepRun(1.0 / 60.0);
  EXPECT_NEAR(Running(0).Travelled, 80.0, 1.0);
  EXPECT_NEAR(RearX(0), 80.0, 1.0);
  EXPECT_NEAR(RearX(1), 4 * 40 / 3.6, 1.0);
  EXPECT_FALSE(Running(0).Stopped);

  // Five times as fast: the first stops with its front at the end of its
  // track, the second goes on.
  Frame->mnuSpeedUp->actions().at(2)->trigger();
  EXPECT_EQ(Map->RunSpeedUp(), 5.0);
  Map->StepRun(0.5 * Map->RunSpeedUp());
  EXPECT_TRUE(Running(0).Stopped);
  EXPECT_NEAR(RearX(0), 100.0, 1e-6);
  EXPECT_NEAR(RearX(1), 6.5 * 40 / 3.6, 1.0);
  EXPECT_EQ(Frame->lblSelection->text(),
            "Trial run 6.5 s at 5 × real time: 2 trains, 1 at a dead end, 0 "
            "meeting");
  ExpectAsSaved();

  Keys(Qt::Key_Escape);
  EXPECT_FALSE(Map->Running());
  EXPECT_FALSE(Frame->mnuRunTrains->isChecked());
  EXPECT_EQ(Map->Map()->Trains[0]->Position.Offset, 0.0);
  ExpectAsSaved();

  // The menu item again ends it too.
  Frame->mnuRunTrains->trigger();
  Map->StepRun(1.0);
  Frame->mnuRunTrains->trigger();
  EXPECT_FALSE(Map->Running());
  ExpectAsSaved();
}

TEST_F(TrialRunInFrameTest, AnEditEndsTheRunAndIsMade) {
  Frame->mnuRunTrains->trigger();
  Map->StepRun(2.0);
  Map->SelectTrain(Map->Map()->Trains[1].get());
  QTest::keyClick(Map, Qt::Key_Delete);
  EXPECT_EQ(Map->RunState(), nullptr);
  QCoreApplication::processEvents();
  EXPECT_FALSE(Map->Running());
  EXPECT_FALSE(Frame->mnuRunTrains->isChecked());
  EXPECT_EQ(Map->Map()->Trains.size(), 1u);
  Undo();
  ExpectAsSaved();

  // Closing the window during a run.
  Frame->mnuRunTrains->trigger();
  Map->StepRun(1.0);
  CloseAll();
  EXPECT_TRUE(Children().isEmpty());
  EXPECT_TRUE(Errors.empty());
}

}  // namespace

#include <gmock/gmock.h>

#include <QtGui/QUndoStack>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLineEdit>
#include <functional>

#include "map_window_fixture.h"
#include "track_properties_dialog.h"
#include "train_properties_dialog.h"

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Kind;
using test_maps::Problems;
using test_maps::Ref;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A map window whose properties dialog is "shown" by running User on it
// and closing it with OK or Cancel, and whose errors are collected.
class MapCommandsTest : public MapWindowTest {
 protected:
  TfrmTrackPr Dialog;
  std::vector<QString> Titles;
  std::vector<QString> Errors;
  std::function<void(TfrmTrackPr&)> User = [](TfrmTrackPr&) {};
  bool PressOk = true;

  MapCommandsTest() {
    Window.TrackPropertiesDialog = &Dialog;
    Window.ShowPropertiesDialog = [this](TfrmTrackPr& Shown) {
      Titles.push_back(Shown.windowTitle());
      User(Shown);
      return PressOk;
    };
    Window.ShowError = [this](const QString& Message) {
      Errors.push_back(Message);
    };
  }

  // Gives the window a train dialog "shown" by running TrainUser on it and
  // closing it with OK.
  TTrainProps TrainDialog;
  std::function<void(TTrainProps&)> TrainUser = [](TTrainProps&) {};
  void UseTrainDialog() {
    Window.TrainPropertiesDialog = &TrainDialog;
    Window.ShowTrainDialog = [this](TTrainProps& Shown) {
      TrainUser(Shown);
      return true;
    };
  }

  // Edits the height of a wall point whose Z is 7 by typing Text and OK.
  double HeightAfterTyping(const char* Text) {
    TTrLine* wall = Build(Map, 0, 0, 100, 0, Kind::Wall);
    wall->P1->Pos.Z = 7.0;
    Window.SelectPoint(wall->P1);
    User = [Text](TfrmTrackPr& Shown) {
      Shown.edtHeight->setText(QString::fromUtf8(Text));
    };
    Window.EditProperties();
    return wall->P1->Pos.Z;
  }
};

TEST_F(MapCommandsTest, TrackPropertiesAreShownAndStoredOnOk) {
  TTrLine* line = Build(Map, 0, 0, 100, 0);
  auto* track = static_cast<TTrack*>(line);
  track->Poles = 2;
  track->Platform = 1;
  Window.SelectLine(line);
  bool shownOver = false;
  bool shownPlatform = false;
  User = [&](TfrmTrackPr& Shown) {
    shownOver = Shown.PolesItems->checkedId() == 2;
    shownPlatform = Shown.cbxPlatform->isChecked();
    EXPECT_EQ(Shown.height(), 185);
    Shown.PolesItems->button(1)->click();
    Shown.cbxPlatform->setChecked(false);
    // Left over from a wall point; a track never reads it.
    Shown.edtHeight->setText(QStringLiteral("junk"));
  };
  Canvas->Clear();
  Window.EditProperties();
  EXPECT_THAT(Titles, ElementsAre("Track Properties"));
  EXPECT_TRUE(shownOver);
  EXPECT_TRUE(shownPlatform);
  EXPECT_EQ(track->Poles, 1);
  EXPECT_EQ(track->Platform, 0);
  EXPECT_THAT(Errors, IsEmpty());
  // The change shows at the next paint.
  EXPECT_EQ(Canvas->Erases, 0);
}

TEST_F(MapCommandsTest, OkIsAStepOnlyWhenSomethingChanged) {
  TTrLine* wall = Build(Map, 0, 50, 100, 50, Kind::Wall);
  Window.SelectPoint(wall->P2);
  User = [](TfrmTrackPr& Shown) {
    Shown.edtHeight->setText(QStringLiteral("0"));
  };
  Window.EditProperties();
  EXPECT_EQ(Window.Document().UndoStack()->count(), 0);

  User = [](TfrmTrackPr& Shown) {
    Shown.edtHeight->setText(QStringLiteral("6"));
  };
  Window.EditProperties();
  ASSERT_EQ(Window.Document().UndoStack()->count(), 1);
  EXPECT_EQ(Window.Document().UndoStack()->undoText(), "Properties");
  Window.Undo();
  EXPECT_EQ(wall->P2->Pos.Z, 0.0);
  EXPECT_EQ(Window.SelectedPoint(), wall->P2);
  Window.Redo();
  EXPECT_EQ(wall->P2->Pos.Z, 6.0);
}

// A selected train's length, typed in the train dialog: a number of metres
// from 1 to 10000, one step; with "Default Train" ticked also the length of
// trains placed afterwards.
TEST_F(MapCommandsTest, TrainLengthIsSetAsOneStepOrRejected) {
  UseTrainDialog();
  TTrLine* track = Build(Map, 0, 0, 500, 0);
  TTrain* train = Map.AddTrain(MakeOwned<TTrain>(track, 1, 50.0));
  Window.SelectTrain(train);
  QString shown;
  for (const char* bad : {"0", "-1", "1e9", "abc", "nan", ""}) {
    TrainUser = [&](TTrainProps& Shown) {
      shown = Shown.edtLength->text();
      Shown.edtLength->setText(QString::fromLatin1(bad));
    };
    Window.EditProperties();
    EXPECT_EQ(shown, "50");
    EXPECT_EQ(train->Length, 50.0);
  }
  ASSERT_EQ(Errors.size(), 6u);
  EXPECT_EQ(Errors[2],
            "'1e9' is not a valid train length: give metres from 1 to 10000");
  EXPECT_EQ(Window.Document().UndoStack()->count(), 0);

  TrainUser = [](TTrainProps& Shown) {
    Shown.edtLength->setText(QStringLiteral(" 37.5 "));
    Shown.cbxDefault->setChecked(false);
  };
  Window.EditProperties();
  EXPECT_EQ(train->Length, 37.5);
  EXPECT_EQ(Window.Document().UndoStack()->undoText(), "Properties");
  Window.Undo();
  EXPECT_EQ(train->Length, 50.0);
  EXPECT_EQ(Window.SelectedTrain(), train);

  TrainUser = [](TTrainProps& Shown) {
    Shown.edtLength->setText(QStringLiteral("120"));
    Shown.cbxDefault->setChecked(true);
  };
  Window.EditProperties();
  Window.SelectPoint(track->P1);
  Window.NewTrain();
  ASSERT_EQ(Map.Trains.size(), 2u);
  EXPECT_EQ(Map.Trains[1]->Length, 120.0);
}

// The speed of a train's trial runs, 40 km/h until another is typed, is
// kept beside the map: no step, nothing to save. A speed that is no number
// from 0 to 1000 is refused, and so is the length typed with it.
TEST_F(MapCommandsTest, TrainSpeedIsKeptAsNoStepOrRejected) {
  UseTrainDialog();
  TTrain* train =
      Map.AddTrain(MakeOwned<TTrain>(Build(Map, 0, 0, 500, 0), 1, 50));
  Window.SelectTrain(train);
  QString shown;
  TrainUser = [&](TTrainProps& Shown) {
    shown = Shown.edtSpeed->text();
    Shown.edtLength->setText(QStringLiteral("60"));
    Shown.edtSpeed->setText(QStringLiteral("1001"));
  };
  Window.EditProperties();
  EXPECT_EQ(shown, "40");
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0],
            "'1001' is not a valid train speed: give km/h from 0 to 1000");
  EXPECT_EQ(train->Length, 50.0);

  TrainUser = [&](TTrainProps& Shown) {
    Shown.edtSpeed->setText(QStringLiteral("72.5"));
  };
  Window.EditProperties();
  EXPECT_EQ(Window.Document().TrainSpeed(*train), 72.5);
  EXPECT_EQ(Window.Document().UndoStack()->count(), 0);
  TrainUser = [&](TTrainProps& Shown) { shown = Shown.edtSpeed->text(); };
  Window.EditProperties();
  EXPECT_EQ(shown, "72.5");
}

TEST_F(MapCommandsTest, CancelLeavesTrackAndPointAlone) {
  TTrLine* line = Build(Map, 0, 0, 100, 0);
  auto* track = static_cast<TTrack*>(line);
  TTrLine* wall = Build(Map, 0, 50, 100, 50, Kind::Wall);
  wall->P2->Pos.Z = 4.0;
  PressOk = false;
  User = [](TfrmTrackPr& Shown) {
    Shown.PolesItems->button(2)->click();
    Shown.cbxPlatform->setChecked(true);
    Shown.edtHeight->setText(QStringLiteral("9"));
  };
  Window.SelectLine(line);
  Window.EditProperties();
  Window.SelectPoint(wall->P2);
  Window.EditProperties();
  EXPECT_THAT(Titles, ElementsAre("Track Properties", "Point Properties"));
  EXPECT_EQ(track->Poles, 0);
  EXPECT_EQ(track->Platform, 0);
  EXPECT_EQ(wall->P2->Pos.Z, 4.0);
}

TEST_F(MapCommandsTest, PointHeightIsShownRoundedAndStoredAsTyped) {
  TTrLine* wall = Build(Map, 0, 0, 100, 0, Kind::Wall);
  wall->P1->Pos.Z = 2.5;
  Window.SelectPoint(wall->P1);
  QString shown;
  User = [&shown](TfrmTrackPr& Shown) { shown = Shown.edtHeight->text(); };
  Window.EditProperties();
  EXPECT_EQ(shown, "2");
  EXPECT_EQ(wall->P1->Pos.Z, 2.0);
  EXPECT_THAT(Titles, ElementsAre("Point Properties"));
}

TEST_F(MapCommandsTest, WholeNumberHeightsAreStored) {
  EXPECT_EQ(HeightAfterTyping("12"), 12.0);
  EXPECT_EQ(HeightAfterTyping("  12"), 12.0);
  EXPECT_EQ(HeightAfterTyping("+12"), 12.0);
  EXPECT_EQ(HeightAfterTyping("$1F"), 31.0);
  EXPECT_EQ(HeightAfterTyping("-3"), -3.0);
  EXPECT_THAT(Errors, IsEmpty());
}

TEST_F(MapCommandsTest, OtherHeightTextsAreReportedAndChangeNothing) {
  EXPECT_EQ(HeightAfterTyping("12m"), 7.0);
  EXPECT_EQ(HeightAfterTyping("12 "), 7.0);
  EXPECT_EQ(HeightAfterTyping("3.5"), 7.0);
  EXPECT_EQ(HeightAfterTyping(""), 7.0);
  EXPECT_THAT(Errors, ElementsAre("'12m' is not a valid integer value",
                                  "'12 ' is not a valid integer value",
                                  "'3.5' is not a valid integer value",
                                  "'' is not a valid integer value"));
}

TEST_F(MapCommandsTest, UnsuitableSelectionsOpenNoDialog) {
  TTrLine* track = Build(Map, 0, 0, 100, 0);
  TTrLine* wall = Build(Map, 0, 50, 100, 50, Kind::Wall);
  TTrain* train = Map.AddTrain(MakeOwned<TTrain>(track, 1, 50.0));
  Window.EditProperties();
  Window.SelectLine(wall);
  Window.EditProperties();
  Window.SelectPoint(track->P1);
  Window.EditProperties();
  Window.SelectTrain(train);
  Window.EditProperties();
  EXPECT_THAT(Titles, IsEmpty());

  // A window the frame gave no dialog does nothing either.
  Window.TrackPropertiesDialog = nullptr;
  Window.SelectPoint(wall->P1);
  Window.EditProperties();
  EXPECT_THAT(Titles, IsEmpty());
}

// A switch at the end of line In, with Out1 laid first and Out2 second.
struct TSwitch {
  TTrLine* In;
  TTrLine* Out1;
  TTrLine* Out2;
  TTrPoint* Point;
};

TSwitch BuildSwitch(TTrainStructureSV& Map) {
  TTrLine* in = Build(Map, 0, 0, 100, 0);
  TTrLine* out1 = BuildFrom(Map, in->P2, 200, 0);
  TTrLine* out2 = BuildFrom(Map, in->P2, 200, 100);
  return {in, out1, out2, in->P2};
}

std::vector<std::string> Refs(const TTrPoint* Point) {
  return {Ref(Point->Conn1), Ref(Point->Conn2), Ref(Point->Conn3)};
}

TEST_F(MapCommandsTest, RotatingThreeTimesAndSwappingTwiceRestore) {
  const TSwitch s = BuildSwitch(Map);
  Window.SelectPoint(s.Point);
  const std::vector<std::string> start = Refs(s.Point);

  Canvas->Clear();
  Window.RotateSwitch();
  EXPECT_EQ(Canvas->Erases, 1);
  EXPECT_THAT(Refs(s.Point), ElementsAre(start[1], start[2], start[0]));
  // The old entry lost its alternative link here; the new entry's names
  // the new other direction.
  EXPECT_TRUE(s.In->Branch2.IsEmpty());
  EXPECT_EQ(Ref(s.Out1->Branch1), start[0]);
  EXPECT_THAT(Problems(Map), IsEmpty());
  Window.RotateSwitch();
  Window.RotateSwitch();
  EXPECT_EQ(Refs(s.Point), start);
  EXPECT_EQ(Ref(s.In->Branch2), start[2]);

  Window.SwapSwitch();
  EXPECT_THAT(Refs(s.Point), ElementsAre(start[0], start[2], start[1]));
  EXPECT_EQ(Ref(s.In->Next2), start[2]);
  EXPECT_EQ(Ref(s.In->Branch2), start[1]);
  Window.SwapSwitch();
  EXPECT_EQ(Refs(s.Point), start);
  EXPECT_THAT(Problems(Map), IsEmpty());
  EXPECT_EQ(Window.SelectedPoint(), s.Point);
}

TEST_F(MapCommandsTest, SwitchCommandsIgnoreOtherSelections) {
  const TSwitch s = BuildSwitch(Map);
  const std::vector<std::string> start = Refs(s.Point);
  Canvas->Clear();
  Window.RotateSwitch();
  Window.SwapSwitch();
  Window.SelectLine(s.In);
  Window.RotateSwitch();
  Window.SwapSwitch();
  TTrLine* plain = Build(Map, 0, 200, 100, 200);
  BuildFrom(Map, plain->P2, 200, 200);
  Window.SelectPoint(plain->P2);
  const std::vector<std::string> twoLines = Refs(plain->P2);
  Window.RotateSwitch();
  Window.SwapSwitch();
  EXPECT_EQ(Refs(plain->P2), twoLines);
  EXPECT_EQ(Refs(s.Point), start);
  EXPECT_EQ(Canvas->Erases, 0);
}

TEST_F(MapCommandsTest, NewTrainStandsAtThePointFacingAlongItsFirstLine) {
  TTrLine* first = Build(Map, 0, 0, 100, 0);
  BuildFrom(Map, first->P2, 200, 0);
  Window.SelectPoint(first->P2);
  Canvas->Clear();
  Window.NewTrain();
  ASSERT_EQ(Map.Trains.size(), 1u);
  const TTrain& train = *Map.Trains[0];
  EXPECT_EQ(train.Length, 50.0);
  EXPECT_EQ(train.Position.Line, first);
  EXPECT_EQ(train.Position.Dir, 2);
  EXPECT_EQ(train.Position.Offset, 0.0);
  EXPECT_EQ(Canvas->Erases, 1);
  EXPECT_EQ(Window.SelectedPoint(), first->P2);
  EXPECT_EQ(Window.SelectedTrain(), nullptr);
  EXPECT_THAT(Problems(Map), IsEmpty());
}

TEST_F(MapCommandsTest, NewTrainNeedsAPointWithALine) {
  TTrLine* line = Build(Map, 0, 0, 100, 0);
  Window.NewTrain();
  Window.SelectLine(line);
  Window.NewTrain();
  // A point without lines comes only from a file.
  TTrPoint* alone = Map.NewPoint(300, 300);
  Window.SelectPoint(alone);
  Canvas->Clear();
  Window.NewTrain();
  // A wall point: the file names a train by its track, so a train on a
  // wall would be lost at the next save.
  TTrLine* wall = Build(Map, 0, 50, 100, 50, Kind::Wall);
  Window.SelectPoint(wall->P1);
  Window.NewTrain();
  EXPECT_THAT(Map.Trains, IsEmpty());
  EXPECT_EQ(Canvas->Erases, 0);
}

}  // namespace

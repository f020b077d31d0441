#include <gmock/gmock.h>

#include <QtCore/QDeadlineTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtTest/QTest>
#include <filesystem>
#include <set>

#include "map_builder.h"
#include "map_generator.h"
#include "map_window.h"
#include "map_writer.h"
#include "recording_canvas.h"
#include "recovery_entry.h"
#include "recovery_store.h"
#include "shown_caption.h"

using test_maps::Build;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

namespace fs = std::filesystem;

// Map windows keeping their changes in a store over a folder of its own.
class MapRecoveryTest : public ::testing::Test {
 protected:
  QTemporaryDir Folder;
  TRecoveryStore Store{Folder.path().toStdString()};
  std::vector<QString> Errors;

  std::unique_ptr<TfrmMap> NewWindow(TRecoveryStore& Keeper, int Entry) {
    auto window = std::make_unique<TfrmMap>(
        nullptr, std::make_unique<TRecordingCanvas>());
    window->Document().Recovery = &Keeper;
    window->Document().RecoveryEntry = Entry;
    window->ShowError = [this](const QString& Message) {
      Errors.push_back(Message);
    };
    window->AskSaveChanges = [](const QString&) {
      return TSaveChanges::Discard;
    };
    return window;
  }
  // One step of the window's history: a new train on a track built
  // beside the others.
  static void Change(TfrmMap& Window) {
    const double y = 50.0 * static_cast<double>(Window.Map()->Tracks.size());
    Window.SelectPoint(Build(*Window.Map(), 0, y, 100, y)->P1);
    Window.NewTrain();
  }
  static std::vector<std::string> Names(const QString& Path) {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(Path.toStdString())) {
      names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  bool Kept(int Entry) const {
    return QFile::exists(Folder.filePath(QString::number(Entry) + ".info"));
  }
  // The text of the entry's copy, once the store has written it.
  std::string KeptText(int Entry) {
    Store.Flush();
    const auto read = [](const QString& Name) {
      QFile file(Name);
      return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString()
                                            : std::string();
    };
    TRecoveryInfo info;
    try {
      ReadRecoveryInfo(read(Folder.filePath(QString::number(Entry) + ".info")),
                       info);
    } catch (const std::exception&) {
      return {};
    }
    return read(Folder.filePath(QString::fromStdString(info.MapFile)));
  }
  // Runs the event loop until Condition holds, for five seconds at most;
  // says whether it came to hold.
  template <typename Condition>
  static bool WaitFor(Condition Holds) {
    QDeadlineTimer deadline(5000);
    while (!Holds()) {
      if (deadline.hasExpired()) return false;
      QTest::qWait(10);
    }
    return true;
  }
};

TEST_F(MapRecoveryTest, ChangesAreKeptShortlyAfterAndGoWhenSaved) {
  auto window = NewWindow(Store, 4);
  window->Document().SetRecoveryDelays(50, 10000);
  window->ZoomBy(2.0);
  Change(*window);
  ASSERT_TRUE(WaitFor([&] { return Kept(4); }));
  Store.Flush();
  const TRecoveredMap kept = ReadRecoveryEntry(Folder.path().toStdString(), 4);
  EXPECT_EQ(kept.Error, "");
  EXPECT_EQ(WriteMap(*kept.Map), WriteMap(*window->Map()));
  EXPECT_EQ(kept.Info.Scale, 0.5);

  // Back at the saved state, and saved: nothing is kept.
  window->Undo();
  Store.Flush();
  EXPECT_THAT(Names(Folder.path()), IsEmpty());
  window->Redo();
  window->Document().KeepForRecovery();
  window->AskSaveFileName = [this](QString& Name) {
    Name = Folder.filePath("saved.TRN");
    return true;
  };
  window->SaveMap(false);
  Store.Flush();
  EXPECT_THAT(Names(Folder.path()), ElementsAre("saved.TRN"));
}

TEST_F(MapRecoveryTest, ALongSeriesOfChangesIsKeptByTheDeadline) {
  auto window = NewWindow(Store, 1);
  window->Document().SetRecoveryDelays(300, 600);
  bool keptDuringSeries = false;
  for (int step = 0; step < 15 && !keptDuringSeries; ++step) {
    Change(*window);
    QTest::qWait(100);
    keptDuringSeries = Kept(1);
  }
  EXPECT_TRUE(keptDuringSeries);
}

// Changes made between the steps that take a large map's rows never give a
// copy mixed from before and after them: every copy kept is of a state the
// map was in, and the last one of the last state.
TEST_F(MapRecoveryTest, ChangesDuringAKeepNeverGiveAMixedCopy) {
  auto window = NewWindow(Store, 1);
  window->Document().ReplaceMap(GenerateMap(100000));
  window->Document().SetRecoveryDelays(0, 100000);
  Change(*window);
  std::set<std::string> states = {WriteMap(*window->Map())};
  for (size_t turn = 0; turn < 6; ++turn) {
    QCoreApplication::processEvents();
    if (Kept(1)) {
      EXPECT_TRUE(states.contains(KeptText(1)));
    }
    window->SelectPoint(window->Map()->Points[turn].get());
    window->FormKeyDown(kVkDelete);
    states.insert(WriteMap(*window->Map()));
  }
  EXPECT_TRUE(WaitFor([&] { return KeptText(1) == WriteMap(*window->Map()); }));
}

TEST_F(MapRecoveryTest, AReopenedEntryShowsAsItWasAndMovesToTheNewSession) {
  QTemporaryDir earlierFolder;
  const QString name = earlierFolder.filePath("map.TRN");
  {
    TRecoveryStore earlier(earlierFolder.path().toStdString());
    auto window = NewWindow(earlier, 7);
    window->OpenMap(name);
    window->ScrollBy(30, -20);
    Change(*window);
    window->Document().KeepForRecovery();
  }
  Errors.clear();
  auto window = NewWindow(Store, 1);
  window->Document().SetRecoveryDelays(10, 1000);
  window->ReopenRecovered(earlierFolder.path().toStdString(), 7);
  EXPECT_EQ(ShownCaption(*window), "Train Map " + name + "*");
  EXPECT_EQ(window->OriginX, 213 + 30);
  EXPECT_EQ(window->OriginY, 135 - 20);
  EXPECT_EQ(window->Map()->Trains.size(), 1u);
  EXPECT_THAT(Errors, IsEmpty());
  EXPECT_TRUE(WaitFor([&] { return Names(earlierFolder.path()).empty(); }));
  EXPECT_THAT(Names(Folder.path()), ElementsAre("1-1.TRN", "1.info"));
}

TEST_F(MapRecoveryTest, AnUnreadableEntryStaysUntilItsWindowIsDiscarded) {
  QTemporaryDir earlierFolder;
  QFile info(earlierFolder.filePath("2.info"));
  ASSERT_TRUE(info.open(QIODevice::WriteOnly));
  info.write("TRN recovery 1\nmap 2-1.TRN\nbytes 99\n");
  info.close();
  auto window = NewWindow(Store, 1);
  window->ReopenRecovered(earlierFolder.path().toStdString(), 2);
  EXPECT_THAT(Errors, ElementsAre(QString::fromStdString(
                          "Recovery file " +
                          earlierFolder.filePath("2-1.TRN").toStdString() +
                          ": File not found")));
  EXPECT_TRUE(window->Document().Modified());
  window->Document().KeepForRecovery();
  Store.Flush();
  EXPECT_THAT(Names(earlierFolder.path()), ElementsAre("2.info"));
  EXPECT_THAT(Names(Folder.path()), IsEmpty());

  EXPECT_TRUE(window->close());
  Store.Flush();
  EXPECT_THAT(Names(earlierFolder.path()), IsEmpty());
}

}  // namespace

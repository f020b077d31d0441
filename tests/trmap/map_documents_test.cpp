#include <gmock/gmock.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <deque>
#include <functional>

#include "map_window_fixture.h"
#include "shown_caption.h"

using test_maps::Build;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

// Map windows whose save dialog answers from a queue (an empty answer is
// Cancel) and whose errors are collected, over a folder of their own.
class MapDocumentsTest : public ::testing::Test {
 protected:
  QTemporaryDir Folder;
  std::deque<QString> Answers;
  std::vector<QString> AskedWith;
  std::vector<QString> Errors;
  std::vector<QString> AskedToSave;
  TSaveChanges SaveChangesAnswer = TSaveChanges::Cancel;

  std::unique_ptr<TfrmMap> NewWindow() {
    auto window = std::make_unique<TfrmMap>(
        nullptr, std::make_unique<TRecordingCanvas>());
    window->AskSaveFileName = [this](QString& Name) {
      AskedWith.push_back(Name);
      const QString answer = Answers.empty() ? QString() : Answers.front();
      if (!Answers.empty()) Answers.pop_front();
      if (answer.isEmpty()) return false;
      Name = answer;
      return true;
    };
    window->ShowError = [this](const QString& Message) {
      Errors.push_back(Message);
    };
    window->AskSaveChanges = [this](const QString& Name) {
      AskedToSave.push_back(Name);
      return SaveChangesAnswer;
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

  QString Path(const char* Name) const {
    return Folder.filePath(QString::fromLatin1(Name));
  }

  static QByteArray Contents(const QString& Name) {
    QFile file(Name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  static void Write(const QString& Name, const QByteArray& Bytes) {
    QFile file(Name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Bytes);
  }
};

TEST_F(MapDocumentsTest, SavingAnUnnamedMapAsksAndNamesTheWindow) {
  auto window = NewWindow();
  EXPECT_EQ(ShownCaption(*window), "Train Map");
  Build(*window->Map(), 0, 0, 100, 0);
  const QString name = Path("first.TRN");
  Answers = {name};
  window->SaveMap(false);
  EXPECT_THAT(AskedWith, ElementsAre(""));
  EXPECT_EQ(window->FileName(), name);
  EXPECT_EQ(ShownCaption(*window), "Train Map " + name);
  EXPECT_THAT(Errors, IsEmpty());

  auto reopened = NewWindow();
  reopened->OpenMap(name);
  EXPECT_EQ(reopened->Map()->Tracks.size(), 1u);
  EXPECT_EQ(ShownCaption(*reopened), "Train Map " + name);

  // Named now: Save writes at once, even with nothing changed.
  QFile::remove(name);
  window->SaveMap(false);
  EXPECT_EQ(AskedWith.size(), 1u);
  EXPECT_FALSE(Contents(name).isEmpty());
}

TEST_F(MapDocumentsTest, SaveAsStartsOnTheNameAndLeavesTheOldFileAlone) {
  auto window = NewWindow();
  Build(*window->Map(), 0, 0, 100, 0);
  const QString oldName = Path("old.TRN");
  const QString newName = Path("new.TRN");
  Answers = {oldName, newName};
  window->SaveMap(true);
  const QByteArray oldBytes = Contents(oldName);
  Build(*window->Map(), 0, 50, 100, 50);
  window->SaveMap(true);
  EXPECT_THAT(AskedWith, ElementsAre("", oldName));
  EXPECT_EQ(ShownCaption(*window), "Train Map " + newName);
  EXPECT_EQ(Contents(oldName), oldBytes);
  EXPECT_GT(Contents(newName).size(), oldBytes.size());
}

TEST_F(MapDocumentsTest, CancellingTheSaveDialogChangesNothing) {
  auto window = NewWindow();
  window->SaveMap(false);
  EXPECT_TRUE(window->FileName().isEmpty());
  EXPECT_EQ(ShownCaption(*window), "Train Map");

  const QString name = Path("kept.TRN");
  Answers = {name, QString()};
  window->SaveMap(false);
  Build(*window->Map(), 0, 0, 100, 0);
  const QByteArray saved = Contents(name);
  window->SaveMap(true);
  EXPECT_EQ(window->FileName(), name);
  EXPECT_EQ(ShownCaption(*window), "Train Map " + name);
  EXPECT_EQ(Contents(name), saved);
  EXPECT_THAT(Errors, IsEmpty());
}

TEST_F(MapDocumentsTest, OpeningAMissingFileLeavesAnEmptyWindowNamedAfterIt) {
  auto window = NewWindow();
  const QString name = Path("missing.TRN");
  window->OpenMap(name);
  EXPECT_THAT(Errors, ElementsAre("File not found"));
  EXPECT_EQ(window->FileName(), name);
  EXPECT_EQ(ShownCaption(*window), "Train Map " + name);
  EXPECT_THAT(window->Map()->Points, IsEmpty());

  Build(*window->Map(), 0, 0, 100, 0);
  window->SaveMap(false);
  EXPECT_THAT(AskedWith, IsEmpty());
  auto reopened = NewWindow();
  reopened->OpenMap(name);
  EXPECT_EQ(reopened->Map()->Points.size(), 2u);
  EXPECT_EQ(Errors.size(), 1u);
}

// A file whose second point entry does not convert.
const char* const kBrokenSecondPoint =
    "PNT 2\r\n"
    "   0    0    0    0 0 2 1 -1 0 -1 0 \r\n"
    "   1   1O    0    0 0 2 2 -1 0 -1 0 \r\n";

TEST_F(MapDocumentsTest, AFileThatFailsHalfWayShowsWhatWasRead) {
  const QString name = Path("broken.TRN");
  Write(name, kBrokenSecondPoint);
  auto window = NewWindow();
  TRecordingCanvas* canvas = new TRecordingCanvas;
  window->Canvas.reset(canvas);
  window->OpenMap(name);
  EXPECT_THAT(Errors, ElementsAre("Invalid numeric input"));
  EXPECT_EQ(window->Map()->Points.size(), 1u);
  EXPECT_EQ(ShownCaption(*window), "Train Map " + name);
  // Shown at once, not at some later paint.
  EXPECT_EQ(canvas->Erases, 1);
}

// A large map takes a while to open: the busy cursor shows while its file
// is read, and is gone before any message about it and once it is shown.
TEST_F(MapDocumentsTest, TheBusyCursorShowsWhileTheFileIsRead) {
  const auto busy = [] {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
  };
  class TWatchedFiles : public TFileSystem {
   public:
    explicit TWatchedFiles(std::function<bool()> ABusy)
        : Busy(std::move(ABusy)) {}
    ssize_t Read(int Fd, void* Buffer, size_t Count) override {
      BusyAtReads.push_back(Busy());
      return TFileSystem::Read(Fd, Buffer, Count);
    }
    std::function<bool()> Busy;
    std::vector<bool> BusyAtReads;
  } files(busy);
  const QString name = Path("slow.TRN");
  Write(name, kBrokenSecondPoint);
  auto window = NewWindow();
  window->Document().Files = &files;
  std::vector<bool> busyAtErrors;
  window->ShowError = [&](const QString&) { busyAtErrors.push_back(busy()); };
  window->OpenMap(name);
  EXPECT_THAT(files.BusyAtReads, Not(IsEmpty()));
  EXPECT_THAT(files.BusyAtReads, Each(true));
  EXPECT_THAT(busyAtErrors, ElementsAre(false));
  EXPECT_FALSE(busy());
}

TEST_F(MapDocumentsTest, AFailedSaveKeepsTheMapAndTheNewName) {
  auto window = NewWindow();
  Build(*window->Map(), 0, 0, 100, 0);
  const QString name = Path("no folder/map.TRN");
  Answers = {name};
  window->SaveMap(false);
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_FALSE(Errors[0].isEmpty());
  EXPECT_EQ(window->FileName(), name);
  EXPECT_EQ(ShownCaption(*window), "Train Map " + name);
  EXPECT_EQ(window->Map()->Tracks.size(), 1u);
}

TEST_F(MapDocumentsTest, OneFileOpenedTwiceGivesIndependentWindows) {
  auto first = NewWindow();
  Build(*first->Map(), 0, 0, 100, 0);
  const QString name = Path("shared.TRN");
  Answers = {name};
  first->SaveMap(false);

  auto one = NewWindow();
  auto two = NewWindow();
  one->OpenMap(name);
  two->OpenMap(name);
  EXPECT_EQ(ShownCaption(*one), ShownCaption(*two));
  Build(*one->Map(), 0, 50, 100, 50);
  EXPECT_EQ(one->Map()->Tracks.size(), 2u);
  EXPECT_EQ(two->Map()->Tracks.size(), 1u);
  // The last save wins.
  one->SaveMap(false);
  two->SaveMap(false);
  auto reopened = NewWindow();
  reopened->OpenMap(name);
  EXPECT_EQ(reopened->Map()->Tracks.size(), 1u);
  EXPECT_THAT(Errors, IsEmpty());
}

TEST_F(MapDocumentsTest, OpeningIntoAUsedWindowDropsItsMapAndSelection) {
  const QString name = Path("empty.TRN");
  auto window = NewWindow();
  Answers = {name};
  window->SaveMap(false);
  TTrLine* line = Build(*window->Map(), 0, 0, 100, 0);
  window->SelectPoint(line->P1);
  window->OpenMap(name);
  EXPECT_EQ(window->SelectedPoint(), nullptr);
  EXPECT_THAT(window->Map()->Points, IsEmpty());
}

TEST_F(MapDocumentsTest, TheCaptionIsMarkedWhileChangesAreUnsaved) {
  auto window = NewWindow();
  Change(*window);
  EXPECT_EQ(ShownCaption(*window), "Train Map*");
  window->Undo();
  EXPECT_EQ(ShownCaption(*window), "Train Map");
  window->Redo();
  const QString name = Path("marked.TRN");
  Answers = {name};
  window->SaveMap(false);
  EXPECT_EQ(ShownCaption(*window), "Train Map " + name);
  Change(*window);
  EXPECT_EQ(ShownCaption(*window), "Train Map " + name + "*");
  window->Undo();
  EXPECT_FALSE(window->Document().Modified());
  window->Redo();

  // A failed save keeps the mark, under the new name.
  const QString nowhere = Path("no folder/marked.TRN");
  Answers = {nowhere};
  window->SaveMap(true);
  EXPECT_EQ(Errors.size(), 1u);
  EXPECT_EQ(ShownCaption(*window), "Train Map " + nowhere + "*");
}

TEST_F(MapDocumentsTest, ClosingWithUnsavedChangesAsksFirst) {
  auto window = NewWindow();
  EXPECT_TRUE(window->close());
  EXPECT_THAT(AskedToSave, IsEmpty());

  Change(*window);
  SaveChangesAnswer = TSaveChanges::Cancel;
  EXPECT_FALSE(window->close());
  // Save of an unnamed map asks for a name; cancelled, the window stays.
  SaveChangesAnswer = TSaveChanges::Save;
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->Document().Modified());
  EXPECT_THAT(AskedWith, ElementsAre(""));
  const QString name = Path("closed.TRN");
  Answers = {name};
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(Contents(name).isEmpty());
  EXPECT_THAT(AskedToSave, ElementsAre("Train Map", "Train Map", "Train Map"));

  auto other = NewWindow();
  other->OpenMap(name);
  Change(*other);
  SaveChangesAnswer = TSaveChanges::Discard;
  const QByteArray saved = Contents(name);
  EXPECT_TRUE(other->close());
  EXPECT_EQ(AskedToSave.back(), name);
  EXPECT_EQ(Contents(name), saved);
}

}  // namespace

#include <QtCore/QDir>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "frame_fixture.h"
#include "map_builder.h"
#include "map_reader.h"
#include "typed_entry.h"
#include "window_references.h"

namespace {

std::vector<std::string> SortedLines(const std::string& Text) {
  std::vector<std::string> lines;
  std::istringstream in(Text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The editor as the program starts it, every dialog and message box real,
// driven at random as a user might: gestures on the active map window with
// Escape, undo and redo, Delete and the commands thrown in, also in the
// middle of a gesture; new windows and second windows onto a map, switching
// between them, Ctrl+W and the close button, saving and opening. Every dialog
// is answered at random once it is up. After every event each map is sound and
// each window names only objects of its map; Qt warns of nothing; at the end
// each map saves as it reads back.
class RandomFrameTest : public ::testing::Test {
 protected:
  QTemporaryDir RecoveryFolder;
  QTemporaryDir Files;
  std::mt19937 Random{qEnvironmentVariableIntValue("TR_RANDOM_FRAME_SEED") +
                      20261209u};
  TQtWarnings Warnings;
  std::unique_ptr<TfrmTrain> Frame =
      StartEditor({RecoveryFolder.path(), {}, {}, {}});
  QTimer Answerer;
  Qt::MouseButtons Held;
  QPointer<TfrmMap> Grabber;
  bool Answering = false;

  // What the run met, to show it was not idle.
  int Gestures = 0;
  int Escapes = 0;
  int Closes = 0;
  // Events of the ways and runs case that met a way shown or a run.
  int Shown = 0;
  int Answers = 0;
  int Saves = 0;
  int Typed = 0;

  RandomFrameTest() {
    // One file that cannot be read, to be opened now and then.
    QFile broken(Files.filePath(QStringLiteral("broken.TRN")));
    broken.open(QIODevice::WriteOnly);
    broken.write("PNT x\r\n");
    broken.close();
    Frame->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Frame.get()));
    // Only a modal dialog's own event loop turns this timer.
    QObject::connect(&Answerer, &QTimer::timeout, [this] { AnswerDialog(); });
    Answerer.start(1);
  }

  int Pick(int Count) {
    return std::uniform_int_distribution<int>(0, Count - 1)(Random);
  }
  QString SomeFile() {
    static const char* const kNames[] = {"a.TRN", "b.TRN", "broken.TRN"};
    return Files.filePath(QString::fromLatin1(kNames[Pick(3)]));
  }

  // An answer may raise a dialog of its own (a question before a file is
  // overwritten), whose loop turns the timer only once its slot has
  // returned: so the slot leaves the answer to a timer of its own.
  void AnswerDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || Answering) return;
    Answering = true;
    QTimer::singleShot(0, modal, [this, modal] {
      Answering = false;
      Answer(modal);
    });
  }

  void Answer(const QPointer<QWidget>& modal) {
    ++Answers;
    // The dialog had the mouse: the buttons held came up over it.
    Held = Qt::NoButton;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      const QList<QAbstractButton*> buttons = box->buttons();
      buttons[Pick(static_cast<int>(buttons.size()))]->click();
    } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
      if (Pick(3) == 0) {
        files->reject();
        return;
      }
      files->selectFile(SomeFile());
      // The Save or Open button's slot; QFileDialog hides it behind
      // QDialog's.
      static_cast<QDialog*>(files)->accept();
      // A name it does not take (a folder, a file that is not there) keeps
      // it open; Cancel then.
      if (modal != nullptr && files->isVisible()) files->reject();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      if (Pick(2) == 0) {
        dialog->accept();
      } else {
        dialog->reject();
      }
    }
  }

  TfrmMap* Active() const { return Frame->ActiveMap(); }

  QPoint Somewhere(const TfrmMap& Map) {
    const TTrainStructureSV& map = *Map.Map();
    if (!map.Points.empty() && Pick(2) == 0) {
      const TTrPoint& p =
          *map.Points[Pick(static_cast<int>(map.Points.size()))];
      // A mouse reaches no further than a window's size beyond it, also
      // toward a point far off, whose screen coordinate is at its limit.
      const auto beside = [this](int32_t At, int Size) {
        return static_cast<int>(std::clamp<int64_t>(int64_t{At} + Pick(7) - 3,
                                                    -Size, 2 * int64_t{Size}));
      };
      return {beside(Map.WorldToScreenX(p.Pos.X), Map.width()),
              beside(Map.WorldToScreenY(p.Pos.Y), Map.height())};
    }
    return {Pick(Map.width()), Pick(Map.height())};
  }

  // While a button is held the mouse goes to the window it was pressed in,
  // as the toolkit has it; a release that a dialog took is lost to it.
  void Mouse(QEvent::Type Type, Qt::MouseButton Button) {
    if (Held == Qt::NoButton || Grabber == nullptr) Grabber = Active();
    TfrmMap* map = Grabber;
    if (map == nullptr) return;
    if (Type == QEvent::MouseButtonPress) Held |= Button;
    if (Type == QEvent::MouseButtonRelease) Held &= ~Button;
    const QPoint at = Somewhere(*map);
    // Shift now and then: a click that toggles, a band that adds, a
    // bearing kept to steps.
    QMouseEvent event(Type, QPointF(at), QPointF(map->mapToGlobal(at)), Button,
                      Held, Pick(6) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
    const bool idle = !map->GestureUnderway();
    QApplication::sendEvent(map, &event);
    if (idle && map->GestureUnderway()) ++Gestures;
  }

  void Key(QKeyCombination Combination) {
    QWidget* target = Active();
    if (target == nullptr) target = Frame.get();
    // Keys go to the focused entry while a number is typed.
    if (Active() != nullptr && Active()->Typing()) {
      target = Active()->TypingEntry()->edtText;
    }
    QTest::keyClick(target, Combination.key(), Combination.keyboardModifiers());
  }

  void Click(QToolButton* Button) { QTest::mouseClick(Button, Qt::LeftButton); }

  void OneEvent() {
    // The desktop gives the frame back its activation when a dialog closes;
    // the test platform does not.
    if (QApplication::activeWindow() != Frame.get()) {
      Frame->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(Frame.get()));
    }
    static constexpr Qt::MouseButton kButtons[] = {
        Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    TfrmMap* map = Active();
    switch (Pick(36)) {
      case 0:
      case 1:
      case 2:
      case 3:
        Mouse(QEvent::MouseButtonPress, kButtons[Pick(4)]);
        break;
      case 4:
      case 5:
      case 6:
        Mouse(QEvent::MouseButtonRelease, kButtons[Pick(4)]);
        break;
      case 7:
      case 8:
      case 9: {
        QToolButton* const modes[] = {
            Frame->spbCursor,
            Frame->spbLine,
            Frame->spbBuild,
            Frame->spbPoint,
            Frame->spbLines,
            Frame->spbTrains,
            Frame->spbConn,
            Frame->spbLine,
            Frame->ToolButton(TModeButton::spbCurve),
            Frame->ToolButton(TModeButton::spbMeasure)};
        Click(modes[Pick(10)]);
        break;
      }
      case 10:
        if (map != nullptr && (map->Building() || map->MovingPoint()))
          ++Escapes;
        Key(Qt::Key_Escape);
        break;
      case 11:
        Key(Qt::Key_Delete);
        break;
      case 12:
        Key(Qt::CTRL | Qt::Key_Z);
        break;
      case 13:
        Key(Pick(2) == 0 ? (Qt::CTRL | Qt::Key_Y)
                         : (Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        break;
      case 14: {
        QToolButton* const commands[] = {Frame->spbRotate, Frame->spbDefsw,
                                         Frame->spbNewTrain,
                                         Frame->spbProperties};
        Click(commands[Pick(4)]);
        break;
      }
      case 15:
        if (Pick(10) != 0) break;
        ++Closes;
        if (Pick(2) == 0) {
          Key(Qt::CTRL | Qt::Key_W);
        } else if (QMdiSubWindow* child = Frame->MdiArea->currentSubWindow()) {
          child->close();  // its close button
        }
        break;
      case 16:
        // A few windows at a time are enough to switch between.
        if (Frame->MdiArea->subWindowList().size() >= 5) break;
        if (map == nullptr || Pick(4) == 0) {
          Key(Qt::CTRL | Qt::Key_N);
        } else if (Pick(3) == 0) {
          Frame->mnuNewView->trigger();
        }
        break;
      case 17:
        Frame->MdiArea->activateNextSubWindow();
        break;
      case 18:
        if (Pick(4) != 0) break;
        ++Saves;
        Key(Pick(3) == 0 ? (Qt::CTRL | Qt::SHIFT | Qt::Key_S)
                         : (Qt::CTRL | Qt::Key_S));
        break;
      case 19:
        if (Pick(6) == 0) Key(Qt::CTRL | Qt::Key_O);
        break;
      case 20:
        Key(Pick(2) == 0 ? (Qt::CTRL | Qt::Key_Plus)
                         : (Qt::CTRL | Qt::Key_Minus));
        break;
      case 21: {
        static constexpr QKeyCombination kSelecting[] = {
            Qt::CTRL | Qt::Key_A, Qt::CTRL | Qt::SHIFT | Qt::Key_A,
            Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_X,
            Qt::CTRL | Qt::Key_V, Qt::CTRL | Qt::Key_D};
        // Pastes and duplicates double a map at most; a map of thousands of
        // points only makes every later event slower, and finds no more.
        const bool large = map != nullptr && map->Map()->Points.size() > 1000;
        Key(kSelecting[Pick(large ? 4 : 6)]);
        break;
      }
      case 22: {
        static constexpr Qt::Key kArrows[] = {Qt::Key_Left, Qt::Key_Right,
                                              Qt::Key_Up, Qt::Key_Down};
        Key(Pick(2) == 0 ? QKeyCombination(kArrows[Pick(4)])
                         : (Qt::SHIFT | kArrows[Pick(4)]));
        break;
      }
      case 23: {
        QAction* const items[] = {
            Frame->mnuInvertSelection, Frame->mnuSelectConnected,
            Frame->mnuRotateSelection, Frame->mnuRotateLeft,
            Frame->mnuRotateRight,     Frame->mnuMirrorHorizontally,
            Frame->mnuMirrorVertically};
        items[Pick(7)]->trigger();
        break;
      }
      case 24:
        // Text that is no map, or only a part of one, into the clipboard.
        if (Pick(4) == 0) {
          QGuiApplication::clipboard()->setText(
              Pick(2) == 0 ? QStringLiteral("PNT 2\r\n1 0 0 0")
                           : QStringLiteral("hello"));
        }
        break;
      case 25:
      case 26:
      case 28: {
        // Numbers typed during a gesture: lengths, bearings, radii and
        // turns, some out of range, some not numbers; Enter or Escape.
        static const Qt::Key kTyped[] = {
            Qt::Key_1,     Qt::Key_2,     Qt::Key_5,      Qt::Key_0,
            Qt::Key_9,     Qt::Key_Minus, Qt::Key_Period, Qt::Key_At,
            Qt::Key_Space, Qt::Key_E,     Qt::Key_Return, Qt::Key_Return,
            Qt::Key_Escape};
        if (map != nullptr && map->Typing()) ++Typed;
        Key(kTyped[Pick(13)]);
        break;
      }
      case 27:
        if (Pick(3) != 0) break;
        {
          QAction* const commands[] = {
              Frame->mnuRoundCorner, Frame->mnuPointPosition,
              Frame->mnuSnapToGrid, Frame->mnuMeasure, Frame->mnuSimplify};
          commands[Pick(5)]->trigger();
        }
        break;
      case 29:
        // Ways and trial runs: shown, followed through the edits that come,
        // and run a little.
        if (Pick(2) != 0) break;
        switch (Pick(5)) {
          case 0:
            Frame->mnuShowRoute->trigger();
            break;
          case 1:
            Frame->mnuFindPath->trigger();
            break;
          case 2:
            Click(Frame->ToolButton(TModeButton::spbPath));
            break;
          case 3:
            Frame->mnuRunTrains->trigger();
            break;
          default:
            if (map != nullptr) map->StepRun(Pick(100) / 10.0);
            break;
        }
        if (map != nullptr && (map->Way() != nullptr || map->Running())) {
          ++Shown;
        }
        break;
      default:
        // Moves, most of all: they are what a gesture is made of.
        Mouse(QEvent::MouseMove, Qt::NoButton);
        break;
    }
    // A closed window goes at the next turn of the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Each map once, however many windows show it. A map whose revision has
  // not moved since its last check is checked again only every 16th event
  // (a gesture's preview may change it between revisions); the windows'
  // references are checked after every event.
  std::string Problems(int Event) {
    std::string problems;
    std::set<const TTrainStructureSV*> checked;
    for (QMdiSubWindow* child : Frame->MdiArea->subWindowList()) {
      const auto& window = dynamic_cast<const TfrmMap&>(*child->widget());
      const TTrainStructureSV& map = *window.Map();
      if (checked.insert(&map).second) {
        const auto last = CheckedRevision.find(&map);
        if (Event % 16 == 0 || last == CheckedRevision.end() ||
            last->second != map.Revision()) {
          problems += test_maps::Problems(map);
          CheckedRevision[&map] = map.Revision();
        }
      }
      problems += WindowReferenceProblems(window);
    }
    // A map that went may be followed by another at its address.
    std::erase_if(CheckedRevision, [&](const auto& Entry) {
      return !checked.count(Entry.first);
    });
    return problems;
  }
  std::map<const TTrainStructureSV*, uint64_t> CheckedRevision;
};

TEST_F(RandomFrameTest, AnySequenceOfInputInTheRealFrameLeavesSoundMaps) {
  // The sanitizers make each event about twenty times as slow: there a third
  // of the run keeps CI within its time. The run's length can be set for a
  // longer search.
#if defined(__SANITIZE_ADDRESS__)
  constexpr int defaultEvents = 20000;
#else
  constexpr int defaultEvents = 60000;
#endif
  const int events =
      qEnvironmentVariableIntValue("TR_RANDOM_FRAME_EVENTS") > 0
          ? qEnvironmentVariableIntValue("TR_RANDOM_FRAME_EVENTS")
          : defaultEvents;
  const auto start = std::chrono::steady_clock::now();
  size_t maxPoints = 0;
  for (int event = 0; event < events; ++event) {
    OneEvent();
    ASSERT_EQ(Problems(event), "") << "after event " << event;
    if (const TfrmMap* map = Active()) {
      maxPoints = std::max(maxPoints, map->Map()->Points.size());
    }
  }
  for (QMdiSubWindow* child : Frame->MdiArea->subWindowList()) {
    const TTrainStructureSV& map =
        *dynamic_cast<const TfrmMap&>(*child->widget()).Map();
    const std::string saved = WriteMap(map);
    TTrainStructureSV reread;
    ReadMap(saved, reread);
    // The reader makes the lines in the order the points name them, which
    // undone deletes may have changed: the same entries, in another order.
    EXPECT_EQ(SortedLines(WriteMap(reread)), SortedLines(saved));
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  std::printf(
      "%d events in %.1f s: %d gestures, %d Escapes during "
      "one, %d keys typed into an entry, %d closes, %d saves, %d dialogs "
      "answered, %d with a way or a run\n",
      events, seconds, Gestures, Escapes, Typed, Closes, Saves, Answers, Shown);
  // Each kind comes at a rate: at about a third of it or less, the run has
  // stopped reaching it, whatever the run's length.
  EXPECT_GT(maxPoints, 10u);
  EXPECT_GT(Gestures, events / 60);
  EXPECT_GT(Escapes, events / 1000);
  EXPECT_GT(Typed, events / 2000);
  EXPECT_GT(Closes, events / 1000);
  EXPECT_GT(Answers, events / 200);
  EXPECT_GT(Shown, events / 1000);
  EXPECT_EQ(Warnings.Messages.join(u'\n').toStdString(), "");
}

}  // namespace

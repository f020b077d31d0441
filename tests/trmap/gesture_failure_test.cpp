#include <QtCore/QTimer>
#include <QtWidgets/QMessageBox>
#include <sstream>

#include "error_box.h"
#include "gesture_fixture.h"

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Ref;

namespace {

// Far enough out that pixels right of the origin lie beyond the largest
// coordinate a point may have, while the origin's own pixel stays at 0.
constexpr double kHugeScale = 1e37;

// Everything a failed gesture must leave as it was.
std::string Dump(const TTrainStructureSV& Map) {
  std::ostringstream out;
  out << "next " << Map.NextId << "\n";
  for (const auto& p : Map.Points) {
    out << "P" << p->Id << " " << p->Pos.X << "," << p->Pos.Y << "," << p->Pos.Z
        << " " << Ref(p->Conn1) << " " << Ref(p->Conn2) << " " << Ref(p->Conn3)
        << "\n";
  }
  const auto line = [&](const TTrLine& l) {
    out << "L" << l.Id << " " << l.P1->Id << "-" << l.P2->Id << " "
        << Ref(l.Next1) << " " << Ref(l.Next2) << " " << Ref(l.Branch1) << " "
        << Ref(l.Branch2) << "\n";
  };
  for (const auto& t : Map.Tracks) line(*t);
  for (const auto& w : Map.Walls) line(*w);
  out << Map.Trains.size() << " trains\n";
  return out.str();
}

class GestureFailureTest : public GestureTest {
 protected:
  void ExpectIdleAfterOneOverflow() {
    EXPECT_FALSE(Window.Building());
    EXPECT_FALSE(Window.MovingPoint());
    EXPECT_FALSE(Window.Panning());
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Errors[0], "Floating point overflow");
    Errors.clear();
  }
};

TEST_F(GestureFailureTest, ABuildFailingAtPressMoveOrReleaseLeavesNoTrace) {
  // A switch-to-be with two lines, a lone end and a point without lines
  // (a wall point, so reused by walls), each a start the failed build
  // reuses, and a new start.
  TTrLine* in = Build(Map, 0, 0, 0, 10);
  BuildFrom(Map, in->P2, 0, 20);
  TTrPoint* lone = Map.NewPoint(0, -10);
  Window.Scale = kHugeScale;

  for (TTrPoint* start :
       std::initializer_list<TTrPoint*>{in->P2, in->P1, lone, nullptr}) {
    const bool reuse = start != nullptr;
    Buttons.Set(TModeButton::spbConn, reuse);
    Buttons.Press(start == lone ? TModeButton::spbBuild : TModeButton::spbLine);
    if (reuse) {
      Window.SelectPoint(start);
    } else {
      Window.SelectLine(in);
    }
    const std::string before = Dump(Map);
    // Fails at once: the click itself is beyond the largest coordinate.
    Press(QPoint(400, 135));
    Release(QPoint(400, 135));
    ExpectIdleAfterOneOverflow();
    EXPECT_EQ(Dump(Map), before);

    for (bool atRelease : {false, true}) {
      Press(QPoint(213, 135));
      ASSERT_TRUE(Window.Building());
      if (!atRelease) MoveTo(QPoint(400, 100));
      Release(QPoint(400, 100));
      ExpectIdleAfterOneOverflow();
      EXPECT_EQ(Dump(Map), before);
      EXPECT_EQ(Window.SelectedPoint(), start);
      ExpectSound();
    }
  }
}

TEST_F(GestureFailureTest, APointDragFailingPutsThePointBackWithItsHeight) {
  TTrLine* line = Build(Map, 0, 0, 0, 10);
  line->P1->Pos.Z = 2.5;
  const std::string before = Dump(Map);
  Window.Scale = kHugeScale;
  Press(QPoint(213, 135), Qt::RightButton);
  Press(QPoint(213, 135));
  ASSERT_TRUE(Window.MovingPoint());
  MoveTo(QPoint(213, 130));
  MoveTo(QPoint(400, 135));
  ExpectIdleAfterOneOverflow();
  EXPECT_EQ(Dump(Map), before);
  // The releases that follow find the window idle.
  Release(QPoint(400, 135), Qt::RightButton);
  Release(QPoint(400, 135));
  EXPECT_EQ(Window.OriginX, 213);
  EXPECT_EQ(Dump(Map), before);

  Press(QPoint(213, 135));
  Release(QPoint(400, 135));
  ExpectIdleAfterOneOverflow();
  EXPECT_EQ(Dump(Map), before);
}

TEST(ErrorBoxTest, ShowsTheMessageWithAPeriodUnderTheProgramsName) {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    text = box->text();
    icon = box->icon();
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    box->accept();
  });
  ShowErrorBox(nullptr, QStringLiteral("Floating point overflow"));
  EXPECT_EQ(caption, "Train Map Editor");
  EXPECT_EQ(text, "Floating point overflow.");
  EXPECT_EQ(icon, QMessageBox::Critical);
}

}  // namespace

#include <QtGui/QAction>
#include <QtWidgets/QLineEdit>

#include "frame_fixture.h"

namespace {

// Settings > Raster: what is typed, with the dialog answered by Answer.
class RasterTest : public FrameTest {
 protected:
  QString Offered;
  void TypeSpacing(const QString& Answer, bool Confirm = true) {
    Frame->AskGridSpacing = [&, Answer, Confirm](QString& Text) {
      Offered = Text;
      Text = Answer;
      return Confirm;
    };
    Frame->mnuRaster->trigger();
  }
};

// A spacing the up-down cannot reach is taken exactly, shown by the usual
// rounding, and the up-down steps on from it.
TEST_F(RasterTest, TypedSpacingIsKeptExactlyAndSteppedOn) {
  TfrmMap* map = Frame->ActiveMap();
  TypeSpacing(" 30 ");
  EXPECT_EQ(Offered, "100");
  EXPECT_EQ(map->GridSpacing, 30.0);
  EXPECT_EQ(Frame->edtRaster->text(), "30");
  ClickUpDown(Qt::RightArrow);
  EXPECT_EQ(map->GridSpacing, 60.0);

  TypeSpacing("0.001");
  EXPECT_EQ(map->GridSpacing, 0.001);
  EXPECT_EQ(Frame->edtRaster->text(), "0");
  TypeSpacing("1e6");
  EXPECT_EQ(map->GridSpacing, 1000000.0);
  TypeSpacing("12.5");
  EXPECT_EQ(Frame->edtRaster->text(), "12");
  TypeSpacing("40", false);
  EXPECT_EQ(Offered, "12.5");
  EXPECT_EQ(map->GridSpacing, 12.5);
  EXPECT_TRUE(Errors.empty());
}

TEST_F(RasterTest, BadSpacingIsRefusedWithAMessageAndChangesNothing) {
  TfrmMap* map = Frame->ActiveMap();
  for (const char* typed : {"", "ten", "0", "0.0009", "1000000.5", "-30", "inf",
                            "nan", "30m", "3,5"}) {
    Errors.clear();
    TypeSpacing(QString::fromLatin1(typed));
    ASSERT_EQ(Errors.size(), 1u) << typed;
    EXPECT_EQ(Errors[0],
              "The grid spacing must be a number of metres from 0.001 to "
              "1000000");
    EXPECT_EQ(map->GridSpacing, 100.0) << typed;
    EXPECT_EQ(Frame->edtRaster->text(), "100");
  }
  // Without a map window nothing is asked.
  CloseAll();
  bool asked = false;
  Frame->AskGridSpacing = [&](QString&) { return asked = true; };
  Frame->mnuRaster->trigger();
  EXPECT_FALSE(asked);
}

// Map > Scale zooms about the centre as a zoom step does, to exactly the
// scale typed; what zooming cannot reach is refused.
TEST_F(FrameTest, ScaleIsTypedAndAppliedAboutTheCentre) {
  TfrmMap* map = Frame->ActiveMap();
  map->resize(427, 271);
  map->OriginX = 100;
  map->OriginY = 50;
  QString typed;
  QString offered;
  map->AskScale = [&](QString& Text) {
    offered = Text;
    Text = typed;
    return true;
  };
  typed = "0.25";
  Frame->mnuScale->trigger();
  EXPECT_EQ(offered, "1");
  EXPECT_EQ(map->Scale, 0.25);
  // As ZoomBy(4) would: (100 - 213) * 4 + 213 and (50 - 135) * 4 + 135.
  EXPECT_EQ(map->OriginX, -239);
  EXPECT_EQ(map->OriginY, -205);
  typed = "0.1";
  Frame->mnuScale->trigger();
  EXPECT_EQ(map->Scale, 0.1);
  EXPECT_TRUE(Errors.empty());

  for (const char* bad : {"0", "-2", "x", "1e-320", "inf"}) {
    typed = QString::fromLatin1(bad);
    Frame->mnuScale->trigger();
    EXPECT_EQ(map->Scale, 0.1) << bad;
  }
  EXPECT_EQ(Errors.size(), 5u);
}

}  // namespace

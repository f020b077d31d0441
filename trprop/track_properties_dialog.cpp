#include "track_properties_dialog.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <cmath>

#include "integer_text.h"

namespace {

// Design sizes in pixels; hidden groups take no room.
constexpr int kClientWidth = 186;
constexpr int kPolesHeight = 81;
constexpr int kStationHeight = 60;
constexpr int kWallHeight = 54;
constexpr int kPanelHeight = 44;

}  // namespace

TfrmTrackPr::TfrmTrackPr(QWidget* Parent)
    : QDialog(Parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  rgrPoles = new QGroupBox(QStringLiteral("Poles"), this);
  PolesItems = new QButtonGroup(this);
  const char* const kItems[] = {"Side", "Middle", "Over"};
  for (int i = 0; i < 3; ++i) {
    auto* item = new QRadioButton(QString::fromLatin1(kItems[i]), rgrPoles);
    item->setGeometry(8, 18 + i * 20, kClientWidth - 16, 18);
    PolesItems->addButton(item, i);
  }
  PolesItems->button(0)->setChecked(true);

  grbStation = new QGroupBox(QStringLiteral("Station"), this);
  cbxPlatform = new QCheckBox(QStringLiteral("Platform"), grbStation);
  cbxPlatform->setGeometry(8, 24, kClientWidth - 16, 20);

  grbWall = new QGroupBox(QStringLiteral("Wall Point"), this);
  auto* heightLabel = new QLabel(QStringLiteral("Height"), grbWall);
  heightLabel->setGeometry(8, 22, 50, 21);
  edtHeight = new QLineEdit(QStringLiteral("3"), grbWall);
  edtHeight->setGeometry(64, 20, 105, 24);

  BottomPanel = new QWidget(this);
  Button1 = new QPushButton(QStringLiteral("&OK"), BottomPanel);
  Button1->setGeometry(8, 9, 80, 27);
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("&Cancel"), BottomPanel);
  Button2->setGeometry(98, 9, 80, 27);
  // Escape and the close box reject the dialog as Cancel does.
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

  setModal(true);
  ArrangeVisibleGroups();
}

void TfrmTrackPr::SetValues(bool IsTrack, int Poles, bool Platform,
                            double Height) {
  rgrPoles->setVisible(IsTrack);
  grbStation->setVisible(IsTrack);
  grbWall->setVisible(!IsTrack);
  if (IsTrack) {
    setWindowTitle(QStringLiteral("Track Properties"));
    // An exclusive group cannot show no item unless briefly non-exclusive.
    PolesItems->setExclusive(false);
    for (QAbstractButton* item : PolesItems->buttons()) {
      item->setChecked(PolesItems->id(item) == Poles);
    }
    PolesItems->setExclusive(true);
    cbxPlatform->setChecked(Platform);
  } else {
    setWindowTitle(QStringLiteral("Point Properties"));
    // The default rounding mode goes to the even neighbour on halves.
    edtHeight->setText(QString::number(std::nearbyint(Height), 'f', 0));
  }
  ArrangeVisibleGroups();
}

void TfrmTrackPr::GetTrackValues(int& Poles, bool& Platform) const {
  Poles = PolesItems->checkedId();
  Platform = cbxPlatform->isChecked();
}

void TfrmTrackPr::GetValues(int& Poles, bool& Platform, double& Height) const {
  GetTrackValues(Poles, Platform);
  Height = StrToInt(edtHeight->text());
}

void TfrmTrackPr::ArrangeVisibleGroups() {
  int top = 0;
  const auto place = [&top](QWidget* Group, int Height) {
    if (Group->isHidden()) return;
    Group->setGeometry(0, top, kClientWidth, Height);
    top += Height;
  };
  place(rgrPoles, kPolesHeight);
  place(grbStation, kStationHeight);
  place(grbWall, kWallHeight);
  place(BottomPanel, kPanelHeight);
  setFixedSize(kClientWidth, top);
}

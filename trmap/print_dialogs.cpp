#include "print_dialogs.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr int kMaxScale = 100000000;

}  // namespace

TPrintExtentDialog::TPrintExtentDialog(QWidget* Parent, const QString& Title,
                                       const TPrintRequest& ARequest,
                                       const TPdfPaper* APaper,
                                       const QPageLayout& APage,
                                       TPagesText APages)
    : QDialog(Parent), Page(APage), Pages(std::move(APages)) {
  setWindowTitle(Title);
  // Not "&Current" nor "&Over": C and O are Cancel's and OK's keys.
  rbnView = new QRadioButton(QStringLiteral("Current &view"), this);
  rbnWholeMap =
      new QRadioButton(QStringLiteral("&Whole map on one page"), this);
  rbnScale = new QRadioButton(QStringLiteral("At &scale 1:"), this);
  edtScale = new QSpinBox(this);
  edtScale->setRange(1, kMaxScale);
  edtScale->setValue(ARequest.Scale);
  auto* extent = new QButtonGroup(this);
  for (QRadioButton* button : {rbnView, rbnWholeMap, rbnScale}) {
    extent->addButton(button);
  }
  (ARequest.Extent == TPrintExtent::View       ? rbnView
   : ARequest.Extent == TPrintExtent::WholeMap ? rbnWholeMap
                                               : rbnScale)
      ->setChecked(true);
  edtScale->setEnabled(rbnScale->isChecked());
  // Choosing a scale goes on to it, ready to be typed over.
  connect(rbnScale, &QRadioButton::toggled, this, [this](bool On) {
    edtScale->setEnabled(On);
    if (!On) return;
    edtScale->setFocus();
    edtScale->selectAll();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(rbnView);
  layout->addWidget(rbnWholeMap);
  auto* scale = new QHBoxLayout;
  scale->addWidget(rbnScale);
  scale->addWidget(edtScale, 1);
  scale->addWidget(
      new QLabel(QStringLiteral("over as many pages as it needs"), this));
  layout->addLayout(scale);

  if (APaper != nullptr) {
    cbxPaper = new QComboBox(this);
    for (const QPageSize::PageSizeId size : kPdfPapers) {
      cbxPaper->addItem(QPageSize::name(size), static_cast<int>(size));
      if (size == APaper->Size)
        cbxPaper->setCurrentIndex(cbxPaper->count() - 1);
    }
    rbnPortrait = new QRadioButton(QStringLiteral("Po&rtrait"), this);
    rbnLandscape = new QRadioButton(QStringLiteral("&Landscape"), this);
    (APaper->Orientation == QPageLayout::Landscape ? rbnLandscape : rbnPortrait)
        ->setChecked(true);
    auto* turn = new QHBoxLayout;
    turn->addWidget(rbnPortrait);
    turn->addWidget(rbnLandscape);
    auto* paper = new QFormLayout;
    auto* label = new QLabel(QStringLiteral("&Paper:"), this);
    label->setBuddy(cbxPaper);
    paper->addRow(label, cbxPaper);
    paper->addRow(QString(), turn);
    layout->addLayout(paper);
    connect(cbxPaper, &QComboBox::currentIndexChanged, this,
            &TPrintExtentDialog::ShowPages);
    connect(rbnLandscape, &QRadioButton::toggled, this,
            &TPrintExtentDialog::ShowPages);
  }
  lblPages = new QLabel(this);
  layout->addWidget(lblPages);
  connect(extent, &QButtonGroup::buttonToggled, this,
          &TPrintExtentDialog::ShowPages);
  connect(edtScale, &QSpinBox::valueChanged, this,
          &TPrintExtentDialog::ShowPages);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  ShowPages();
}

void TPrintExtentDialog::ShowPages() {
  if (Pages) {
    lblPages->setText(
        Pages(Request(), cbxPaper != nullptr ? Paper().Layout() : Page));
  }
}

TPrintRequest TPrintExtentDialog::Request() const {
  const TPrintExtent extent = rbnView->isChecked() ? TPrintExtent::View
                              : rbnWholeMap->isChecked()
                                  ? TPrintExtent::WholeMap
                                  : TPrintExtent::Scale;
  return {extent, edtScale->value()};
}

TPdfPaper TPrintExtentDialog::Paper() const {
  if (cbxPaper == nullptr) return {};
  return {static_cast<QPageSize::PageSizeId>(cbxPaper->currentData().toInt()),
          rbnLandscape->isChecked() ? QPageLayout::Landscape
                                    : QPageLayout::Portrait};
}

TPdfFileDialog::TPdfFileDialog(QWidget* Parent) : QFileDialog(Parent) {
  setOption(QFileDialog::DontUseNativeDialog);
  setWindowTitle(QStringLiteral("Export PDF"));
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setNameFilter(QStringLiteral("PDF document (*.pdf)"));
  setDefaultSuffix(QStringLiteral("pdf"));
}

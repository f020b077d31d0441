#include "export_dialogs.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

namespace {

const QString kPngFilter = QStringLiteral("PNG image (*.png)");
const QString kSvgFilter = QStringLiteral("SVG image (*.svg)");

QString Extension(TPictureFormat Format) {
  return Format == TPictureFormat::Png ? QStringLiteral("png")
                                       : QStringLiteral("svg");
}

constexpr int kMinLongSide = 16;
constexpr int kMaxLongSide = 16384;

}  // namespace

TExportFileDialog::TExportFileDialog(QWidget* Parent) : QFileDialog(Parent) {
  setOption(QFileDialog::DontUseNativeDialog);
  setWindowTitle(QStringLiteral("Export Image"));
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setNameFilters({kPngFilter, kSvgFilter});
  setDefaultSuffix(Extension(TPictureFormat::Png));
  // A name typed without an extension takes the chosen type's.
  connect(this, &QFileDialog::filterSelected, this,
          [this] { setDefaultSuffix(Extension(ChosenFormat())); });
}

TPictureFormat TExportFileDialog::ChosenFormat() const {
  return selectedNameFilter() == kSvgFilter ? TPictureFormat::Svg
                                            : TPictureFormat::Png;
}

std::pair<QString, TPictureFormat> PictureFile(const QString& Name,
                                               TPictureFormat Chosen) {
  if (const auto own = PictureFormatOf(Name.toStdString())) {
    return {Name, *own};
  }
  return {Name + u'.' + Extension(Chosen), Chosen};
}

TExportExtentDialog::TExportExtentDialog(QWidget* Parent, const QSize& ViewSize,
                                         const TExportExtent& AExtent)
    : QDialog(Parent) {
  setWindowTitle(QStringLiteral("Export Extent"));
  // Not "&Current": C is Cancel's key.
  rbnView = new QRadioButton(QStringLiteral("Current &view (%1 x %2 pixels)")
                                 .arg(ViewSize.width())
                                 .arg(ViewSize.height()),
                             this);
  rbnWholeMap = new QRadioButton(QStringLiteral("&Whole map"), this);
  edtLongSide = new QSpinBox(this);
  edtLongSide->setRange(kMinLongSide, kMaxLongSide);
  edtLongSide->setSuffix(QStringLiteral(" pixels"));
  edtLongSide->setValue(AExtent.LongSide);
  (AExtent.WholeMap ? rbnWholeMap : rbnView)->setChecked(true);
  edtLongSide->setEnabled(AExtent.WholeMap);
  // Choosing the whole map goes on to its size, ready to be typed over.
  connect(rbnWholeMap, &QRadioButton::toggled, this, [this](bool Whole) {
    edtLongSide->setEnabled(Whole);
    if (!Whole) return;
    edtLongSide->setFocus();
    edtLongSide->selectAll();
  });

  auto* size = new QFormLayout;
  auto* label = new QLabel(QStringLiteral("&Long side:"), this);
  label->setBuddy(edtLongSide);
  size->addRow(label, edtLongSide);
  size->setContentsMargins(24, 0, 0, 0);
  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(rbnView);
  layout->addWidget(rbnWholeMap);
  layout->addLayout(size);
  layout->addWidget(buttons);
}

TExportExtent TExportExtentDialog::Extent() const {
  return {rbnWholeMap->isChecked(), edtLongSide->value()};
}

#include "background_dialog.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>
#include <cmath>
#include <stdexcept>

#include "busy_cursor.h"
#include "error_box.h"
#include "number_entry.h"

namespace {

constexpr int kPreviewWidth = 320;
constexpr int kPreviewHeight = 200;

double NumberIn(const QLineEdit* Field, const char* What) {
  const std::optional<double> value = TypedNumber(Field->text());
  if (!value) {
    throw std::runtime_error(std::string(What) + " must be a number");
  }
  return *value;
}

}  // namespace

TPicturePreview::TPicturePreview(QWidget* Parent) : QLabel(Parent) {
  setFixedSize(kPreviewWidth, kPreviewHeight);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setFrameShape(QFrame::StyledPanel);
  setCursor(Qt::CrossCursor);
}

void TPicturePreview::Show(const TBackgroundPicture* Picture) {
  if (Picture == nullptr) {
    clear();
    return;
  }
  // The smallest copy that is still larger than the preview, fitted.
  const QImage* source = &Picture->Levels().front();
  for (const QImage& level : Picture->Levels()) {
    if (level.width() < kPreviewWidth && level.height() < kPreviewHeight) break;
    source = &level;
  }
  const QImage shown =
      source->scaled(kPreviewWidth, kPreviewHeight, Qt::KeepAspectRatio,
                     Qt::SmoothTransformation);
  Reduction = double(Picture->Width()) / std::max(1, shown.width());
  setPixmap(QPixmap::fromImage(shown));
}

void TPicturePreview::mousePressEvent(QMouseEvent* Event) {
  if (pixmap().isNull()) return;
  const QPointF at = Event->position();
  Clicked(std::floor(at.x() * Reduction), std::floor(at.y() * Reduction));
}

TfrmBackground::TfrmBackground(QWidget* Parent) : QDialog(Parent) {
  setWindowTitle(QStringLiteral("Background"));
  auto* layout = new QVBoxLayout(this);

  auto* file = new QHBoxLayout;
  edtPicture = new QLineEdit(this);
  btnBrowse = new QPushButton(QStringLiteral("&Browse..."), this);
  auto* pictureLabel = new QLabel(QStringLiteral("&Picture:"), this);
  pictureLabel->setBuddy(edtPicture);
  file->addWidget(pictureLabel);
  file->addWidget(edtPicture, 1);
  file->addWidget(btnBrowse);
  layout->addLayout(file);
  Preview = new TPicturePreview(this);
  layout->addWidget(Preview);

  rbNumbers = new QRadioButton(QStringLiteral("Place by &numbers"), this);
  layout->addWidget(rbNumbers);
  auto* numbers = new QFormLayout;
  edtMetres = new QLineEdit(this);
  edtLeft = new QLineEdit(this);
  edtTop = new QLineEdit(this);
  edtTurn = new QLineEdit(this);
  // The access keys reach every field from the keyboard.
  numbers->addRow(QStringLiteral("&Metres per picture pixel:"), edtMetres);
  numbers->addRow(QStringLiteral("Top-left corner, world &x (m):"), edtLeft);
  numbers->addRow(QStringLiteral("Top-left corner, world &y (m):"), edtTop);
  numbers->addRow(QStringLiteral("&Turned clockwise (degrees):"), edtTurn);
  layout->addLayout(numbers);

  rbReferences = new QRadioButton(
      QStringLiteral("Place by two &reference points (click them on the "
                     "picture, then type where they lie)"),
      this);
  layout->addWidget(rbReferences);
  auto* references = new QGridLayout;
  const char* headings[] = {"Picture column", "Picture row", "World x (m)",
                            "World y (m)"};
  for (int column = 0; column < 4; ++column) {
    references->addWidget(
        new QLabel(QString::fromLatin1(headings[column]), this), 0, column + 1);
  }
  for (int point = 0; point < 2; ++point) {
    references->addWidget(
        new QLabel(QStringLiteral("Point %1").arg(point + 1), this), point + 1,
        0);
    for (int column = 0; column < 4; ++column) {
      edtReference[point][column] = new QLineEdit(this);
      references->addWidget(edtReference[point][column], point + 1, column + 1);
    }
  }
  layout->addLayout(references);

  auto* look = new QHBoxLayout;
  spnOpacity = new QSpinBox(this);
  spnOpacity->setRange(0, 100);
  spnOpacity->setSuffix(QStringLiteral(" %"));
  cbxVisible = new QCheckBox(QStringLiteral("&Show"), this);
  auto* opacityLabel = new QLabel(QStringLiteral("&Opacity:"), this);
  opacityLabel->setBuddy(spnOpacity);
  look->addWidget(opacityLabel);
  look->addWidget(spnOpacity);
  look->addWidget(cbxVisible);
  look->addStretch(1);
  layout->addLayout(look);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  btnRemove = buttons->addButton(QStringLiteral("R&emove"),
                                 QDialogButtonBox::DestructiveRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    Removed = false;
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(btnRemove, &QPushButton::clicked, this, [this] {
    Removed = true;
    accept();
  });
  connect(btnBrowse, &QPushButton::clicked, this, &TfrmBackground::Browse);
  Preview->Clicked = [this](double U, double V) { ReferenceClicked(U, V); };
  AskPictureFile = [this]() -> std::optional<QString> {
    const QString name = QFileDialog::getOpenFileName(
        this, QStringLiteral("Background Picture"), edtPicture->text(),
        BackgroundPictureFilter());
    if (name.isEmpty()) return std::nullopt;
    return name;
  };
}

void TfrmBackground::SetValues(
    const std::optional<TMapBackground>& Background) {
  const TMapBackground shown = Background.value_or(TMapBackground{});
  const TBackgroundSettings& settings = shown.Settings;
  Shown = shown.Picture;
  ShownFile = QFile::decodeName(settings.Picture.c_str());
  Preview->Show(Shown.get());
  edtPicture->setText(ShownFile);
  rbNumbers->setChecked(true);
  edtMetres->setText(EditableNumber(settings.Placement.MetresPerPixel));
  edtLeft->setText(EditableNumber(settings.Placement.Left));
  edtTop->setText(EditableNumber(settings.Placement.Top));
  edtTurn->setText(EditableNumber(settings.Placement.Turn));
  for (auto& point : edtReference) {
    for (QLineEdit* field : point) field->clear();
  }
  NextReference = 0;
  spnOpacity->setValue(static_cast<int>(std::lround(settings.Opacity * 100)));
  cbxVisible->setChecked(settings.Visible);
  btnRemove->setEnabled(Background.has_value());
  Removed = false;
  edtPicture->setFocus();
}

TMapBackground TfrmBackground::Values() const {
  TMapBackground background;
  TBackgroundSettings& settings = background.Settings;
  const QString file = edtPicture->text().trimmed();
  if (file.isEmpty()) throw std::runtime_error("Choose a picture file");
  const QString path = QFileInfo(file).absoluteFilePath();
  settings.Picture = QFile::encodeName(path).toStdString();
  if (rbReferences->isChecked()) {
    TReferencePoint points[2];
    for (int i = 0; i < 2; ++i) {
      const auto* row = edtReference[i];
      points[i] = {NumberIn(row[0], "A picture column"),
                   NumberIn(row[1], "A picture row"),
                   NumberIn(row[2], "A world x"),
                   NumberIn(row[3], "A world y")};
    }
    try {
      settings.Placement = PlacementFromReferences(points[0], points[1]);
    } catch (const std::invalid_argument& Error) {
      throw std::runtime_error(Error.what());
    }
  } else {
    settings.Placement.MetresPerPixel =
        NumberIn(edtMetres, "The metres per picture pixel");
    if (!std::isnormal(settings.Placement.MetresPerPixel) ||
        settings.Placement.MetresPerPixel < 0) {
      throw std::runtime_error(
          "The metres per picture pixel must be a positive number");
    }
    settings.Placement.Left = NumberIn(edtLeft, "The corner's world x");
    settings.Placement.Top = NumberIn(edtTop, "The corner's world y");
    settings.Placement.Turn = NumberIn(edtTurn, "The turn");
  }
  settings.Opacity = spnOpacity->value() / 100.0;
  settings.Visible = cbxVisible->isChecked();
  // A picture shown before is not read again: undo and redo share it.
  if (Shown != nullptr && path == QFileInfo(ShownFile).absoluteFilePath()) {
    background.Picture = Shown;
  } else {
    const TBusyCursor busy;
    background.Picture = LoadBackgroundPicture(path);
  }
  return background;
}

void TfrmBackground::Browse() {
  const std::optional<QString> name = AskPictureFile();
  if (!name) return;
  edtPicture->setText(*name);
  ShowPicture(*name);
}

void TfrmBackground::ShowPicture(const QString& FileName) {
  try {
    const TBusyCursor busy;
    Shown = LoadBackgroundPicture(FileName);
    ShownFile = FileName;
  } catch (const std::runtime_error& Error) {
    Shown.reset();
    ShownFile.clear();
    ShowErrorBox(this, QString::fromStdString(Error.what()));
  }
  Preview->Show(Shown.get());
}

void TfrmBackground::ReferenceClicked(double U, double V) {
  rbReferences->setChecked(true);
  edtReference[NextReference][0]->setText(EditableNumber(U));
  edtReference[NextReference][1]->setText(EditableNumber(V));
  edtReference[NextReference][2]->setFocus();
  NextReference = 1 - NextReference;
}

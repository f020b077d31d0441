#include "map_window.h"

#include <QtCore/QElapsedTimer>
#include <QtGui/QPainter>
#include <QtGui/QResizeEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <utility>

#include "background_dialog.h"
#include "error_box.h"
#include "image_canvas.h"
#include "number_dialog.h"
#include "point_position_dialog.h"
#include "tool_table.h"
#include "track_properties_dialog.h"
#include "train_properties_dialog.h"
#include "typed_entry.h"

namespace {

// The client size the window is laid out with; the view is set up for it,
// before the window is shown maximised.
constexpr int kDesignWidth = 427;
constexpr int kDesignHeight = 271;

}  // namespace

TfrmMap::TfrmMap(QWidget* Parent, std::unique_ptr<TCanvas> ACanvas,
                 std::shared_ptr<TMapDocument> ADocument)
    : QWidget(Parent),
      Document_(ADocument ? std::move(ADocument)
                          : std::make_shared<TMapDocument>()),
      Scroll(*this) {
  // The canvas picture covers every pixel; nothing else needs to erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(kDesignWidth, kDesignHeight);
  Canvas =
      ACanvas ? std::move(ACanvas) : std::make_unique<TImageCanvas>(size());

  Panel1 = new QFrame(this);
  auto* layout = new QHBoxLayout(Panel1);
  CheckBox1 = new QCheckBox(QStringLiteral("LineIn"), Panel1);
  CheckBox2 = new QCheckBox(QStringLiteral("LineOut"), Panel1);
  CheckBox3 = new QCheckBox(QStringLiteral("LineSw"), Panel1);
  layout->addWidget(CheckBox1);
  layout->addWidget(CheckBox2);
  layout->addWidget(CheckBox3);
  Panel1->setVisible(false);
  for (QWidget* control : findChildren<QWidget*>()) {
    control->installEventFilter(this);
  }
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  ShowError = [this](const QString& Message) { ShowErrorBox(this, Message); };
  ShowPropertiesDialog = [](TfrmTrackPr& Dialog) {
    return Dialog.exec() == QDialog::Accepted;
  };
  ShowTrainDialog = [](TTrainProps& Dialog) {
    return Dialog.exec() == QDialog::Accepted;
  };
  AskSaveFileName = [this](QString& Name) { return ExecSaveDialog(Name); };
  ShowBackgroundDialog = [](TfrmBackground& Dialog) {
    return Dialog.exec() == QDialog::Accepted;
  };
  AskScale = [this](QString& Text) {
    return TNumberDialog::Ask(this, QStringLiteral("Scale"),
                              QStringLiteral("&Metres per pixel:"), Text);
  };
  AskRadius = [this](QString& Text) {
    return TNumberDialog::Ask(this, QStringLiteral("Round Corner"),
                              QStringLiteral("&Radius (m):"), Text);
  };
  AskPointPosition = [this](QString& X, QString& Y) {
    return TPointPositionDialog::Ask(this, X, Y);
  };
  AskSaveChanges = [this](const QString& Name) {
    return AskSaveChangesBox(this, Name);
  };
  AskRotation = [this](QString& Text) {
    return TNumberDialog::Ask(this, QStringLiteral("Rotate"),
                              QStringLiteral("&Degrees anticlockwise:"), Text);
  };
  AskExportFile = [this](QString& Name, TPictureFormat& Format) {
    return ExecExportDialog(Name, Format);
  };
  AskExportExtent = [this](TExportExtent& Extent) {
    TExportExtentDialog dialog(this, size(), Extent);
    if (dialog.exec() != QDialog::Accepted) return false;
    Extent = dialog.Extent();
    return true;
  };
  RunClock = [clock = std::make_shared<QElapsedTimer>()] {
    if (!clock->isValid()) clock->start();
    return static_cast<double>(clock->nsecsElapsed()) / 1e9;
  };
  for (const TToolRow& row : ToolRows()) Tools.push_back(row.Make(*this));
  FormCreate();
  Document_->AddView(this);
}

// A gesture under way goes with the window: the document's other windows
// must find its map as it was before the press.
TfrmMap::~TfrmMap() {
  // The entry goes first: losing the focus, it would tell this window,
  // already half gone once the children are deleted.
  if (NumberEntry != nullptr) {
    NumberEntry->Closed = [] {};
    delete NumberEntry;
  }
  if (LeftGestureUnderway() && Document_->Editing()) {
    Document_->RollBackEdit(this);
  }
  Gesture = nullptr;
  Tools.clear();
  Document_->RemoveView(this);
}

void TfrmMap::FormCreate() {
  OriginX = width() / 2;
  OriginY = height() / 2;
  Scale = 1.0;
  GridSpacing = 100.0;
}

QSize TfrmMap::sizeHint() const { return {kDesignWidth, kDesignHeight}; }

void TfrmMap::paintEvent(QPaintEvent*) {
  if (std::exchange(Stale, false)) {
    PictureMoved = false;
    Canvas->Erase(ButtonFace());
    FormPaint();
    StatusChanged();
  }
  QPainter painter(this);
  Canvas->Present(painter);
  if (Way_ != nullptr) PaintWay(painter);
  if (Run != nullptr) PaintRun(painter);
}

void TfrmMap::resizeEvent(QResizeEvent*) {
  const int panelHeight = Panel1->sizeHint().height();
  Panel1->setGeometry(0, height() - panelHeight, width(), panelHeight);
  Canvas->Resize(size());
  PictureMoved = false;
  Canvas->Erase(ButtonFace());
  FormPaint();
}

TColor TfrmMap::ButtonFace() const {
  return palette().color(QPalette::Button).rgb();
}

void TfrmMap::PresentNow() {
  repaint();
  StatusChanged();
}

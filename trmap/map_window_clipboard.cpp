#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <exception>

#include "map_part.h"
#include "map_reader.h"
#include "map_window.h"
#include "map_writer.h"

std::string TfrmMap::SelectedText() const {
  const TTrainStructureSV& map = Document_->Map();
  const std::vector<TTrPoint*> points =
      GroupPoints(map, Document_->Selection().Many);
  if (points.empty()) return {};
  return WriteMap(*CopyPart(map, points));
}

void TfrmMap::CopySelection() {
  if (GestureUnderway()) return;
  const std::string text = SelectedText();
  if (text.empty()) return;
  auto* content = new QMimeData;
  const QByteArray bytes = QByteArray::fromStdString(text);
  content->setData(QString::fromLatin1(kMapMimeType), bytes);
  content->setText(QString::fromUtf8(bytes));
  QGuiApplication::clipboard()->setMimeData(content);
}

void TfrmMap::CutSelection() {
  if (GestureUnderway() || Document_->Selection().Empty()) return;
  CopySelection();
  const TObjectGroup group = Document_->Selection().Many;
  Edit(QStringLiteral("Cut"), [&] {
    Document_->Select({}, this);
    DeleteGroup(Document_->Map(), group);
  });
  Repaint();
}

void TfrmMap::PastePartAs(const QString& Text, const TTrainStructureSV& Part,
                          double DX, double DY) {
  // Identifiers used up or a place too large: the step is taken back and
  // the message goes up. The pasted objects are selected inside the step,
  // so that a redo selects them again.
  Edit(Text, [&] {
    TMapSelection selection;
    selection.Many = PastePart(Document_->Map(), Part, DX, DY);
    Document_->Select(selection, this);
  });
  ShowPointLinks();
  Repaint();
}

void TfrmMap::Paste() {
  if (GestureUnderway()) return;
  const QMimeData* content = QGuiApplication::clipboard()->mimeData();
  if (content == nullptr) return;
  const QString type = QString::fromLatin1(kMapMimeType);
  const QByteArray bytes =
      content->hasFormat(type) ? content->data(type) : content->text().toUtf8();
  TTrainStructureSV part;
  QString failure;
  try {
    ReadMap(std::string_view(bytes.constData(), bytes.size()), part);
  } catch (const std::exception& Error) {
    failure = QString::fromUtf8(Error.what());
  }
  if (part.Points.empty()) {
    ShowError(failure.isEmpty()
                  ? QStringLiteral("The clipboard holds no map to paste")
                  : QStringLiteral("The clipboard holds no map to paste: ") +
                        failure);
    return;
  }
  const std::vector<TTrPoint*> points = [&] {
    std::vector<TTrPoint*> all;
    for (const auto& point : part.Points) all.push_back(point.get());
    return all;
  }();
  const TWorldBox box = PointsBox(points);
  double dx = GridSpacing;
  double dy = -GridSpacing;
  if (MouseAt) {
    dx = ScreenToWorldX(MouseAt->x()) - (box.MinX + box.MaxX) / 2;
    dy = ScreenToWorldY(MouseAt->y()) - (box.MinY + box.MaxY) / 2;
  }
  PastePartAs(QStringLiteral("Paste"), part, dx, dy);
  // What could be read is pasted; the rest is told.
  if (!failure.isEmpty()) {
    ShowError(QStringLiteral("Only a part of the clipboard could be read: ") +
              failure);
  }
}

void TfrmMap::DuplicateSelection() {
  if (GestureUnderway()) return;
  const TTrainStructureSV& map = Document_->Map();
  const std::vector<TTrPoint*> points =
      GroupPoints(map, Document_->Selection().Many);
  if (points.empty()) return;
  const std::unique_ptr<TTrainStructureSV> part = CopyPart(map, points);
  PastePartAs(QStringLiteral("Duplicate"), *part, GridSpacing, -GridSpacing);
}

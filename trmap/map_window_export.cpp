#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtWidgets/QProgressDialog>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>

#include "map_fit.h"
#include "map_window.h"

namespace {

// The progress dialog counts in thousandths.
constexpr int kProgressSteps = 1000;

}  // namespace

bool TfrmMap::ExecExportDialog(QString& Name, TPictureFormat& Format) {
  if (ExportDialog == nullptr) ExportDialog = new TExportFileDialog(this);
  ExportDialog->selectFile(Name);
  if (ExportDialog->exec() != QDialog::Accepted) return false;
  const QString chosen = ExportDialog->selectedFiles().value(0);
  if (chosen.isEmpty()) return false;
  std::tie(Name, Format) = PictureFile(chosen, ExportDialog->ChosenFormat());
  return true;
}

void TfrmMap::ExportImage() {
  if (GestureUnderway()) return;
  // The map's own name with the picture's extension, to start from.
  const QString file = Document_->FileName();
  QString name = file.isEmpty() ? QStringLiteral("map.png")
                                : QFileInfo(file).path() + u'/' +
                                      QFileInfo(file).completeBaseName() +
                                      QStringLiteral(".png");
  TPictureFormat format = TPictureFormat::Png;
  if (!AskExportFile(name, format)) return;
  TExportExtent extent = ExportExtent;
  if (!AskExportExtent(extent)) return;
  ExportExtent = extent;

  const TTrainStructureSV& map = Document_->Map();
  TMapView view =
      extent.WholeMap
          ? FittedView(map, FittedSize(map, extent.LongSide), GridSpacing)
          : View();
  // Drawn as the window draws, simplified or not.
  view.Simplified = View().Simplified;
  // The background picture goes with it as the window shows it: hidden
  // there, left out.
  const TMapSelection& selected = Document_->Selection();
  const std::optional<TMapBackground>& background = Document_->Background();
  const TMapPicture picture{
      map,
      view,
      {selected.Line, selected.Point, selected.Train, &selected.Many},
      ButtonFace(),
      background ? &*background : nullptr};
  // Modal: nothing may change the map while it is drawn.
  QProgressDialog progress(QStringLiteral("Exporting %1...").arg(name),
                           QStringLiteral("Cancel"), 0, kProgressSteps, this);
  progress.setWindowTitle(QStringLiteral("Export Image"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  // The view is painted at once, as the window paints it, whose own
  // picture has that size already: Qt draws a wide line cut at a strip's
  // edge a little differently.
  const qsizetype strip =
      extent.WholeMap
          ? kPngStripBytes
          : std::max(kPngStripBytes, qsizetype{view.Width} * view.Height * 4);
  try {
    SavePicture(
        QFile::encodeName(name).toStdString(), format, picture,
        [&progress](double Done) {
          progress.setValue(
              static_cast<int>(std::lround(Done * kProgressSteps)));
          return !progress.wasCanceled();
        },
        strip);
  } catch (const EPictureCancelled&) {
    // Nothing was written, and nothing needs saying.
  } catch (const std::runtime_error& Error) {
    ShowError(QString::fromStdString(Error.what()));
  }
}

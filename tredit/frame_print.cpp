#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtPrintSupport/QPrintPreviewDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QProgressDialog>
#include <cmath>
#include <stdexcept>

#include "frame_window.h"
#include "map_window.h"

namespace {

// The progress dialog counts in thousandths.
constexpr int kProgressSteps = 1000;

TPrintSource PrintSourceOf(const TfrmMap& Map) {
  const TMapDocument& document = Map.Document();
  const std::optional<TMapBackground>& background = document.Background();
  return {document.Map(), Map.View(), background ? &*background : nullptr,
          document.DocumentName()};
}

// What the extent dialog says of the pages a request takes, or why it
// cannot be printed.
QString PagesText(const TPrintSource& Source, const TPrintRequest& Request,
                  const QPageLayout& Page) {
  try {
    const TPrintLayout layout = LayOutPrint(
        Source, Request, Page.paintRect(QPageLayout::Millimeter).size());
    const QString pages =
        layout.Pages() == 1 ? QStringLiteral("1 page")
                            : QStringLiteral("%1 pages, %2 across and %3 down")
                                  .arg(layout.Pages())
                                  .arg(layout.Columns)
                                  .arg(layout.Rows);
    return QStringLiteral("%1 of %2 %3 at %4")
        .arg(pages, Page.pageSize().name(),
             Page.orientation() == QPageLayout::Landscape
                 ? QStringLiteral("landscape")
                 : QStringLiteral("portrait"),
             ScaleText(layout.ScaleDenominator));
  } catch (const EPrintTooLarge& Error) {
    return QString::fromStdString(Error.what());
  }
}

}  // namespace

void TfrmTrain::CreatePrintItems() {
  const auto pages = [this](const TPrintRequest& Request,
                            const QPageLayout& Page) {
    const TfrmMap* map = ActiveMap();
    return map != nullptr ? PagesText(PrintSourceOf(*map), Request, Page)
                          : QString();
  };
  AskPrintRequest = [this, pages](TPrintRequest& Request,
                                  const QPageLayout& Page) {
    TPrintExtentDialog dialog(this, QStringLiteral("Print"), Request, nullptr,
                              Page, pages);
    if (dialog.exec() != QDialog::Accepted) return false;
    Request = dialog.Request();
    return true;
  };
  AskPdfRequest = [this, pages](TPrintRequest& Request, TPdfPaper& Paper) {
    TPrintExtentDialog dialog(this, QStringLiteral("Export PDF"), Request,
                              &Paper, Paper.Layout(), pages);
    if (dialog.exec() != QDialog::Accepted) return false;
    Request = dialog.Request();
    Paper = dialog.Paper();
    return true;
  };
  AskPdfFileName = [this](QString& Name) {
    TPdfFileDialog dialog(this);
    dialog.selectFile(Name);
    if (dialog.exec() != QDialog::Accepted) return false;
    Name = dialog.selectedFiles().value(0);
    return !Name.isEmpty();
  };
  ShowPrintPreview = [this](QPrinter& Target,
                            const std::function<void(QPrinter&)>& Paint) {
    QPrintPreviewDialog dialog(&Target, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&Paint](QPrinter* Pages) { Paint(*Pages); });
    dialog.exec();
  };
}

void TfrmTrain::mnuPrintClick() {
  OnActiveMap([this](TfrmMap& Map) {
    if (Map.GestureUnderway()) return;
    // One printer for the program keeps what was chosen for it.
    if (Printer == nullptr) {
      Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    TPrintRequest request = PrintRequest;
    if (!AskPrintRequest(request, Printer->pageLayout())) return;
    PrintRequest = request;
    const TPrintSource source = PrintSourceOf(Map);
    Printer->setDocName(source.Title);
    // The preview paints again whenever its paper changes; a paper that
    // cannot take the print is told once.
    bool told = false;
    ShowPrintPreview(*Printer, [&](QPrinter& Target) {
      try {
        const TPrintLayout layout = LayOutPrint(
            source, request,
            Target.pageLayout().paintRect(QPageLayout::Millimeter).size());
        PaintPrint(Target, source, layout, [](double) { return true; });
      } catch (const std::runtime_error& Error) {
        if (!std::exchange(told, true)) {
          ShowError(QString::fromStdString(Error.what()));
        }
      }
    });
  });
}

void TfrmTrain::mnuExportPdfClick() {
  OnActiveMap([this](TfrmMap& Map) {
    if (Map.GestureUnderway()) return;
    // The map's own name with the extension of a PDF, to start from.
    const QFileInfo file(Map.FileName());
    QString name = Map.FileName().isEmpty()
                       ? QStringLiteral("map.pdf")
                       : file.path() + u'/' + file.completeBaseName() +
                             QStringLiteral(".pdf");
    if (!AskPdfFileName(name)) return;
    TPrintRequest request = PrintRequest;
    TPdfPaper paper = PdfPaper;
    if (!AskPdfRequest(request, paper)) return;
    PrintRequest = request;
    PdfPaper = paper;
    // Modal: nothing may change the map while it is drawn.
    QProgressDialog progress(QStringLiteral("Exporting %1...").arg(name),
                             QStringLiteral("Cancel"), 0, kProgressSteps, this);
    progress.setWindowTitle(QStringLiteral("Export PDF"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    try {
      SavePdf(QFile::encodeName(name).toStdString(), PrintSourceOf(Map),
              request, paper.Layout(), [&progress](double Done) {
                progress.setValue(
                    static_cast<int>(std::lround(Done * kProgressSteps)));
                return !progress.wasCanceled();
              });
    } catch (const EPictureCancelled&) {
      // Nothing was written, and nothing needs saying.
    } catch (const std::runtime_error& Error) {
      ShowError(QString::fromStdString(Error.what()));
    }
  });
}

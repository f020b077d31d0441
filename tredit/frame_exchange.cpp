#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <exception>
#include <memory>
#include <string>

#include "busy_cursor.h"
#include "exchange_file_dialogs.h"
#include "frame_window.h"
#include "import_dialog.h"
#include "import_reports_box.h"
#include "map_export.h"
#include "map_import.h"
#include "map_window.h"

namespace {

std::string LocalFileName(const QString& Name) {
  return QFile::encodeName(Name).toStdString();
}

// A message that names its file, as every failure of a file here must.
QString NamingFile(const std::string& File, const std::exception& Error) {
  const std::string message = Error.what();
  return QString::fromStdString(
      message.starts_with(File) ? message : File + ": " + message);
}

}  // namespace

void TfrmTrain::CreateExchangeItems() {
  AskImportFileName = [this] { return ExecImportDialog(); };
  AskImportOptions = [this](TImportOptions& Options) {
    return TImportDialog::Ask(this, Options);
  };
  ShowImportReports = [this](const QString& Name, const QStringList& Reports) {
    ShowImportReportsBox(this, Name, Reports);
  };
  AskExportDataFileName = [this](QString& Name) {
    return ExecExportDataDialog(Name);
  };
}

std::optional<QString> TfrmTrain::ExecImportDialog() {
  if (ImportDialog == nullptr) ImportDialog = new TImportFileDialog(this);
  if (ImportDialog->exec() != QDialog::Accepted) return std::nullopt;
  const QString name = ImportDialog->selectedFiles().value(0);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

bool TfrmTrain::ExecExportDataDialog(QString& Name) {
  if (ExportDataDialog == nullptr) {
    ExportDataDialog = new TExportDataDialog(this);
  }
  ExportDataDialog->selectFile(Name);
  if (ExportDataDialog->exec() != QDialog::Accepted) return false;
  const QString chosen = ExportDataDialog->selectedFiles().value(0);
  if (chosen.isEmpty()) return false;
  Name = ExportDataFile(
      chosen,
      static_cast<TExportDataDialog*>(ExportDataDialog)->ChosenExtension());
  return true;
}

void TfrmTrain::mnuImportClick() {
  Guarded([this] {
    const std::optional<QString> name = AskImportFileName();
    if (!name) return;
    TImportOptions options = ImportOptions;
    if (!AskImportOptions(options)) return;
    ImportOptions = options;
    ImportFile(*name, options);
  });
}

TfrmMap* TfrmTrain::ImportFile(const QString& Name,
                               const TImportOptions& Options) {
  const std::string file = LocalFileName(Name);
  auto map = std::make_unique<TTrainStructureSV>();
  TImportResult result;
  try {
    const TBusyCursor busy;
    result = ImportMap(file, Options, *map);
  } catch (const std::exception& Error) {
    // What was read is thrown away: no window shows half a file.
    ShowError(NamingFile(file, Error));
    return nullptr;
  }
  TfrmMap* window = NewMapWindow();
  window->Document().ShowImported(std::move(map), result.Projection);
  window->ZoomToFit();
  if (!result.Reports.empty()) {
    QStringList reports;
    for (const std::string& report : result.Reports) {
      reports << QString::fromStdString(report);
    }
    ShowImportReports(Name, reports);
  }
  return window;
}

void TfrmTrain::mnuExportDataClick() {
  OnActiveMap([this](TfrmMap& Map) {
    if (Map.GestureUnderway()) return;
    // The map's own name with the data's extension, to start from.
    const QFileInfo file(Map.FileName());
    QString name = Map.FileName().isEmpty()
                       ? QStringLiteral("map.geojson")
                       : file.path() + u'/' + file.completeBaseName() +
                             QStringLiteral(".geojson");
    if (!AskExportDataFileName(name)) return;
    const std::string out = LocalFileName(name);
    try {
      const TBusyCursor busy;
      ExportMap(Map.Document().Map(), Map.Document().Projection(), out);
    } catch (const std::exception& Error) {
      ShowError(NamingFile(out, Error));
    }
  });
}

#pragma once

#include <QtWidgets/QFileDialog>

// The file dialogs of railway data in and out. Qt's own dialogs, as the
// map's, so that they behave the same on every desktop.

// File > Import: an existing file of OpenStreetMap XML or PBF, Overpass
// JSON or GeoJSON.
class TImportFileDialog : public QFileDialog {
 public:
  explicit TImportFileDialog(QWidget* Parent);
};

// File > Export Data: "GeoJSON (*.geojson)" or "DXF (*.dxf)", asking
// before it replaces a file.
class TExportDataDialog : public QFileDialog {
 public:
  explicit TExportDataDialog(QWidget* Parent);
  // The extension of the type chosen, "geojson" or "dxf".
  QString ChosenExtension() const;
};

// The name data is exported under: Name when it ends in an extension an
// export writes, else Name with Extension added.
QString ExportDataFile(const QString& Name, const QString& Extension);

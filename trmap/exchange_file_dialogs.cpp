#include "exchange_file_dialogs.h"

namespace {

const QString kGeoJsonFilter = QStringLiteral("GeoJSON (*.geojson)");
const QString kDxfFilter = QStringLiteral("DXF (*.dxf)");

}  // namespace

TImportFileDialog::TImportFileDialog(QWidget* Parent) : QFileDialog(Parent) {
  setOption(QFileDialog::DontUseNativeDialog);
  setWindowTitle(QStringLiteral("Import"));
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::ExistingFile);
  setNameFilters(
      {QStringLiteral("Railway data (*.osm *.osm.pbf *.json *.geojson)"),
       QStringLiteral("OpenStreetMap XML (*.osm)"),
       QStringLiteral("OpenStreetMap PBF (*.osm.pbf)"),
       QStringLiteral("Overpass JSON (*.json)"),
       QStringLiteral("GeoJSON (*.geojson)"), QStringLiteral("All files (*)")});
}

TExportDataDialog::TExportDataDialog(QWidget* Parent) : QFileDialog(Parent) {
  setOption(QFileDialog::DontUseNativeDialog);
  setWindowTitle(QStringLiteral("Export Data"));
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setNameFilters({kGeoJsonFilter, kDxfFilter});
  setDefaultSuffix(ChosenExtension());
  // A name typed without an extension takes the chosen type's.
  connect(this, &QFileDialog::filterSelected, this,
          [this] { setDefaultSuffix(ChosenExtension()); });
}

QString TExportDataDialog::ChosenExtension() const {
  return selectedNameFilter() == kDxfFilter ? QStringLiteral("dxf")
                                            : QStringLiteral("geojson");
}

QString ExportDataFile(const QString& Name, const QString& Extension) {
  for (const char* known : {".geojson", ".json", ".dxf"}) {
    if (Name.endsWith(QLatin1String(known), Qt::CaseInsensitive)) return Name;
  }
  return Name + u'.' + Extension;
}

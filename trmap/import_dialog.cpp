#include "import_dialog.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QVBoxLayout>

namespace {

// The railway=* kinds most asked for, each with its box's caption.
constexpr std::pair<const char*, const char*> kCommonKinds[] = {
    {"rail", "&Rail"},
    {"light_rail", "&Light rail"},
    {"tram", "&Tram"},
    {"subway", "S&ubway"},
    {"narrow_gauge", "&Narrow gauge"},
    {"monorail", "&Monorail"},
    {"funicular", "&Funicular"},
};

}  // namespace

TImportDialog::TImportDialog(QWidget* Parent, const TImportOptions& Options)
    : QDialog(Parent) {
  setWindowTitle(QStringLiteral("Import"));
  auto* layout = new QVBoxLayout(this);

  auto* railways = new QGroupBox(QStringLiteral("Railways as track"), this);
  auto* grid = new QGridLayout(railways);
  std::set<std::string> others = Options.Railways;
  for (const auto& [kind, caption] : kCommonKinds) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), railways);
    box->setChecked(others.erase(kind) > 0);
    const int index = static_cast<int>(cbxKinds.size());
    grid->addWidget(box, index / 2, index % 2);
    cbxKinds.emplace_back(box, QString::fromLatin1(kind));
  }
  QString otherText;
  for (const std::string& kind : others) {
    if (!otherText.isEmpty()) otherText += QStringLiteral(", ");
    otherText += QString::fromStdString(kind);
  }
  edtOtherKinds = new QLineEdit(otherText, railways);
  edtOtherKinds->setPlaceholderText(
      QStringLiteral("railway=* values, by commas"));
  auto* others_row = new QFormLayout;
  others_row->addRow(QStringLiteral("Ot&her kinds:"), edtOtherKinds);
  grid->addLayout(others_row, grid->rowCount(), 0, 1, 2);
  layout->addWidget(railways);

  cbxBuildings = new QCheckBox(QStringLiteral("&Buildings as walls"), this);
  cbxBuildings->setChecked(Options.Buildings);
  layout->addWidget(cbxBuildings);

  auto* form = new QFormLayout;
  edtCrs =
      new QLineEdit(QString::fromStdString(Options.Crs.value_or("")), this);
  edtCrs->setPlaceholderText(
      QStringLiteral("none: transverse Mercator on the data"));
  form->addRow(QStringLiteral("&Projected system:"), edtCrs);
  edtOrigin = new QLineEdit(this);
  if (Options.Origin) {
    edtOrigin->setText(QStringLiteral("%1, %2")
                           .arg(Options.Origin->first, 0, 'g', 17)
                           .arg(Options.Origin->second, 0, 'g', 17));
  }
  edtOrigin->setPlaceholderText(QStringLiteral("the centre of the data"));
  form->addRow(QStringLiteral("Or&igin (x, y in m):"), edtOrigin);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::optional<TImportOptions> TImportDialog::Options(QString& Problem) const {
  TImportOptions options;
  options.Railways =
      ParseRailwayKinds(edtOtherKinds->text().trimmed().toStdString());
  for (const auto& [box, kind] : cbxKinds) {
    if (box->isChecked()) options.Railways.insert(kind.toStdString());
  }
  if (options.Railways.empty()) {
    Problem = QStringLiteral("Choose at least one kind of railway.");
    return std::nullopt;
  }
  options.Buildings = cbxBuildings->isChecked();
  const QString crs = edtCrs->text().trimmed();
  if (!crs.isEmpty()) options.Crs = crs.toStdString();
  const QString origin = edtOrigin->text().trimmed();
  if (!origin.isEmpty()) {
    options.Origin = ParseOrigin(origin.toStdString());
    if (!options.Origin) {
      Problem = QStringLiteral(
          "The origin is two numbers of metres with a comma between them.");
      return std::nullopt;
    }
  }
  return options;
}

void TImportDialog::accept() {
  QString problem;
  if (!Options(problem)) {
    QMessageBox::warning(this, windowTitle(), problem);
    return;
  }
  QDialog::accept();
}

bool TImportDialog::Ask(QWidget* Parent, TImportOptions& Options) {
  TImportDialog dialog(Parent, Options);
  if (dialog.exec() != QDialog::Accepted) return false;
  QString problem;
  const std::optional<TImportOptions> chosen = dialog.Options(problem);
  if (!chosen) return false;
  Options = *chosen;
  return true;
}

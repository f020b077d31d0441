#pragma once

#include <QtWidgets/QDialog>
#include <utility>
#include <vector>

#include "import_options.h"

class QCheckBox;
class QLineEdit;

// What File > Import takes from its file, as trntool import's options say
// it: the railway kinds that become track (the common ones to tick, any
// other typed by commas), buildings as walls, a projected system or none,
// and the map's origin or the data's centre.
class TImportDialog : public QDialog {
 public:
  TImportDialog(QWidget* Parent, const TImportOptions& Options);

  // Each common kind's box, with the railway=* value it stands for.
  std::vector<std::pair<QCheckBox*, QString>> cbxKinds;
  QLineEdit* edtOtherKinds;
  QCheckBox* cbxBuildings;
  QLineEdit* edtCrs;
  QLineEdit* edtOrigin;

  // What the controls say; none (with Problem set) when they say nothing
  // an import can take: no kind, or an origin that is no "X, Y".
  std::optional<TImportOptions> Options(QString& Problem) const;

  // Shows the dialog on Options; on OK they are what it says.
  static bool Ask(QWidget* Parent, TImportOptions& Options);

  // OK keeps the dialog open while it says nothing an import can take.
  void accept() override;
};

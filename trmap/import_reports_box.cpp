#include "import_reports_box.h"

#include <QtWidgets/QMessageBox>

namespace {

// More lines than this make a box taller than a screen.
constexpr qsizetype kShownReports = 12;

}  // namespace

void ShowImportReportsBox(QWidget* Parent, const QString& Name,
                          const QStringList& Reports) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Import"),
                  QStringLiteral("The import of %1 found:").arg(Name),
                  QMessageBox::Ok, Parent);
  QString shown = Reports.mid(0, kShownReports).join(u'\n');
  if (Reports.size() > kShownReports) {
    shown += QStringLiteral("\n... and %1 more, listed in the details.")
                 .arg(Reports.size() - kShownReports);
    box.setDetailedText(Reports.join(u'\n'));
  }
  box.setInformativeText(shown);
  box.exec();
}

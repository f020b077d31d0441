#include "error_box.h"

#include <QtWidgets/QMessageBox>

void ShowErrorBox(QWidget* Parent, const QString& Message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Train Map Editor"),
                  Message + QLatin1Char('.'), QMessageBox::Ok, Parent);
  box.exec();
}

#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>

class QWidget;

// Tells what the import of the file Name found that may need a look
// (crossings, gaps, what was dropped), in a modal message box: the first
// few in its text, every one in its details.
void ShowImportReportsBox(QWidget* Parent, const QString& Name,
                          const QStringList& Reports);

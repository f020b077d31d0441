#pragma once

#include <QtCore/QString>

class QWidget;

// Shows a failure to the user: a modal error box captioned with the program's
// name, the message followed by a period, and an OK button.
void ShowErrorBox(QWidget* Parent, const QString& Message);

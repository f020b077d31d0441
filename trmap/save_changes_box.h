#pragma once

#include <QtCore/QString>

class QWidget;

// The answers to "Save changes to NAME?".
enum class TSaveChanges { Save, Discard, Cancel };

// Asks in a modal message box, captioned with the program's name, whether
// to save the changes to the map named Name before its window closes.
TSaveChanges AskSaveChangesBox(QWidget* Parent, const QString& Name);

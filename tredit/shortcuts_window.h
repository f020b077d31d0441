#pragma once

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtWidgets/QDialog>

class QTreeWidget;

// One command with keys: where it is ("Edit > Redo") and its keys
// ("Ctrl+Y, Ctrl+Shift+Z").
struct TShortcutRow {
  QString Command;
  QString Keys;
  bool operator==(const TShortcutRow&) const = default;
};

// Every action of Window that has keys, read from the actions as they are
// now: those of its menu bar in the menus' order, under their menus, then
// any other action it holds.
QList<TShortcutRow> ShortcutRows(const QWidget& Window);

// The window of Help > Keyboard Shortcuts: the rows, a command and its keys
// a line.
class TShortcutsWindow : public QDialog {
 public:
  TShortcutsWindow(QWidget* Parent, const QList<TShortcutRow>& Rows);
  QTreeWidget* lstShortcuts;
};

#include "shortcuts_window.h"

#include <QtCore/QSet>
#include <QtGui/QAction>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>

namespace {

// A caption as it reads: without the marks of access keys.
QString Plain(QString Caption) {
  Caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  Caption.remove(u'&');
  Caption.replace(u'\x01', u'&');
  return Caption;
}

QString KeysOf(const QAction& Action) {
  QStringList keys;
  for (const QKeySequence& key : Action.shortcuts()) {
    keys << key.toString(QKeySequence::NativeText);
  }
  return keys.join(QStringLiteral(", "));
}

void AddMenu(const QMenu& Menu, const QString& Path, QList<TShortcutRow>& Rows,
             QSet<const QAction*>& Seen) {
  for (const QAction* action : Menu.actions()) {
    Seen.insert(action);
    if (action->isSeparator()) continue;
    const QString command =
        Path + QStringLiteral(" > ") + Plain(action->text());
    if (action->menu() != nullptr) {
      AddMenu(*action->menu(), command, Rows, Seen);
    } else if (!action->shortcuts().isEmpty()) {
      Rows.push_back({command, KeysOf(*action)});
    }
  }
}

}  // namespace

QList<TShortcutRow> ShortcutRows(const QWidget& Window) {
  QList<TShortcutRow> rows;
  QSet<const QAction*> seen;
  if (const auto* main = qobject_cast<const QMainWindow*>(&Window)) {
    for (const QAction* top : main->menuBar()->actions()) {
      if (top->menu() != nullptr) {
        AddMenu(*top->menu(), Plain(top->text()), rows, seen);
      }
    }
  }
  // Actions outside the menu bar, such as those of a map window's own
  // menu; not those of dialogs, which are windows of their own.
  for (const QAction* action : Window.findChildren<QAction*>()) {
    if (seen.contains(action) || action->shortcuts().isEmpty() ||
        action->text().isEmpty()) {
      continue;
    }
    const auto* owner = qobject_cast<const QWidget*>(action->parent());
    if (owner == nullptr || owner->window() != &Window) continue;
    const QString command = Plain(action->text());
    rows.push_back({qobject_cast<const QMdiSubWindow*>(owner) != nullptr
                        ? QStringLiteral("Map window > ") + command
                        : command,
                    KeysOf(*action)});
  }
  return rows;
}

TShortcutsWindow::TShortcutsWindow(QWidget* Parent,
                                   const QList<TShortcutRow>& Rows)
    : QDialog(Parent) {
  setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
  lstShortcuts = new QTreeWidget(this);
  lstShortcuts->setHeaderLabels(
      {QStringLiteral("Command"), QStringLiteral("Keys")});
  lstShortcuts->setRootIsDecorated(false);
  for (const TShortcutRow& row : Rows) {
    lstShortcuts->addTopLevelItem(new QTreeWidgetItem({row.Command, row.Keys}));
  }
  lstShortcuts->resizeColumnToContents(0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lstShortcuts);
  layout->addWidget(buttons);
  resize(480, 420);
}

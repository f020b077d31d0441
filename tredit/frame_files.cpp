#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtCore/QSettings>
#include <QtGui/QAction>
#include <QtGui/QDragEnterEvent>
#include <QtGui/QDropEvent>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>

#include "frame_window.h"
#include "map_window.h"

namespace {

constexpr qsizetype kRecentFiles = 8;
const QString kRecentKey = QStringLiteral("RecentFiles");
const QString kPlaceKey = QStringLiteral("FrameGeometry");

// The map files among what is dragged over the frame.
QStringList MapFilesIn(const QMimeData& Data) {
  QStringList names;
  for (const QUrl& url : Data.urls()) {
    const QString name = url.toLocalFile();
    if (name.endsWith(QStringLiteral(".TRN"), Qt::CaseInsensitive)) {
      names << name;
    }
  }
  return names;
}

}  // namespace

void TfrmTrain::UseSettings(const QString& File) {
  Settings = std::make_unique<QSettings>(File, QSettings::IniFormat);
  mnuSnapToGrid->setChecked(Settings->value(kSnapToGridKey, false).toBool());
  mnuSimplify->setChecked(Settings->value(kSimplifyKey, false).toBool());
}

void TfrmTrain::RestoreFramePlace() {
  if (Settings == nullptr) return;
  restoreGeometry(Settings->value(kPlaceKey).toByteArray());
}

void TfrmTrain::RememberFramePlace() {
  if (Settings == nullptr) return;
  Settings->setValue(kPlaceKey, saveGeometry());
  Settings->sync();
}

// The window is made before the file is read, so a file that fails to
// open leaves a window named after it.
void TfrmTrain::OpenFile(const QString& Name) {
  Guarded([this, &Name] { NewMapWindow()->OpenMap(Name); });
}

QStringList TfrmTrain::RecentFiles() const {
  if (Settings == nullptr) return {};
  return Settings->value(kRecentKey).toStringList();
}

void TfrmTrain::SetRecentFiles(const QStringList& Names) {
  if (Settings == nullptr) return;
  Settings->setValue(kRecentKey, Names.mid(0, kRecentFiles));
  Settings->sync();
}

void TfrmTrain::RememberFile(const QString& Name) {
  const QString path = QFileInfo(Name).absoluteFilePath();
  QStringList names = RecentFiles();
  names.removeAll(path);
  names.prepend(path);
  SetRecentFiles(names);
}

void TfrmTrain::FillRecentMenu() {
  mnuRecent->clear();
  const QStringList names = RecentFiles();
  for (qsizetype i = 0; i < names.size(); ++i) {
    const QString& name = names[i];
    QAction* item =
        mnuRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    connect(item, &QAction::triggered, this,
            [this, name] { OpenRecentFile(name); });
  }
  if (names.isEmpty())
    mnuRecent->addAction(QStringLiteral("(none)"))->setEnabled(false);
}

void TfrmTrain::OpenRecentFile(const QString& Name) {
  if (!QFileInfo::exists(Name)) {
    QStringList names = RecentFiles();
    names.removeAll(Name);
    SetRecentFiles(names);
    ShowError(QStringLiteral("%1 is no longer there and is taken off the "
                             "recent files")
                  .arg(Name));
    return;
  }
  OpenFile(Name);
}

void TfrmTrain::mnuCloseClick() {
  TfrmMap* const map = ActiveMap();
  // The window's own question comes first; Cancel keeps it.
  for (QMdiSubWindow* child : MdiArea->subWindowList()) {
    if (child->widget() == map) child->close();
  }
}

void TfrmTrain::dragEnterEvent(QDragEnterEvent* Event) {
  if (!MapFilesIn(*Event->mimeData()).isEmpty()) Event->acceptProposedAction();
}

void TfrmTrain::dropEvent(QDropEvent* Event) {
  const QStringList names = MapFilesIn(*Event->mimeData());
  if (names.isEmpty()) return;
  Event->acceptProposedAction();
  for (const QString& name : names) OpenFile(name);
}

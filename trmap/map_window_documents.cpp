#include <QtCore/QFile>
#include <QtGui/QCloseEvent>
#include <QtGui/QUndoStack>
#include <stdexcept>

#include "busy_cursor.h"
#include "map_file_dialogs.h"
#include "map_window.h"
#include "recovery_store.h"

namespace {

const QString kCaption = QStringLiteral("Train Map");

std::string LocalFileName(const QString& Name) {
  return QFile::encodeName(Name).toStdString();
}

}  // namespace

void TfrmMap::SetFileName(const QString& Name) {
  FileName = Name;
  // Qt shows "[*]" as "*" while the window is marked modified.
  const QString caption = Name.isEmpty() ? kCaption : kCaption + u' ' + Name;
  setWindowTitle(caption + QStringLiteral("[*]"));
}

QString TfrmMap::DocumentName() const {
  return FileName.isEmpty() ? kCaption : FileName;
}

bool TfrmMap::Modified() const { return !UndoStack->isClean(); }

void TfrmMap::ReplaceMap(std::unique_ptr<TTrainStructureSV> NewMap) {
  // Drop what the window held, and every pointer into it, first.
  AbandonKeep();
  SelectedLine = nullptr;
  SelectedPoint = nullptr;
  SelectedTrain = nullptr;
  Building = MovingPoint = Panning = false;
  DragPoint = nullptr;
  BuildLine = nullptr;
  // The old history names the old map; the new one starts clean.
  UndoStack->clear();
  UndoStack->setClean();
  TakeMap(std::move(NewMap));
  Background.reset();
}

void TfrmMap::TakeMap(std::unique_ptr<TTrainStructureSV> NewMap) {
  if (Map) Map->RemoveObserver(this);
  Map = std::move(NewMap);
  Map->AddObserver(this);
}

void TfrmMap::OpenMap(const QString& AFileName) {
  SetFileName(AFileName);
  // Loading needs an empty map.
  ReplaceMap(std::make_unique<TTrainStructureSV>());
  try {
    // A large map takes a while: the busy cursor says so until the map and
    // the index its first paint needs are ready, and is gone before any
    // message.
    const TBusyCursor busy;
    Map->LoadFromFile(LocalFileName(AFileName), *Files);
    Map->SpatialIndex();
    FileUsed(AFileName);
  } catch (const std::runtime_error& Error) {
    // What was read before the failure stays and is shown.
    ShowError(QString::fromStdString(Error.what()));
  }
  // The map opens whatever becomes of its background.
  ReadBackground(AFileName);
  Repaint();
}

void TfrmMap::SaveMap(bool AlwaysAsk) {
  QString name = FileName;
  if (AlwaysAsk || FileName.isEmpty()) {
    if (!AskSaveFileName(name)) return;
  }
  SetFileName(name);
  try {
    Map->SaveToFile(LocalFileName(name));
    // Saved only when the background is saved too.
    WriteBackground(name);
    UndoStack->setClean();
    FileUsed(name);
  } catch (const std::runtime_error& Error) {
    ShowError(QString::fromStdString(Error.what()));
  }
}

bool TfrmMap::ExecSaveDialog(QString& Name) {
  if (SaveDialog1 == nullptr) SaveDialog1 = new TMapSaveDialog(this);
  SaveDialog1->selectFile(Name);
  if (SaveDialog1->exec() != QDialog::Accepted) return false;
  Name = SaveDialog1->selectedFiles().value(0);
  return !Name.isEmpty();
}

void TfrmMap::closeEvent(QCloseEvent* Event) {
  if (Modified()) {
    switch (AskSaveChanges(DocumentName())) {
      case TSaveChanges::Save:
        // A failed or cancelled save keeps the window and its changes.
        SaveMap(false);
        if (Modified()) {
          Event->ignore();
          return;
        }
        break;
      case TSaveChanges::Discard:
        break;
      case TSaveChanges::Cancel:
        Event->ignore();
        return;
    }
  }
  // Saved or discarded: nothing of the window is kept for recovery.
  if (Recovery != nullptr) Recovery->Drop(RecoveryEntry);
  Event->accept();
}

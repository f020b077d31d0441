#include <QtCore/QFile>
#include <QtGui/QUndoStack>
#include <stdexcept>

#include "map_file_dialogs.h"
#include "map_window.h"

namespace {

const QString kCaption = QStringLiteral("Train Map");

std::string LocalFileName(const QString& Name) {
  return QFile::encodeName(Name).toStdString();
}

}  // namespace

void TfrmMap::SetFileName(const QString& Name) {
  FileName = Name;
  setWindowTitle(Name.isEmpty() ? kCaption : kCaption + u' ' + Name);
}

void TfrmMap::OpenMap(const QString& AFileName) {
  SetFileName(AFileName);
  // Loading needs an empty map; drop what the window held, and every
  // pointer into it, first.
  SelectedLine = nullptr;
  SelectedPoint = nullptr;
  SelectedTrain = nullptr;
  Building = MovingPoint = Panning = false;
  DragPoint = nullptr;
  BuildLine = nullptr;
  // A loaded map starts a new history; the old one names the old map.
  UndoStack->clear();
  Map = std::make_unique<TTrainStructureSV>();
  try {
    Map->LoadFromFile(LocalFileName(AFileName));
  } catch (const std::runtime_error& Error) {
    // What was read before the failure stays and is shown.
    ShowError(QString::fromStdString(Error.what()));
  }
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
    UndoStack->setClean();
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

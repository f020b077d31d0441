#include <QtCore/QFile>
#include <QtGui/QUndoStack>
#include <stdexcept>

#include "busy_cursor.h"
#include "map_document.h"

namespace {

const QString kUntitled = QStringLiteral("Train Map");

std::string LocalFileName(const QString& Name) {
  return QFile::encodeName(Name).toStdString();
}

}  // namespace

void TMapDocument::SetFileName(const QString& Name) {
  FileName_ = Name;
  TellState();
}

QString TMapDocument::DocumentName() const {
  return FileName_.isEmpty() ? kUntitled : FileName_;
}

TMapDocument::TFileResult TMapDocument::Open(const QString& Name) {
  SetFileName(Name);
  // Loading needs an empty map.
  ReplaceMap(std::make_unique<TTrainStructureSV>());
  TFileResult result;
  try {
    // A large map takes a while: the busy cursor says so until the map and
    // the index its first paint needs are ready, and is gone before any
    // message.
    const TBusyCursor busy;
    Map_->LoadFromFile(LocalFileName(Name), *Files);
    Map_->SpatialIndex();
    result.Done = true;
  } catch (const std::runtime_error& Error) {
    // What was read before the failure stays and is shown.
    result.Errors << QString::fromStdString(Error.what());
  }
  // The map opens whatever becomes of its background.
  std::optional<TBackgroundSettings> settings;
  try {
    settings = LoadBackgroundSettings(LocalFileName(Name), *Files);
  } catch (const std::runtime_error& Error) {
    result.Errors << QString::fromStdString(Error.what());
  }
  result.Errors << UseBackground(settings);
  return result;
}

TMapDocument::TFileResult TMapDocument::Save(const QString& Name) {
  SetFileName(Name);
  TFileResult result;
  try {
    Map_->SaveToFile(LocalFileName(Name));
    // Saved only when the background is saved too.
    SaveBackgroundSettings(
        LocalFileName(Name),
        Background_ ? std::optional(Background_->Settings) : std::nullopt);
    UndoStack_->setClean();
    result.Done = true;
  } catch (const std::runtime_error& Error) {
    result.Errors << QString::fromStdString(Error.what());
  }
  return result;
}

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
  // The map opens whatever becomes of its background and projection.
  std::optional<TBackgroundSettings> settings;
  try {
    settings = LoadBackgroundSettings(LocalFileName(Name), *Files);
  } catch (const std::runtime_error& Error) {
    result.Errors << QString::fromStdString(Error.what());
  }
  result.Errors << UseBackground(settings);
  try {
    Projection_ = LoadProjectionSettings(LocalFileName(Name), *Files);
  } catch (const std::runtime_error& Error) {
    result.Errors << QString::fromStdString(Error.what());
  }
  return result;
}

TMapDocument::TFileResult TMapDocument::Save(const QString& Name) {
  SetFileName(Name);
  TFileResult result;
  try {
    Map_->SaveToFile(LocalFileName(Name));
    // Saved only when the background and the projection are saved too.
    SaveBackgroundSettings(
        LocalFileName(Name),
        Background_ ? std::optional(Background_->Settings) : std::nullopt);
    SaveProjectionSettings(LocalFileName(Name), Projection_);
    UndoStack_->setClean();
    result.Done = true;
  } catch (const std::runtime_error& Error) {
    result.Errors << QString::fromStdString(Error.what());
  }
  return result;
}

void TMapDocument::ShowImported(std::unique_ptr<TTrainStructureSV> Imported,
                                std::optional<TProjectionSettings> Projection) {
  SetFileName({});
  ReplaceMap(std::move(Imported));
  Projection_ = std::move(Projection);
  {
    const TBusyCursor busy;
    Map_->SpatialIndex();
  }
  // Unsaved, with no step to take back: nothing of it is on disk yet.
  UndoStack_->resetClean();
  KeepSoon();
}

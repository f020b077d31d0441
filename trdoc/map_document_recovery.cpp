#include <QtCore/QFile>
#include <QtCore/QTimer>
#include <QtGui/QUndoStack>

#include "map_document.h"
#include "map_rows.h"
#include "recovery_entry.h"
#include "recovery_store.h"

namespace {

// Keeping holds the document up only for moments (see the recovery
// benchmark), so it can follow changes closely: a crash loses at most the
// last few seconds.
constexpr int kRecoveryDelayMs = 2000;
constexpr int kRecoveryDeadlineMs = 20000;
// The blocks of rows taken between two events: a few milliseconds' worth
// on the largest maps.
constexpr size_t kBlocksPerStep = 8;

}  // namespace

void TMapDocument::SetUpRecovery() {
  RecoveryDelay = std::make_unique<QTimer>();
  RecoveryDeadline = std::make_unique<QTimer>();
  RecoveryStep = std::make_unique<QTimer>();
  for (QTimer* timer :
       {RecoveryDelay.get(), RecoveryDeadline.get(), RecoveryStep.get()}) {
    timer->setSingleShot(true);
  }
  QObject::connect(RecoveryDelay.get(), &QTimer::timeout,
                   [this] { StartKeep(); });
  QObject::connect(RecoveryDeadline.get(), &QTimer::timeout, [this] {
    RecoveryOverdue = true;
    StartKeep();
  });
  QObject::connect(RecoveryStep.get(), &QTimer::timeout,
                   [this] { KeepStep(); });
  SetRecoveryDelays(kRecoveryDelayMs, kRecoveryDeadlineMs);
  QObject::connect(UndoStack_.get(), &QUndoStack::indexChanged,
                   [this] { HistoryIndexChanged(); });
  QObject::connect(UndoStack_.get(), &QUndoStack::cleanChanged,
                   [this](bool Clean) { CleanChanged(Clean); });
}

void TMapDocument::SetRecoveryDelays(int Delay, int Deadline) {
  RecoveryDelay->setInterval(Delay);
  RecoveryDeadline->setInterval(Deadline);
}

void TMapDocument::HistoryIndexChanged() {
  ShowsUnreadRecovery = false;
  if (Modified()) KeepSoon();
}

void TMapDocument::KeepSoon() {
  RecoveryDelay->start();
  if (RecoveryDeadline->isActive()) return;
  RecoveryDeadline->start();
  // Rows of the map's size are made ready before they are needed, so that
  // taking them costs no fresh memory.
  if (Recovery != nullptr) {
    Recovery->PrepareRows(Map_->Points.size(), Map_->Tracks.size());
  }
}

void TMapDocument::CleanChanged(bool Clean) {
  TellState();
  if (!Clean) return;
  // Saved, or back at the saved state: there is nothing to recover.
  StopKeeping();
  ShowsUnreadRecovery = false;
  if (Recovery != nullptr) Recovery->Drop(RecoveryEntry);
}

void TMapDocument::DropRecovery() {
  StopKeeping();
  if (Recovery != nullptr) Recovery->Drop(RecoveryEntry);
}

bool TMapDocument::NeedsKeeping() const {
  return Recovery != nullptr && Modified() && !ShowsUnreadRecovery;
}

void TMapDocument::StartKeep() {
  if (!NeedsKeeping() || RecoveryCopy != nullptr) return;
  RecoveryRows = Recovery->FreeRows();
  RecoveryCopy = std::make_unique<TRowsCopy>(*Map_, *RecoveryRows);
  RecoveryRevision = Map_->Revision();
  RecoveryStep->start();
}

void TMapDocument::KeepStep() {
  if (Map_->Revision() != RecoveryRevision) {
    // The map changed under the copy. Once overdue, it is taken at once;
    // otherwise again after a pause.
    AbandonKeep();
    if (RecoveryOverdue) {
      KeepForRecovery();
    } else {
      RecoveryDelay->start();
    }
    return;
  }
  if (RecoveryCopy->Step(kBlocksPerStep)) {
    HandRowsOver();
  } else {
    RecoveryStep->start();
  }
}

void TMapDocument::KeepForRecovery() {
  if (!NeedsKeeping()) {
    StopKeeping();
    return;
  }
  AbandonKeep();
  RecoveryRows = Recovery->FreeRows();
  TakeRows(*Map_, *RecoveryRows);
  HandRowsOver();
}

void TMapDocument::HandRowsOver() {
  RecoveryCopy.reset();
  TRecoveryInfo info;
  info.FileName = QFile::encodeName(FileName_).toStdString();
  info.NextId = Map_->NextId;
  if (!Views.empty()) {
    const TMapView view = Views.front()->KeptView();
    info.Scale = view.Scale;
    info.OriginX = view.OriginX;
    info.OriginY = view.OriginY;
    info.GridSpacing = view.GridSpacing;
  }
  if (Background_) info.Background = Background_->Settings;
  info.Projection = Projection_;
  Recovery->Keep(RecoveryEntry, std::move(RecoveryRows), std::move(info));
  StopKeeping();
}

void TMapDocument::AbandonKeep() {
  RecoveryStep->stop();
  RecoveryCopy.reset();
  std::unique_ptr<TMapRows> rows = std::move(RecoveryRows);
  if (rows != nullptr && Recovery != nullptr) {
    Recovery->ReturnRows(std::move(rows));
  }
}

void TMapDocument::StopKeeping() {
  AbandonKeep();
  RecoveryDelay->stop();
  RecoveryDeadline->stop();
  RecoveryOverdue = false;
}

TMapDocument::TReopened TMapDocument::ReopenRecovered(const std::string& Folder,
                                                      int Entry) {
  TRecoveredMap recovered = ReadRecoveryEntry(Folder, Entry);
  SetFileName(QFile::decodeName(recovered.Info.FileName.c_str()));
  ReplaceMap(std::move(recovered.Map));
  TReopened reopened;
  reopened.View.Scale = recovered.Info.Scale;
  reopened.View.OriginX = recovered.Info.OriginX;
  reopened.View.OriginY = recovered.Info.OriginY;
  reopened.View.GridSpacing = recovered.Info.GridSpacing;
  reopened.Errors = UseBackground(recovered.Info.Background);
  Projection_ = recovered.Info.Projection;
  // Unsaved, with no step to take back: no state of it is the saved one.
  UndoStack_->resetClean();
  const bool whole = recovered.Error.empty();
  if (Recovery != nullptr) {
    // An entry read whole goes once this session keeps the map; one that
    // was not stays as it is, and stands for the document until it
    // changes.
    Recovery->HandOver(RecoveryEntry, std::move(recovered.Files), !whole);
  }
  ShowsUnreadRecovery = !whole;
  if (whole) KeepSoon();
  if (!whole) reopened.Errors << QString::fromStdString(recovered.Error);
  return reopened;
}

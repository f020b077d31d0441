#include <QtCore/QFile>
#include <QtCore/QTimer>
#include <QtGui/QUndoStack>

#include "map_rows.h"
#include "map_window.h"
#include "recovery_entry.h"
#include "recovery_store.h"

namespace {

// Keeping holds the window up only for moments (see the recovery
// benchmark), so it can follow changes closely: a crash loses at most the
// last few seconds.
constexpr int kRecoveryDelayMs = 2000;
constexpr int kRecoveryDeadlineMs = 20000;
// The blocks of rows taken between two events: a few milliseconds' worth
// on the largest maps.
constexpr size_t kBlocksPerStep = 8;

}  // namespace

void TfrmMap::SetUpRecovery() {
  RecoveryDelay = new QTimer(this);
  RecoveryDeadline = new QTimer(this);
  RecoveryStep = new QTimer(this);
  for (QTimer* timer : {RecoveryDelay, RecoveryDeadline, RecoveryStep}) {
    timer->setSingleShot(true);
  }
  connect(RecoveryDelay, &QTimer::timeout, this, &TfrmMap::StartKeep);
  connect(RecoveryDeadline, &QTimer::timeout, this, [this] {
    RecoveryOverdue = true;
    StartKeep();
  });
  connect(RecoveryStep, &QTimer::timeout, this, &TfrmMap::KeepStep);
  SetRecoveryDelays(kRecoveryDelayMs, kRecoveryDeadlineMs);
  connect(UndoStack, &QUndoStack::indexChanged, this, &TfrmMap::HistoryMoved);
  connect(UndoStack, &QUndoStack::cleanChanged, this, &TfrmMap::CleanChanged);
}

void TfrmMap::SetRecoveryDelays(int Delay, int Deadline) {
  RecoveryDelay->setInterval(Delay);
  RecoveryDeadline->setInterval(Deadline);
}

void TfrmMap::HistoryMoved() {
  ShowsUnreadRecovery = false;
  if (Modified()) KeepSoon();
}

void TfrmMap::KeepSoon() {
  RecoveryDelay->start();
  if (RecoveryDeadline->isActive()) return;
  RecoveryDeadline->start();
  // Rows of the map's size are made ready before they are needed, so that
  // taking them costs no fresh memory.
  if (Recovery != nullptr) {
    Recovery->PrepareRows(Map->Points.size(), Map->Tracks.size());
  }
}

void TfrmMap::CleanChanged(bool Clean) {
  setWindowModified(!Clean);
  if (!Clean) return;
  // Saved, or back at the saved state: there is nothing to recover.
  StopKeeping();
  ShowsUnreadRecovery = false;
  if (Recovery != nullptr) Recovery->Drop(RecoveryEntry);
}

bool TfrmMap::NeedsKeeping() const {
  return Recovery != nullptr && Modified() && !ShowsUnreadRecovery;
}

void TfrmMap::StartKeep() {
  if (!NeedsKeeping() || RecoveryCopy != nullptr) return;
  RecoveryRows = Recovery->FreeRows();
  RecoveryCopy = std::make_unique<TRowsCopy>(*Map, *RecoveryRows);
  RecoveryRevision = Map->Revision();
  RecoveryStep->start();
}

void TfrmMap::KeepStep() {
  if (Map->Revision() != RecoveryRevision) {
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

void TfrmMap::KeepForRecovery() {
  if (!NeedsKeeping()) {
    StopKeeping();
    return;
  }
  AbandonKeep();
  RecoveryRows = Recovery->FreeRows();
  TakeRows(*Map, *RecoveryRows);
  HandRowsOver();
}

void TfrmMap::HandRowsOver() {
  RecoveryCopy.reset();
  TRecoveryInfo info;
  info.FileName = QFile::encodeName(FileName).toStdString();
  info.NextId = Map->NextId;
  info.Scale = Scale;
  info.OriginX = OriginX;
  info.OriginY = OriginY;
  info.GridSpacing = GridSpacing;
  if (Background) info.Background = Background->Settings;
  Recovery->Keep(RecoveryEntry, std::move(RecoveryRows), std::move(info));
  StopKeeping();
}

void TfrmMap::AbandonKeep() {
  RecoveryStep->stop();
  RecoveryCopy.reset();
  std::unique_ptr<TMapRows> rows = std::move(RecoveryRows);
  if (rows != nullptr && Recovery != nullptr) {
    Recovery->ReturnRows(std::move(rows));
  }
}

void TfrmMap::StopKeeping() {
  AbandonKeep();
  RecoveryDelay->stop();
  RecoveryDeadline->stop();
  RecoveryOverdue = false;
}

void TfrmMap::ReopenRecovered(const std::string& Folder, int Entry) {
  TRecoveredMap recovered = ReadRecoveryEntry(Folder, Entry);
  SetFileName(QFile::decodeName(recovered.Info.FileName.c_str()));
  ReplaceMap(std::move(recovered.Map));
  Scale = recovered.Info.Scale;
  OriginX = recovered.Info.OriginX;
  OriginY = recovered.Info.OriginY;
  GridSpacing = recovered.Info.GridSpacing;
  UseBackground(recovered.Info.Background);
  // Unsaved, with no step to take back: no state of it is the saved one.
  UndoStack->resetClean();
  const bool whole = recovered.Error.empty();
  if (Recovery != nullptr) {
    // An entry read whole goes once this session keeps the map; one that
    // was not stays as it is, and stands for the window until it changes.
    Recovery->HandOver(RecoveryEntry, std::move(recovered.Files), !whole);
  }
  ShowsUnreadRecovery = !whole;
  if (whole) KeepSoon();
  Repaint();
  if (!whole) ShowError(QString::fromStdString(recovered.Error));
}

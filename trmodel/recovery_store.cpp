#include "recovery_store.h"

#include <algorithm>
#include <utility>

#include "errors.h"
#include "file_access.h"
#include "map_writer.h"

TRecoveryStore::TRecoveryStore(std::string Folder, TFileSystem& Files)
    : Folder_(std::move(Folder)),
      Files_(Files),
      Worker_([this](std::stop_token Stop) { Run(Stop); }) {}

TRecoveryStore::~TRecoveryStore() {
  Flush();
  Worker_.request_stop();
}

std::unique_ptr<TMapRows> TRecoveryStore::FreeRows() {
  std::lock_guard lock(Mutex_);
  return Spare_ ? std::move(Spare_) : std::make_unique<TMapRows>();
}

void TRecoveryStore::PrepareRows(size_t Points, size_t Tracks) {
  std::lock_guard lock(Mutex_);
  if (Spare_ && Spare_->Points.capacity() >= Points &&
      Spare_->Tracks.capacity() >= Tracks) {
    return;
  }
  TJob job;
  job.Kind = TJob::TKind::Prepare;
  job.Points = Points;
  job.Tracks = Tracks;
  Push(std::move(job));
}

void TRecoveryStore::Keep(int Entry, std::unique_ptr<TMapRows> Rows,
                          TRecoveryInfo Info) {
  std::lock_guard lock(Mutex_);
  const auto waiting =
      std::find_if(Queue_.begin(), Queue_.end(), [Entry](const TJob& Job) {
        return Job.Kind == TJob::TKind::Keep && Job.Entry == Entry;
      });
  if (waiting != Queue_.end()) {
    std::swap(waiting->Rows, Rows);
    waiting->Info = std::move(Info);
    KeepSpare(std::move(Rows));
    return;
  }
  TJob job;
  job.Entry = Entry;
  job.Rows = std::move(Rows);
  job.Info = std::move(Info);
  Push(std::move(job));
}

void TRecoveryStore::Drop(int Entry) {
  std::lock_guard lock(Mutex_);
  const auto mine = [Entry](const TJob& Job) {
    return Job.Kind != TJob::TKind::Prepare && Job.Entry == Entry;
  };
  for (TJob& job : Queue_) {
    if (mine(job) && job.Rows) KeepSpare(std::move(job.Rows));
  }
  std::erase_if(Queue_, mine);
  TJob job;
  job.Kind = TJob::TKind::Drop;
  job.Entry = Entry;
  Push(std::move(job));
}

void TRecoveryStore::Push(TJob Job) {
  Queue_.push_back(std::move(Job));
  WorkArrived_.notify_one();
}

void TRecoveryStore::HandOver(int Entry, std::vector<std::string> Files,
                              bool UntilDropped) {
  std::lock_guard lock(Mutex_);
  auto& list =
      UntilDropped ? Entries_[Entry].UntilDropped : Entries_[Entry].AfterKeep;
  list.insert(list.end(), Files.begin(), Files.end());
}

void TRecoveryStore::Flush() {
  std::unique_lock lock(Mutex_);
  WorkDone_.wait(lock, [this] { return Queue_.empty() && !Busy_; });
}

std::string TRecoveryStore::Failure(int Entry) const {
  std::lock_guard lock(Mutex_);
  const auto entry = Entries_.find(Entry);
  return entry == Entries_.end() ? std::string() : entry->second.Failure;
}

void TRecoveryStore::Run(std::stop_token Stop) {
  std::unique_lock lock(Mutex_);
  while (WorkArrived_.wait(lock, Stop, [this] { return !Queue_.empty(); })) {
    TJob job = std::move(Queue_.front());
    Queue_.pop_front();
    Busy_ = true;
    lock.unlock();
    switch (job.Kind) {
      case TJob::TKind::Keep:
        DoKeep(job);
        break;
      case TJob::TKind::Drop:
        DoDrop(job.Entry);
        break;
      case TJob::TKind::Prepare:
        DoPrepare(job.Points, job.Tracks);
        break;
    }
    lock.lock();
    Busy_ = false;
    WorkDone_.notify_all();
  }
}

void TRecoveryStore::DoKeep(TJob& Job) {
  std::string oldMap;
  std::string newMap;
  {
    std::lock_guard lock(Mutex_);
    TEntry& entry = Entries_[Job.Entry];
    oldMap = entry.MapFile;
    newMap = RecoveryMapName(Job.Entry, ++entry.Generation);
  }
  std::string failure;
  try {
    // Written as it is made: a large map's text would take as much room
    // again as its rows.
    size_t bytes = 0;
    ReplaceFile(
        Path(newMap),
        [&](const TContentWriter& Write) {
          WriteMap(*Job.Rows, [&](std::string_view Piece) {
            bytes += Piece.size();
            Write(Piece);
          });
        },
        Files_);
    Job.Info.MapFile = newMap;
    Job.Info.MapBytes = bytes;
    try {
      ReplaceFile(Path(RecoveryInfoName(Job.Entry)),
                  WriteRecoveryInfo(Job.Info), Files_);
    } catch (...) {
      Files_.Unlink(Path(newMap).c_str());
      throw;
    }
  } catch (const std::exception& Error) {
    failure = Error.what();
  }
  // Kept or not, the rows serve the next keep.
  ReturnRows(std::move(Job.Rows));

  std::vector<std::string> obsolete;
  {
    std::lock_guard lock(Mutex_);
    TEntry& entry = Entries_[Job.Entry];
    entry.Failure = failure;
    if (!failure.empty()) return;
    entry.MapFile = newMap;
    obsolete = std::exchange(entry.AfterKeep, {});
  }
  if (!oldMap.empty()) obsolete.push_back(Path(oldMap));
  Remove(obsolete);
}

void TRecoveryStore::DoDrop(int Entry) {
  std::vector<std::string> files;
  {
    std::lock_guard lock(Mutex_);
    const auto found = Entries_.find(Entry);
    if (found == Entries_.end()) return;
    TEntry& entry = found->second;
    // The info goes first: without it the entry is gone at once.
    if (!entry.MapFile.empty()) {
      files = {Path(RecoveryInfoName(Entry)), Path(entry.MapFile)};
    }
    files.insert(files.end(), entry.AfterKeep.begin(), entry.AfterKeep.end());
    files.insert(files.end(), entry.UntilDropped.begin(),
                 entry.UntilDropped.end());
    Entries_.erase(found);
  }
  Remove(files);
}

void TRecoveryStore::DoPrepare(size_t Points, size_t Tracks) {
  std::unique_ptr<TMapRows> rows;
  {
    std::lock_guard lock(Mutex_);
    rows = std::move(Spare_);
  }
  if (!rows) rows = std::make_unique<TMapRows>();
  MakeRoom(*rows, Points, Tracks);
  ReturnRows(std::move(rows));
}

void TRecoveryStore::ReturnRows(std::unique_ptr<TMapRows> Rows) {
  std::lock_guard lock(Mutex_);
  KeepSpare(std::move(Rows));
}

void TRecoveryStore::KeepSpare(std::unique_ptr<TMapRows> Rows) {
  if (!Spare_) Spare_ = std::move(Rows);
}

void TRecoveryStore::Remove(const std::vector<std::string>& Names) {
  for (const std::string& name : Names) Files_.Unlink(name.c_str());
}

std::string TRecoveryStore::Path(const std::string& Name) const {
  return Folder_ + "/" + Name;
}

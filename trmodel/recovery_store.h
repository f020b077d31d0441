#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "file_system.h"
#include "map_rows.h"
#include "recovery_info.h"

// The recovery folder of one running editor, written by a thread of its
// own so that keeping even a large map never holds up the caller for
// longer than taking its rows.
//
// Each map window is an entry, numbered by the caller. Keeping an entry
// writes a new copy of its map ("N-G.TRN") with the program's atomic save,
// then its info ("N.info"), which names that copy, in the same way, and
// only then removes the copy before. The info is written last, so a copy
// cut short by a crash is never taken for a good one: the info still names
// the previous copy, which is whole.
//
// Work is done in the order it is handed over; a keep of an entry that is
// still waiting is replaced by a newer one.
class TRecoveryStore {
 public:
  // Folder must exist.
  explicit TRecoveryStore(std::string Folder,
                          TFileSystem& Files = SystemFileSystem());
  // Finishes the work handed over before it returns.
  ~TRecoveryStore();
  TRecoveryStore(const TRecoveryStore&) = delete;
  TRecoveryStore& operator=(const TRecoveryStore&) = delete;

  const std::string& Folder() const { return Folder_; }

  // Rows to fill for Keep: those of an earlier keep when they are free, so
  // that filling them needs no fresh memory.
  std::unique_ptr<TMapRows> FreeRows();
  // Takes back rows from FreeRows that were not kept after all.
  void ReturnRows(std::unique_ptr<TMapRows> Rows);
  // Makes free rows with room for a map of so many points and tracks ready
  // ahead of a keep, unless there are some already.
  void PrepareRows(size_t Points, size_t Tracks);
  // Writes Rows as the map of entry Entry, with Info (whose MapFile and
  // MapBytes are filled in here), replacing the entry's earlier copy.
  void Keep(int Entry, std::unique_ptr<TMapRows> Rows, TRecoveryInfo Info);
  // Removes the entry's files, and those handed over to it.
  void Drop(int Entry);
  // Files of an earlier session that entry Entry stands for from now on,
  // handed over before its first keep. They are removed once the entry is
  // kept, or, UntilDropped, only when it is dropped.
  void HandOver(int Entry, std::vector<std::string> Files, bool UntilDropped);
  // Waits until all work handed over so far is done.
  void Flush();
  // Why the entry's latest keep failed; empty once it has been kept.
  std::string Failure(int Entry) const;

 private:
  struct TJob {
    enum class TKind { Keep, Drop, Prepare } Kind = TKind::Keep;
    int Entry = 0;
    std::unique_ptr<TMapRows> Rows;
    TRecoveryInfo Info;
    // The room rows to prepare need.
    size_t Points = 0;
    size_t Tracks = 0;
  };
  struct TEntry {
    uint64_t Generation = 0;
    std::string MapFile;
    std::vector<std::string> AfterKeep;
    std::vector<std::string> UntilDropped;
    std::string Failure;
  };

  void Push(TJob Job);  // Mutex_ held
  void Run(std::stop_token Stop);
  void DoKeep(TJob& Job);
  void DoDrop(int Entry);
  void DoPrepare(size_t Points, size_t Tracks);
  // Rows done with become the spare ones, unless there are some already.
  void KeepSpare(std::unique_ptr<TMapRows> Rows);  // Mutex_ held
  void Remove(const std::vector<std::string>& Names);
  std::string Path(const std::string& Name) const;

  const std::string Folder_;
  TFileSystem& Files_;
  mutable std::mutex Mutex_;
  std::condition_variable_any WorkArrived_;
  std::condition_variable WorkDone_;
  std::deque<TJob> Queue_;
  bool Busy_ = false;
  std::map<int, TEntry> Entries_;
  std::unique_ptr<TMapRows> Spare_;
  // Last: it starts once everything it uses is there.
  std::jthread Worker_;
};

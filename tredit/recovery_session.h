#pragma once

#include <QtCore/QString>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QLockFile;
class TRecoveryStore;

// Where the editors of one user keep unsaved maps for recovery. Each
// running editor has a folder of its own in Base, named after its start
// time and process, and holds the lock file beside it ("NAME.lock") for as
// long as it runs. A folder whose lock is free was left by an editor that
// ended with unsaved maps, at exit or by a crash: the next editor to start
// takes it over, and no editor ever takes the folder of one that runs.
class TRecoverySession {
 public:
  explicit TRecoverySession(const QString& Base);
  // Finishes writing, removes the folders it holds that keep nothing any
  // more, and frees their locks.
  ~TRecoverySession();
  TRecoverySession(const TRecoverySession&) = delete;
  TRecoverySession& operator=(const TRecoverySession&) = delete;

  // Where this editor keeps its maps; none when its folder could not be
  // made, and Failure says why.
  TRecoveryStore* Store() const { return Store_.get(); }
  const QString& Failure() const { return Failure_; }
  // A new entry number for a map window of this editor.
  int NewEntry() { return NextEntry_++; }

  // An entry of a folder left by an ended editor.
  struct TLeftEntry {
    std::string Folder;
    int Entry = 0;
  };
  // Takes over the folders that ended editors left, and returns their
  // entries: the oldest folder first, in each the order the windows were
  // made in.
  std::vector<TLeftEntry> TakeOverLeftEntries();

 private:
  struct THeldFolder {
    QString Path;
    std::unique_ptr<QLockFile> Lock;
  };

  QString Base_;
  QString Failure_;
  std::vector<THeldFolder> Held_;
  std::unique_ptr<TRecoveryStore> Store_;
  int NextEntry_ = 1;
};

#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "document_view.h"
#include "file_system.h"
#include "map_background.h"
#include "map_observer.h"
#include "map_selection.h"
#include "projection_settings.h"
#include "train_run.h"
#include "train_structure.h"

class QTimer;
class QUndoStack;
class TMapRows;
class TRecoveryStore;
class TRowsCopy;

// One map being edited: the map, its history, its file, its background, its
// selection and what is kept of it for recovery. It shows nothing and asks
// nothing; the windows that show it (its views) are told what changed.
// Every object it names is one its map has: the map tells it of every object
// that leaves, and it lets go of it there, and tells the observers it was
// given.
//
// Its work is spread over files by concern: map_document.cpp (views,
// selection, watchers), map_document_history.cpp (edits and their steps),
// map_document_files.cpp (open and save), map_document_background.cpp and
// map_document_recovery.cpp.
class TMapDocument : private TMapObserver {
 public:
  TMapDocument();
  ~TMapDocument();
  TMapDocument(const TMapDocument&) = delete;
  TMapDocument& operator=(const TMapDocument&) = delete;

  TTrainStructureSV& Map() { return *Map_; }
  const TTrainStructureSV& Map() const { return *Map_; }
  // Puts NewMap in place of the map, with a new history, unchanged, nothing
  // selected and no background or projection; the views first give up what they
  // had under way. Gives the map it had.
  std::unique_ptr<TTrainStructureSV> ReplaceMap(
      std::unique_ptr<TTrainStructureSV> NewMap);

  // Views, in the order they came; each is numbered by its place.
  void AddView(TDocumentView* View);
  void RemoveView(TDocumentView* View);
  size_t ViewCount() const { return Views.size(); }
  // 1 for the first view, 0 for a window that does not show the document.
  size_t ViewNumber(const TDocumentView* View) const;

  // Others told of every object that leaves the map, and before and after
  // every change of it, this one or one that replaces it (not owned; each
  // must be unwatched before it goes, and none may be watched or unwatched
  // while they are told).
  void Watch(TMapObserver* Observer);
  void Unwatch(TMapObserver* Observer);

  // The speed of each train in a trial run, in km/h (kDefaultTrainSpeed
  // unless set). The file cannot hold it: setting it is no step of the
  // history and leaves the map as saved or unsaved as it was; it goes with
  // its train, also when the train's removal is undone.
  double TrainSpeed(const TTrain& Train) const;
  void SetTrainSpeed(const TTrain& Train, double Speed);

  // Selection. Select tells the other views; By has drawn it itself.
  const TMapSelection& Selection() const { return Selection_; }
  void Select(const TMapSelection& Selection, const TDocumentView* By);

  // History. Every user action that changes the map is one step, and the
  // clean state is the saved state. BeginEdit starts recording; CommitEdit
  // makes the changes one step named Text (nothing when the map did not
  // change); RollBackEdit takes them back and puts back the selection of
  // BeginEdit. Edit does all of it for a command, and is ignored while an
  // edit is under way. Undo and Redo are ignored then too.
  QUndoStack* UndoStack() const { return UndoStack_.get(); }
  bool Editing() const { return Map_->Editing(); }
  void BeginEdit();
  void CommitEdit(const QString& Text, const TDocumentView* By);
  void RollBackEdit(const TDocumentView* By);
  void Edit(const QString& Text, const std::function<void()>& Change,
            const TDocumentView* By);
  // By shows the step taken at once, the other views soon.
  void Undo(TDocumentView* By = nullptr);
  void Redo(TDocumentView* By = nullptr);
  // Whether the map has changes that are not saved.
  bool Modified() const;
  // Tells the views other than By that the document changed.
  void Changed(const TDocumentView* By);

  // Files. The name is empty until the document has one. Open reads the
  // file into a new, empty map, and its background beside it; Save writes
  // both, and marks the document saved. Each gives the messages of what
  // failed; what was read before a failure stays. The name is set before
  // the file is read or written. The calls go through Files.
  const QString& FileName() const { return FileName_; }
  void SetFileName(const QString& Name);
  // FileName, or "Train Map" for a map without one.
  QString DocumentName() const;
  TFileSystem* Files = &SystemFileSystem();
  struct TFileResult {
    // The map was read whole, or the map and its background were written.
    bool Done = false;
    QStringList Errors;
  };
  TFileResult Open(const QString& Name);
  TFileResult Save(const QString& Name);

  // Imported maps (map_document_files.cpp). The projection says how the
  // map's metres go back to longitude and latitude, none for a map that
  // never came from such data; it is read beside the map's file by Open
  // and written there by Save. ShowImported puts an imported map in place
  // of the map, as ReplaceMap does, unsaved and without a file name.
  const std::optional<TProjectionSettings>& Projection() const {
    return Projection_;
  }
  void ShowImported(std::unique_ptr<TTrainStructureSV> Imported,
                    std::optional<TProjectionSettings> Projection);

  // Background: a picture drawn under the map, none without one.
  // SetBackground makes NewBackground the document's as one step named
  // Text. UseBackground reads the picture of Settings (a message when it
  // cannot be read, the settings kept all the same).
  const std::optional<TMapBackground>& Background() const {
    return Background_;
  }
  void SetBackground(std::optional<TMapBackground> NewBackground,
                     const QString& Text);
  QStringList UseBackground(const std::optional<TBackgroundSettings>& Settings);

  // Recovery. While the document has unsaved changes, its map and the view
  // of its first window are kept as entry RecoveryEntry of Recovery (not
  // owned; none keeps nothing): a few seconds after the last change, and at
  // least every half minute during a long series of them. The store writes
  // them on a thread of its own; only taking the map's rows holds the
  // document up. Saving or discarding the changes removes them.
  TRecoveryStore* Recovery = nullptr;
  int RecoveryEntry = 0;
  // Hands the map and view over to Recovery now, all at once, unless what
  // Recovery holds already reopens it as it is.
  void KeepForRecovery();
  // How long after the last change the map is kept, and how long at most
  // it goes unkept while changes keep coming, in milliseconds.
  void SetRecoveryDelays(int Delay, int Deadline);
  // The document's changes are given up: nothing of it is kept.
  void DropRecovery();
  // Shows entry Entry of the recovery folder Folder, left by an earlier
  // session, as it was there: unsaved, with its file name and what could be
  // read of its map. Gives the view it was kept with, and the message of a
  // failure. Recovery keeps it from then on, and the entry goes once it
  // has; an entry that could not be read stays as it is, standing for the
  // document until it changes, and goes when it is saved or discarded.
  struct TReopened {
    TMapView View;
    QStringList Errors;
  };
  TReopened ReopenRecovered(const std::string& Folder, int Entry);

 private:
  friend class TMapEditCommand;
  friend class TBackgroundCommand;

  void Leaving(const TTrPoint& Point) override;
  void Leaving(const TTrLine& Line) override;
  void Leaving(const TTrain& Train) override;
  void BeforeChange(const TMapChange& Change) override;
  void AfterChange(const TMapChange& Change) override;

  // A step was taken back or done again, leaving Selection.
  void StepTaken(const TMapSelection& Selection);
  void ShowBackground(const std::optional<TMapBackground>& Background);
  void TellState();

  void SetUpRecovery();
  void HistoryIndexChanged();
  void CleanChanged(bool Clean);
  // Keeps the map a little later, and by the deadline at the latest.
  void KeepSoon();
  bool NeedsKeeping() const;
  // A keep takes the map's rows a few blocks at a time, one step per turn
  // of the event loop, and hands them to Recovery when all are taken. A
  // change of the map between steps starts it again after a pause, or,
  // once the deadline has passed, takes the rows at once.
  void StartKeep();
  void KeepStep();
  void HandRowsOver();
  // Gives up a keep under way; StopKeeping also any keep to come.
  void AbandonKeep();
  void StopKeeping();

  std::unique_ptr<TTrainStructureSV> Map_;
  std::unique_ptr<QUndoStack> UndoStack_;
  std::vector<TDocumentView*> Views;
  std::vector<TMapObserver*> Watchers;
  TMapSelection Selection_;
  std::unordered_map<const TTrain*, double> Speeds;
  // The view whose undo or redo is under way, none for another's.
  TDocumentView* Stepping = nullptr;
  // The selection when the edit under way began: objects of the map as it
  // was then, which a roll-back or an undo restores. Empty between edits.
  TMapSelection SelectionBefore;
  QString FileName_;
  std::optional<TMapBackground> Background_;
  std::optional<TProjectionSettings> Projection_;

  // Timers that keep the map a little after the last change, and at the
  // latest a while after the first one not kept yet; and the next step.
  std::unique_ptr<QTimer> RecoveryDelay;
  std::unique_ptr<QTimer> RecoveryDeadline;
  std::unique_ptr<QTimer> RecoveryStep;
  bool RecoveryOverdue = false;
  // The keep under way: its rows, the copy filling them, and the map's
  // revision when it began.
  std::unique_ptr<TMapRows> RecoveryRows;
  std::unique_ptr<TRowsCopy> RecoveryCopy;
  uint64_t RecoveryRevision = 0;
  // The map shows an entry of an earlier session that could not be read
  // whole, and has not changed since: that entry stands for it.
  bool ShowsUnreadRecovery = false;
};

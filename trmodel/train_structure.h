#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "file_system.h"
#include "map_change.h"
#include "map_edit.h"
#include "map_objects.h"
#include "map_observer.h"
#include "object_set.h"
#include "pointer_set.h"
#include "track_position.h"

class TSpatialIndex;

// The container of one map. It owns every point, line and train; the lists
// keep insertion order, which is also the order of drawing, hit-testing and
// writing. The model validates nothing: callers keep the preconditions
// (at most three lines at a point, Connect with at least one line).
//
// Every change of a map, made by any operation below, passes through one
// place (Apply). Between BeginEdit and EndEdit the changes are recorded as
// one edit that can be rolled back, undone and redone; outside an edit they
// are final, and a removed object is freed at once. Only the file reader
// writes lists and objects directly, while it fills a new map. The same place
// tells the map's observers of every change and of every object that leaves;
// the map's spatial index is one of them.
class TTrainStructureSV {
 public:
  int32_t NextId = 0;
  std::vector<TOwned<TTrPoint>> Points;
  std::vector<TOwned<TTrack>> Tracks;
  std::vector<TOwned<TWall>> Walls;
  std::vector<TOwned<TTrain>> Trains;

  TTrainStructureSV();
  ~TTrainStructureSV();
  TTrainStructureSV(const TTrainStructureSV&) = delete;
  TTrainStructureSV& operator=(const TTrainStructureSV&) = delete;

  // The edit journal. BeginEdit starts recording (an edit must not be under
  // way); EndEdit hands the recorded changes over, and RollBackEdit takes
  // them back, leaving the map as it was at BeginEdit.
  void BeginEdit();
  bool Editing() const { return Recording != nullptr; }
  TMapEdit EndEdit();
  void RollBackEdit();

  // Observers are told of every object before it leaves a list (not
  // owned; each must be removed before it goes).
  void AddObserver(TMapObserver* Observer);
  void RemoveObserver(TMapObserver* Observer);

  // Counts the changes of the map: while it stays the same, the map has
  // not changed.
  uint64_t Revision() const { return Revision_; }

  // Hands out NextId and counts it up. Once the largest identifier has been
  // handed out (NextId is then negative), each call gives the smallest
  // positive one that no line has. Throws EIdentifierOverflow, changing
  // nothing, when every one is taken.
  int32_t NewId();
  void SetNextId(int32_t Id);

  // Appending takes ownership and returns the object; nothing else changes.
  TTrPoint* AddPoint(TOwned<TTrPoint> Point);
  TTrLine* AddLine(TOwned<TTrLine> Line);
  TTrain* AddTrain(TOwned<TTrain> Train);

  // Puts Point at (X, Y), keeping its height. Throws EFloatOverflow,
  // changing nothing, for a coordinate too large.
  void MovePoint(TTrPoint* Point, double X, double Y);
  // MovePoint for each of Moving, to the place PlaceOf(i) gives the i-th.
  // Throws as MovePoint does; the points before the one that failed have
  // moved then.
  void MovePoints(const std::vector<TTrPoint*>& Moving,
                  const std::function<TTrXY(size_t)>& PlaceOf);
  void SetPointHeight(TTrPoint* Point, double Z);
  void SetTrackProperties(TTrack* Track, uint8_t Poles, uint8_t Platform);
  // SetLink of the model, recorded: stores Target in the main (or, with
  // Alternative, the branch) link of the line At names, at that end.
  void SetLink(const TTrLineEnd& At, const TTrLineEnd& Target,
               bool Alternative);

  // A new point at (X, Y, 0) with the next identifier, appended to Points.
  // Throws EFloatOverflow, changing nothing, for a coordinate too large.
  TTrPoint* NewPoint(double X, double Y);
  // Lays a new track (or wall) from Start to End as a build gesture does: it
  // gets the next identifier, joins Start's first line there (making Start a
  // plain joint, or a switch whose third line it is) and ends dead at End.
  // Start must have fewer than three lines.
  TTrLine* BuildLine(TTrPoint* Start, TTrPoint* End, bool Track);

  // Joins end EndA of LineA and end EndB of LineB at the point where they
  // meet: each line's link at that end and the point's references.
  void Connect(TTrLine* LineA, uint8_t EndA, TTrLine* LineB, uint8_t EndB);
  // Re-applies the link rule at Point from the order of its references.
  void RelinkPoint(TTrPoint* Point);

  // Deletes Point, every line that ends at it, every neighbour left without
  // lines, and every train standing on a deleted line.
  void DeletePoint(TTrPoint* Point);
  // Removes Line from Point's references, compacts and relinks them, or
  // deletes Point when no line is left.
  void DetachLine(TTrPoint* Point, TTrLine* Line);
  // DetachLine but for the deletion of a point left without lines; says
  // whether Point has a line left.
  bool LetGoOfLine(TTrPoint* Point, TTrLine* Line);
  // Deletes Line alone: its points let go of it and are relinked as when
  // a point's line goes, a point left without lines goes too, and so do the
  // trains standing on it.
  void DeleteLineOnly(TTrLine* Line);
  void DeleteTrain(TTrain* Train);
  // Deletes every object of the sets as deleting each alone would, the
  // points with their lines, the lines with the points they leave without
  // one, and the trains on every line that goes; each list is passed over
  // once, whatever the number of objects.
  void DeleteMany(const TObjectSet<TTrPoint>& GonePoints,
                  const TObjectSet<TTrLine>& GoneLines,
                  const TObjectSet<TTrain>& GoneTrains);
  void SetTrainLength(TTrain* Train, double Length);

  // Moves the end of Line that lies at Gone onto Keep and links it there, as
  // a second line (plain joint) or a third one (switch) of Keep. Gone keeps
  // its place in Points; the caller removes it with RemovePoint. Joins
  // nothing, and says so, when Keep has no line or three lines already.
  bool JoinPoint(TTrPoint* Gone, TTrLine* Line, TTrPoint* Keep);
  // Removes Point from Points and frees it; its lines are not looked at.
  void RemovePoint(TTrPoint* Point);
  // Takes the end of Line that lies at Point, a plain joint of Line and one
  // other line, onto a new point at (X, Y), where Line then ends dead; Point
  // stays as the dead end of the other line. Throws EFloatOverflow,
  // changing nothing, for a coordinate too large.
  TTrPoint* SplitJoint(TTrPoint* Point, TTrLine* Line, double X, double Y);

  // Switch commands; each acts only on a point with three lines and says
  // whether it did. Rotate: the default direction becomes the entry, the
  // other direction the default, the old entry the other direction.
  bool RotateSwitch(TTrPoint* Point);
  // Swap: the default and the other direction change places.
  bool SwapSwitch(TTrPoint* Point);

  // The spatial index of the map, made at the first call and kept current
  // by every change after it.
  const TSpatialIndex& SpatialIndex() const;
  // The spatial index, or none while the edit under way moves a good part
  // of the map: a look through every object then costs less than making
  // the index anew at each step of the gesture.
  const TSpatialIndex* SpatialIndexUnlessMovingMuch() const;
  // Lets the index go, for one who writes objects directly (the file
  // reader); the next call of SpatialIndex makes a new one.
  void DropSpatialIndex();

  // Reads a map file into this container, which should be empty. Throws
  // EFileError, EConvertError or EFloatOverflow with the message for the
  // user; what was read before the failure stays, and the map is sound
  // either way.
  void LoadFromFile(const std::string& FileName,
                    TFileSystem& Files = SystemFileSystem());
  // Writes the map to the named file. The old file stays as it was unless
  // the whole new one is safely on disk. Throws EFileError on failure.
  void SaveToFile(const std::string& FileName,
                  TFileSystem& Files = SystemFileSystem()) const;

 private:
  friend class TMapEdit;

  // The one place where a map changes: exchanges the record's value with
  // the map's.
  void Apply(TMapChange& Change);
  // Applies a change and records it while an edit is under way.
  void Change(TMapChange Change);
  // Count point moves are to come: when they are many for the map, the
  // index goes, as making it anew costs less than filing each point again.
  void ExpectMoves(size_t Count);
  void SetLineEnd(TTrLineEnd& Field, const TTrLineEnd& Value);
  void SetLinePoint(TTrLine* Line, uint8_t End, TTrPoint* Point);
  template <typename T>
  void RemoveFrom(std::vector<TOwned<T>>& List, const T* Object);
  // Takes the distinct Objects out of List as one record: undo puts them
  // back in one pass over the list.
  template <typename T>
  void RemoveEach(std::vector<TOwned<T>>& List,
                  std::span<const T* const> Objects);
  // Takes every object of List for which Goes holds out, as one record.
  template <typename T, typename TGoes>
  void RemoveWhere(std::vector<TOwned<T>>& List, TGoes Goes);
  void RemoveLine(TTrLine* Line);
  int32_t SmallestFreeLineId() const;

  // Tells the observers that Object leaves when Entry takes it out.
  template <typename T>
  void TellLeaving(const std::vector<TOwned<T>>& List,
                   const map_change::TListEntry<T>& Entry) const;
  template <typename T>
  void TellLeaving(const std::vector<TOwned<T>>& List,
                   const map_change::TListEntries<T>& Record) const;

  std::unique_ptr<TMapEdit> Recording;
  // The points the edit under way has recorded a move of.
  TPointerSet<const TTrPoint> Moved;
  // Whether the edit under way moves so much that the index waits for it.
  bool MovingMuch = false;
  // The spatial index among them, once made.
  mutable std::vector<TMapObserver*> Observers;
  uint64_t Revision_ = 0;
  mutable std::unique_ptr<TSpatialIndex> Index;
};

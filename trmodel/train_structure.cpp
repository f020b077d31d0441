#include "train_structure.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>
#include <span>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "errors.h"
#include "geometry.h"
#include "spatial_index.h"

namespace {

template <typename... F>
struct TOverloaded : F... {
  using F::operator()...;
};
template <typename... F>
TOverloaded(F...) -> TOverloaded<F...>;

// The main (or branch) link of Line at end End; codes other than 1 are end 2.
TTrLineEnd& LinkAt(TTrLine& Line, uint8_t End, bool Alternative) {
  if (End == 1) return Alternative ? Line.Branch1 : Line.Next1;
  return Alternative ? Line.Branch2 : Line.Next2;
}

// The link that SetLink writes: code 2 is end 2, every other code end 1.
TTrLineEnd& SetLinkField(TTrLine& Line, uint8_t End, bool Alternative) {
  return LinkAt(Line, End == 2 ? 2 : 1, Alternative);
}

bool SameBits(double A, double B) {
  return std::bit_cast<uint64_t>(A) == std::bit_cast<uint64_t>(B);
}

bool SameBits(const TTrVector& A, const TTrVector& B) {
  return SameBits(A.X, B.X) && SameBits(A.Y, B.Y) && SameBits(A.Z, B.Z);
}

// Moves Count owners from From to To (the ranges may overlap) by their
// bytes. An owner is one pointer with a deleter of no state, so its bits are
// all of it: a list of millions shifts about twice as fast as one owner
// at a time, where each move must look at what it overwrites. The owners
// left behind at From are dead copies; the caller makes each slot anew
// (Revive) before the list uses it again.
template <typename T>
void MoveOwners(TOwned<T>* To, TOwned<T>* From, size_t Count) {
  static_assert(sizeof(TOwned<T>) == sizeof(T*) &&
                std::is_empty_v<TObjectDelete>);
  std::memmove(static_cast<void*>(To), static_cast<const void*>(From),
               Count * sizeof(TOwned<T>));
}

// Makes a slot whose owner was moved away hold Owner, without ending the
// dead copy it held.
template <typename T>
void Revive(TOwned<T>* Slot, TOwned<T> Owner = nullptr) {
  ::new (static_cast<void*>(Slot)) TOwned<T>(std::move(Owner));
}

// Puts the entry's object back at its index, or takes it out into the entry.
template <typename T>
void Toggle(std::vector<TOwned<T>>& List, map_change::TListEntry<T>& Entry) {
  const size_t at = Entry.Index;
  if (Entry.Held) {
    List.emplace_back();
    MoveOwners(List.data() + at + 1, List.data() + at, List.size() - 1 - at);
    Revive(List.data() + at, std::move(Entry.Held));
  } else {
    Entry.Held = std::move(List[at]);
    MoveOwners(List.data() + at, List.data() + at + 1, List.size() - 1 - at);
    Revive(List.data() + List.size() - 1);
    List.pop_back();
  }
}

// Takes the record's objects out of the list, or puts them back, moving
// each run of objects between two of them once.
template <typename T>
void Toggle(std::vector<TOwned<T>>& List, map_change::TListEntries<T>& Record) {
  std::vector<map_change::TListEntry<T>>& entries = Record.Entries;
  if (Record.Out()) {
    size_t read = List.size();
    List.resize(List.size() + entries.size());
    size_t write = List.size();
    for (size_t e = entries.size(); e-- > 0;) {
      const size_t at = entries[e].Index;
      const size_t run = write - at - 1;
      read -= run;
      MoveOwners(List.data() + at + 1, List.data() + read, run);
      Revive(List.data() + at, std::move(entries[e].Held));
      write = at;
    }
    return;
  }
  const size_t size = List.size();
  size_t write = entries.front().Index;
  for (size_t e = 0; e < entries.size(); ++e) {
    const size_t at = entries[e].Index;
    entries[e].Held = std::move(List[at]);
    const size_t next = e + 1 < entries.size() ? entries[e + 1].Index : size;
    MoveOwners(List.data() + write, List.data() + at + 1, next - at - 1);
    write += next - at - 1;
  }
  for (size_t i = write; i < size; ++i) Revive(List.data() + i);
  List.resize(write);
}

}  // namespace

TTrainStructureSV::TTrainStructureSV() = default;

TTrainStructureSV::~TTrainStructureSV() {
  // Lines and points refer to each other only through plain pointers, so
  // freeing in this order touches nothing already freed.
  Tracks.clear();
  Points.clear();
  Walls.clear();
  Trains.clear();
}

void TTrainStructureSV::BeginEdit() {
  if (Recording) throw std::logic_error("an edit of this map is under way");
  Recording = std::make_unique<TMapEdit>();
}

TMapEdit TTrainStructureSV::EndEdit() {
  TMapEdit edit;
  if (Recording) {
    edit = std::move(*Recording);
    Recording.reset();
  }
  Moved.Clear();
  MovingMuch = false;
  edit.Changes.shrink_to_fit();
  return edit;
}

void TTrainStructureSV::RollBackEdit() { EndEdit().Undo(*this); }

void TTrainStructureSV::AddObserver(TMapObserver* Observer) {
  Observers.push_back(Observer);
}

void TTrainStructureSV::RemoveObserver(TMapObserver* Observer) {
  std::erase(Observers, Observer);
}

template <typename T>
void TTrainStructureSV::TellLeaving(
    const std::vector<TOwned<T>>& List,
    const map_change::TListEntry<T>& Entry) const {
  if (Entry.Held) return;
  const T& object = *List[Entry.Index];
  for (TMapObserver* observer : Observers) observer->Leaving(object);
}

template <typename T>
void TTrainStructureSV::TellLeaving(
    const std::vector<TOwned<T>>& List,
    const map_change::TListEntries<T>& Record) const {
  if (Record.Out()) return;
  for (const map_change::TListEntry<T>& entry : Record.Entries) {
    TellLeaving(List, entry);
  }
}

void TTrainStructureSV::Apply(TMapChange& Change) {
  ++Revision_;
  for (TMapObserver* observer : Observers) observer->BeforeChange(Change);
  std::visit(
      TOverloaded{
          [this](map_change::TListEntry<TTrPoint>& C) {
            TellLeaving(Points, C);
          },
          [this](map_change::TListEntry<TTrack>& C) { TellLeaving(Tracks, C); },
          [this](map_change::TListEntry<TWall>& C) { TellLeaving(Walls, C); },
          [this](map_change::TListEntry<TTrain>& C) { TellLeaving(Trains, C); },
          [this](map_change::TListEntries<TTrPoint>& C) {
            TellLeaving(Points, C);
          },
          [this](map_change::TListEntries<TTrack>& C) {
            TellLeaving(Tracks, C);
          },
          [this](map_change::TListEntries<TWall>& C) { TellLeaving(Walls, C); },
          [this](map_change::TListEntries<TTrain>& C) {
            TellLeaving(Trains, C);
          },
          [](auto&) {},
      },
      Change);
  std::visit(
      TOverloaded{
          [this](map_change::TNextId& C) { std::swap(NextId, C.Value); },
          [](map_change::TPointPos& C) { std::swap(C.Point->Pos, C.Value); },
          [](map_change::TLineEnd& C) { std::swap(*C.Field, C.Value); },
          [](map_change::TLinePoint& C) {
            TPackedPointer<TTrPoint>& at = C.End == 1 ? C.Line->P1 : C.Line->P2;
            C.Value = std::exchange(at, C.Value);
          },
          [](map_change::TTrackProperties& C) {
            std::swap(C.Track->Poles, C.Poles);
            std::swap(C.Track->Platform, C.Platform);
          },
          [](map_change::TTrainLength& C) {
            std::swap(C.Train->Length, C.Value);
          },
          [this](map_change::TListEntry<TTrPoint>& C) { Toggle(Points, C); },
          [this](map_change::TListEntry<TTrack>& C) { Toggle(Tracks, C); },
          [this](map_change::TListEntry<TWall>& C) { Toggle(Walls, C); },
          [this](map_change::TListEntry<TTrain>& C) { Toggle(Trains, C); },
          [this](map_change::TListEntries<TTrPoint>& C) { Toggle(Points, C); },
          [this](map_change::TListEntries<TTrack>& C) { Toggle(Tracks, C); },
          [this](map_change::TListEntries<TWall>& C) { Toggle(Walls, C); },
          [this](map_change::TListEntries<TTrain>& C) { Toggle(Trains, C); },
      },
      Change);
  for (TMapObserver* observer : Observers) observer->AfterChange(Change);
  // An index that can no longer be kept current is made anew when asked.
  if (Index && Index->Lost()) DropSpatialIndex();
}

const TSpatialIndex& TTrainStructureSV::SpatialIndex() const {
  if (!Index) {
    Index = std::make_unique<TSpatialIndex>(*this);
    Observers.push_back(Index.get());
  }
  return *Index;
}

void TTrainStructureSV::ExpectMoves(size_t Count) {
  // Filing a point again costs about as much as a few points of a new
  // index; moves of a good part of the map are cheaper without one.
  constexpr size_t kRefileShare = 4;
  if (Count * kRefileShare >= Points.size()) {
    DropSpatialIndex();
    MovingMuch = Recording != nullptr;
  }
}

const TSpatialIndex* TTrainStructureSV::SpatialIndexUnlessMovingMuch() const {
  return MovingMuch ? nullptr : &SpatialIndex();
}

void TTrainStructureSV::DropSpatialIndex() {
  if (!Index) return;
  std::erase(Observers, static_cast<TMapObserver*>(Index.get()));
  Index.reset();
}

void TTrainStructureSV::Change(TMapChange Change) {
  Apply(Change);
  if (!Recording) return;
  std::vector<TMapChange>& changes = Recording->Changes;
  // Points that follow the mouse move many times in one edit; the first
  // record of each already holds where it came from. Nothing else a step
  // records depends on where a point stands, so the step still takes the
  // map back and forth exactly.
  const auto* moved = std::get_if<map_change::TPointPos>(&Change);
  if (moved != nullptr && !Moved.Insert(moved->Point)) return;
  changes.push_back(std::move(Change));
}

void TTrainStructureSV::SetLineEnd(TTrLineEnd& Field, const TTrLineEnd& Value) {
  if (Field.Line == Value.Line && Field.End == Value.End) return;
  Change(map_change::TLineEnd{&Field, Value});
}

void TTrainStructureSV::SetLinePoint(TTrLine* Line, uint8_t End,
                                     TTrPoint* Point) {
  if ((End == 1 ? Line->P1 : Line->P2) == Point) return;
  Change(map_change::TLinePoint{Line, End, Point});
}

template <typename T>
void TTrainStructureSV::RemoveFrom(std::vector<TOwned<T>>& List,
                                   const T* Object) {
  RemoveEach(List, std::span<const T* const>(&Object, 1));
}

template <typename T>
void TTrainStructureSV::RemoveEach(std::vector<TOwned<T>>& List,
                                   std::span<const T* const> Objects) {
  // From the back: what a gesture made and takes away again stands there.
  std::vector<map_change::TListEntry<T>> entries;
  for (size_t i = List.size(); i-- > 0 && entries.size() < Objects.size();) {
    if (std::find(Objects.begin(), Objects.end(), List[i].get()) !=
        Objects.end()) {
      entries.push_back({i, nullptr});
    }
  }
  if (entries.size() == 1) {
    Change(std::move(entries.front()));
  } else if (!entries.empty()) {
    std::reverse(entries.begin(), entries.end());
    Change(map_change::TListEntries<T>{std::move(entries)});
  }
}

template <typename T, typename TGoes>
void TTrainStructureSV::RemoveWhere(std::vector<TOwned<T>>& List, TGoes Goes) {
  map_change::TListEntries<T> record;
  for (size_t i = 0; i < List.size(); ++i) {
    if (Goes(List[i].get())) record.Entries.push_back({i, nullptr});
  }
  if (!record.Entries.empty()) Change(std::move(record));
}

int32_t TTrainStructureSV::NewId() {
  // Every line's identifier is below a counter that has not run out: the
  // counter itself is free.
  if (NextId >= 0) {
    const int32_t id = NextId;
    SetNextId(id == INT32_MAX ? INT32_MIN : id + 1);
    return id;
  }
  // A map file cannot hold a negative identifier, so the counter stays
  // past the end and every further one is looked for.
  return SmallestFreeLineId();
}

int32_t TTrainStructureSV::SmallestFreeLineId() const {
  // Of the N + 1 identifiers 1 to N + 1, N lines leave one free.
  std::vector<bool> taken(Tracks.size() + Walls.size() + 2);
  const auto mark = [&taken](const TTrLine& Line) {
    if (Line.Id > 0 && static_cast<size_t>(Line.Id) < taken.size()) {
      taken[static_cast<size_t>(Line.Id)] = true;
    }
  };
  for (const auto& track : Tracks) mark(*track);
  for (const auto& wall : Walls) mark(*wall);
  const auto free = static_cast<size_t>(
      std::find(taken.begin() + 1, taken.end(), false) - taken.begin());
  if (free > static_cast<size_t>(INT32_MAX)) throw EIdentifierOverflow();
  return static_cast<int32_t>(free);
}

void TTrainStructureSV::SetNextId(int32_t Id) {
  if (Id != NextId) Change(map_change::TNextId{Id});
}

TTrPoint* TTrainStructureSV::AddPoint(TOwned<TTrPoint> Point) {
  TTrPoint* added = Point.get();
  Change(map_change::TListEntry<TTrPoint>{Points.size(), std::move(Point)});
  return added;
}

TTrLine* TTrainStructureSV::AddLine(TOwned<TTrLine> Line) {
  TTrLine* added = Line.release();
  if (auto* track = AsTrack(added)) {
    Change(
        map_change::TListEntry<TTrack>{Tracks.size(), TOwned<TTrack>(track)});
  } else {
    Change(map_change::TListEntry<TWall>{
        Walls.size(), TOwned<TWall>(static_cast<TWall*>(added))});
  }
  return added;
}

TTrain* TTrainStructureSV::AddTrain(TOwned<TTrain> Train) {
  TTrain* added = Train.get();
  Change(map_change::TListEntry<TTrain>{Trains.size(), std::move(Train)});
  return added;
}

void TTrainStructureSV::MovePoint(TTrPoint* Point, double X, double Y) {
  const TTrVector to = Vector(X, Y, Point->Pos.Z);
  if (!SameBits(to, Point->Pos)) Change(map_change::TPointPos{Point, to});
}

void TTrainStructureSV::MovePoints(
    const std::vector<TTrPoint*>& Moving,
    const std::function<TTrXY(size_t)>& PlaceOf) {
  ExpectMoves(Moving.size());
  constexpr size_t kAhead = 16;
  for (size_t i = 0; i < Moving.size(); ++i) {
    if (Recording && i + kAhead < Moving.size()) {
      Moved.Prefetch(Moving[i + kAhead]);
    }
    const TTrXY at = PlaceOf(i);
    MovePoint(Moving[i], at.X, at.Y);
  }
}

void TTrainStructureSV::SetPointHeight(TTrPoint* Point, double Z) {
  TTrVector to = Point->Pos;
  to.Z = Z;
  if (!SameBits(to, Point->Pos)) Change(map_change::TPointPos{Point, to});
}

void TTrainStructureSV::SetTrackProperties(TTrack* Track, uint8_t Poles,
                                           uint8_t Platform) {
  if (Track->Poles == Poles && Track->Platform == Platform) return;
  Change(map_change::TTrackProperties{Track, Poles, Platform});
}

void TTrainStructureSV::SetLink(const TTrLineEnd& At, const TTrLineEnd& Target,
                                bool Alternative) {
  if (At.Line == nullptr) return;
  SetLineEnd(SetLinkField(*At.Line, At.End, Alternative), Target);
}

TTrPoint* TTrainStructureSV::NewPoint(double X, double Y) {
  auto point = MakeOwned<TTrPoint>(X, Y, 0.0);
  point->Id = NewId();
  return AddPoint(std::move(point));
}

TTrLine* TTrainStructureSV::BuildLine(TTrPoint* Start, TTrPoint* End,
                                      bool Track) {
  TOwned<TTrLine> made;
  if (Track) {
    made = MakeOwned<TTrack>(Start, End);
  } else {
    made = MakeOwned<TWall>(Start, End);
  }
  made->Id = NewId();
  TTrLine* line = AddLine(std::move(made));
  const TTrLineEnd link = Start->Conn1.IsEmpty() ? Start->Conn2 : Start->Conn1;
  Connect(link.Line, link.End, line, 1);
  Connect(line, 2, nullptr, 0);
  return line;
}

void TTrainStructureSV::Connect(TTrLine* LineA, uint8_t EndA, TTrLine* LineB,
                                uint8_t EndB) {
  if (LineA == nullptr) {
    if (LineB != nullptr) Connect(LineB, EndB, nullptr, EndA);
    return;
  }
  const TTrLineEnd a{LineA, EndA};
  const TTrLineEnd b{LineB, EndB};
  // A link goes into the main slot while it is free, else into the branch.
  const auto store = [this](TTrLine& line, uint8_t end,
                            const TTrLineEnd& target) {
    TTrLineEnd& main = LinkAt(line, end, false);
    SetLineEnd(main.IsEmpty() ? main : LinkAt(line, end, true), target);
  };
  TTrPoint* point = EndA == 1 ? LineA->P1 : LineA->P2;
  store(*LineA, EndA, b);
  if (LineB != nullptr) {
    point = EndB == 1 ? LineB->P1 : LineB->P2;
    store(*LineB, EndB, a);
  }
  if (point == nullptr) return;
  if (!point->Conn1.IsEmpty() && !point->Conn2.IsEmpty()) {
    const bool aIsThere =
        LineA == point->Conn1.Line || LineA == point->Conn2.Line;
    SetLineEnd(point->Conn3, aIsThere ? b : a);
  } else {
    SetLineEnd(point->Conn1, a);
    SetLineEnd(point->Conn2, b);
  }
}

void TTrainStructureSV::RelinkPoint(TTrPoint* Point) {
  ApplyLinkRule(*Point,
                [this](const TTrLineEnd& At, const TTrLineEnd& Target,
                       bool Alternative) { SetLink(At, Target, Alternative); });
}

void TTrainStructureSV::DetachLine(TTrPoint* Point, TTrLine* Line) {
  if (!LetGoOfLine(Point, Line)) RemoveFrom(Points, Point);
}

bool TTrainStructureSV::LetGoOfLine(TTrPoint* Point, TTrLine* Line) {
  for (TTrLineEnd* conn : {&Point->Conn1, &Point->Conn2, &Point->Conn3}) {
    if (conn->Line == Line) {
      SetLineEnd(*conn, TTrLineEnd{nullptr, conn->End});
      break;
    }
  }
  if (!Point->Conn3.IsEmpty()) {
    TTrLineEnd* hole = Point->Conn1.IsEmpty()   ? &Point->Conn1
                       : Point->Conn2.IsEmpty() ? &Point->Conn2
                                                : nullptr;
    if (hole != nullptr) {
      SetLineEnd(*hole, Point->Conn3);
      SetLineEnd(Point->Conn3, TTrLineEnd{});
    }
  } else if (Point->Conn1.IsEmpty() && Point->Conn2.IsEmpty()) {
    return false;
  } else if (Point->Conn1.IsEmpty()) {
    SetLineEnd(Point->Conn1, Point->Conn2);
    SetLineEnd(Point->Conn2, TTrLineEnd{});
  }
  RelinkPoint(Point);
  return true;
}

namespace {

// A deletion removes objects one after the other, and the spatial index
// still reads the points of a line it takes out after one of them has gone.
// Outside an edit nothing would keep that point alive, so the deletion
// records an edit of its own, whose end frees what it removed all at once.
class TWholeDeletion {
 public:
  explicit TWholeDeletion(TTrainStructureSV& AMap)
      : Map(AMap), Own(!AMap.Editing()) {
    if (Own) Map.BeginEdit();
  }
  ~TWholeDeletion() {
    if (Own) Map.EndEdit();
  }
  TWholeDeletion(const TWholeDeletion&) = delete;
  TWholeDeletion& operator=(const TWholeDeletion&) = delete;

 private:
  TTrainStructureSV& Map;
  const bool Own;
};

}  // namespace

void TTrainStructureSV::DeletePoint(TTrPoint* Point) {
  const TWholeDeletion whole(*this);
  // Each distinct line once, taken before anything is removed, and the
  // point's own references cleared first: a line with both ends here must
  // neither be deleted twice nor make a neighbour relink through removed
  // lines.
  std::vector<const TTrack*> tracks;
  std::vector<const TWall*> walls;
  std::vector<TTrLine*> lines;
  for (TTrLineEnd* conn : {&Point->Conn1, &Point->Conn2, &Point->Conn3}) {
    TTrLine* line = conn->Line;
    SetLineEnd(*conn, TTrLineEnd{});
    if (line == nullptr || std::ranges::find(lines, line) != lines.end())
      continue;
    lines.push_back(line);
    if (const auto* track = AsTrack(line)) {
      tracks.push_back(track);
    } else {
      walls.push_back(static_cast<const TWall*>(line));
    }
  }
  std::vector<const TTrPoint*> points{Point};
  for (TTrLine* line : lines) {
    TTrPoint* other = line->P1 == Point ? line->P2 : line->P1;
    if (other != nullptr && other != Point && !LetGoOfLine(other, line)) {
      points.push_back(other);
    }
  }
  // Each list in one record, so that undo puts its objects back in one pass
  // over it; trains before their lines, lines before their points, as the
  // spatial index reads the points of what it takes out.
  RemoveWhere(Trains, [&](const TTrain* Train) {
    return std::ranges::find(lines, Train->Position.Line) != lines.end();
  });
  RemoveEach(Tracks, std::span<const TTrack* const>(tracks));
  RemoveEach(Walls, std::span<const TWall* const>(walls));
  RemoveEach(Points, std::span<const TTrPoint* const>(points));
}

void TTrainStructureSV::DeleteLineOnly(TTrLine* Line) {
  const TWholeDeletion whole(*this);
  TTrPoint* const first = Line->P1;
  TTrPoint* const second = Line->P2;
  // A line with both ends at one point is named there twice: the second
  // call takes the second reference.
  if (first != nullptr) DetachLine(first, Line);
  if (second != nullptr) DetachLine(second, Line);
  RemoveLine(Line);
}

void TTrainStructureSV::DeleteMany(const TObjectSet<TTrPoint>& GonePoints,
                                   const TObjectSet<TTrLine>& GoneLines,
                                   const TObjectSet<TTrain>& GoneTrains) {
  const TWholeDeletion whole(*this);
  TPointerSet<const TTrLine> lines;
  lines.Reserve(GoneLines.Size() + GonePoints.Size());
  GoneLines.ForEach([&](const TTrLine* Line) { lines.Insert(Line); });
  GonePoints.ForEach([&](const TTrPoint* Point) {
    for (const TTrLineEnd* conn : {&Point->Conn1, &Point->Conn2, &Point->Conn3})
      lines.Insert(conn->Line);
  });
  // The points that stay let go of the lines that go, in list order so that
  // the step is the same every time; a point left without a line goes.
  TPointerSet<const TTrPoint> emptied;
  const auto letGo = [&](TTrLine* Line) {
    // A line with both ends at one point is named there twice.
    for (TTrPoint* point : {Line->P1, Line->P2}) {
      if (point == nullptr || GonePoints.Contains(point)) continue;
      if (!LetGoOfLine(point, Line)) emptied.Insert(point);
    }
  };
  for (const auto& track : Tracks) {
    if (lines.Contains(track.get())) letGo(track.get());
  }
  for (const auto& wall : Walls) {
    if (lines.Contains(wall.get())) letGo(wall.get());
  }
  // Trains before their lines, lines before their points: the spatial index
  // reads the points of what it takes out.
  RemoveWhere(Trains, [&](const TTrain* Train) {
    return GoneTrains.Contains(Train) || lines.Contains(Train->Position.Line);
  });
  RemoveWhere(Tracks,
              [&](const TTrack* Track) { return lines.Contains(Track); });
  RemoveWhere(Walls, [&](const TWall* Wall) { return lines.Contains(Wall); });
  RemoveWhere(Points, [&](const TTrPoint* Point) {
    return GonePoints.Contains(Point) || emptied.Contains(Point);
  });
}

void TTrainStructureSV::DeleteTrain(TTrain* Train) {
  RemoveFrom(Trains, Train);
}

void TTrainStructureSV::SetTrainLength(TTrain* Train, double Length) {
  if (!SameBits(Train->Length, Length)) {
    Change(map_change::TTrainLength{Train, Length});
  }
}

void TTrainStructureSV::RemoveLine(TTrLine* Line) {
  // No train may go on referring to a removed line. From the back, so that
  // the trains still to be looked at keep their places.
  for (size_t i = Trains.size(); i-- > 0;) {
    if (Trains[i]->Position.Line == Line) {
      Change(map_change::TListEntry<TTrain>{i, nullptr});
    }
  }
  if (auto* track = AsTrack(Line)) {
    RemoveFrom(Tracks, track);
  } else {
    RemoveFrom(Walls, static_cast<TWall*>(Line));
  }
}

bool TTrainStructureSV::JoinPoint(TTrPoint* Gone, TTrLine* Line,
                                  TTrPoint* Keep) {
  if (Keep->Conn1.IsEmpty() || !Keep->Conn3.IsEmpty()) return false;
  const uint8_t end = Line->P1 == Gone ? 1 : 2;
  SetLinePoint(Line, end, Keep);
  const TTrLineEnd joined{Line, end};
  SetLineEnd(LinkAt(*Line, end, false), Keep->Conn1);
  if (!Keep->Conn2.IsEmpty()) {
    SetLineEnd(Keep->Conn3, joined);
    SetLineEnd(LinkAt(*Keep->Conn1.Line, Keep->Conn1.End, true), joined);
  } else {
    SetLineEnd(Keep->Conn2, joined);
    SetLineEnd(LinkAt(*Keep->Conn1.Line, Keep->Conn1.End, false), joined);
  }
  return true;
}

void TTrainStructureSV::RemovePoint(TTrPoint* Point) {
  RemoveFrom(Points, Point);
}

TTrPoint* TTrainStructureSV::SplitJoint(TTrPoint* Point, TTrLine* Line,
                                        double X, double Y) {
  TTrPoint* const made = NewPoint(X, Y);
  const uint8_t end = Line->P1 == Point ? 1 : 2;
  DetachLine(Point, Line);
  SetLinePoint(Line, end, made);
  // The links still lead to the line Point keeps.
  SetLineEnd(LinkAt(*Line, end, false), TTrLineEnd{});
  SetLineEnd(LinkAt(*Line, end, true), TTrLineEnd{});
  SetLineEnd(made->Conn1, TTrLineEnd{Line, end});
  return made;
}

bool TTrainStructureSV::RotateSwitch(TTrPoint* Point) {
  if (Point == nullptr || Point->Conn3.IsEmpty()) return false;
  SetLink(Point->Conn1, TTrLineEnd{}, true);
  const TTrLineEnd oldEntry = Point->Conn1;
  SetLineEnd(Point->Conn1, Point->Conn2);
  SetLineEnd(Point->Conn2, Point->Conn3);
  SetLineEnd(Point->Conn3, oldEntry);
  SetLink(Point->Conn1, Point->Conn2, false);
  SetLink(Point->Conn2, Point->Conn1, false);
  SetLink(Point->Conn3, Point->Conn1, false);
  SetLink(Point->Conn1, Point->Conn3, true);
  return true;
}

bool TTrainStructureSV::SwapSwitch(TTrPoint* Point) {
  if (Point == nullptr || Point->Conn3.IsEmpty()) return false;
  const TTrLineEnd defaultDirection = Point->Conn2;
  SetLineEnd(Point->Conn2, Point->Conn3);
  SetLineEnd(Point->Conn3, defaultDirection);
  RelinkPoint(Point);
  return true;
}

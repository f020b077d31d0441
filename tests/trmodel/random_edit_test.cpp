#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "index_check.h"
#include "map_builder.h"
#include "map_group.h"
#include "map_reader.h"
#include "map_writer.h"
#include "train_structure.h"

namespace {

using test_maps::Kind;

// Edits a map at random the way the editor would, for thousands of steps,
// checking the structure after every step.
class RandomEditor {
 public:
  explicit RandomEditor(unsigned Seed) : rng_(Seed) {}

  // Starts from a file with references a user's editing would never make:
  // bare points, lines named twice, loops, gaps, ends out of range.
  void LoadOddMap() {
    std::ostringstream text;
    text << "PNT 40\r\n";
    for (int i = 0; i < 40; ++i) {
      text << 1000 + i << ' ' << Coordinate() << ' ' << Coordinate() << " 0 "
           << (Pick(4) == 0 ? 1 : 0);
      for (int c = 0; c < 3; ++c) {
        text << ' ' << static_cast<int>(Pick(14)) - 2 << ' ' << Pick(4);
      }
      text << "\r\n";
    }
    text << "TRK 3\r\n1 2 1\r\n5 1 0\r\n9 2 1\r\n"
         << "TRN 3\r\n2 1 50\r\n4 2 30\r\n7 1 80\r\n";
    ReadMap(text.str(), map_);
  }

  void Step() {
    switch (Pick(12)) {
      case 0:
      case 1:
        BuildOnEmptyGround();
        break;
      case 2:
      case 3:
        BuildFromExistingPoint();
        break;
      case 4:
        JoinTwoPoints();
        break;
      case 5:
        if (Pick(4) == 0) {
          DeleteSomeGroup();
        } else {
          DeleteSomePoint();
        }
        break;
      case 6:
        SwitchCommand();
        break;
      case 7:
        if (Pick(4) == 0) {
          DragSomeGroup();
        } else {
          DragSomePoint();
        }
        break;
      case 8:
        SetSomeProperty();
        break;
      case 9:
        DeleteSomeLineOrTrain();
        break;
      default:
        PlaceAndMoveTrain();
        break;
    }
  }

  TTrainStructureSV& Map() { return map_; }
  // Whether the step just made is to be given up, as a failed gesture is.
  bool GiveUp() { return Pick(10) == 0; }
  // How often a step left a switch, or a line with both ends at one point.
  int SwitchesSeen() const { return switches_; }
  int LoopsSeen() const { return loops_; }
  void Tally() {
    for (const auto& point : map_.Points) switches_ += point->LineCount() == 3;
    for (const auto& track : map_.Tracks) loops_ += track->P1 == track->P2;
  }

 private:
  size_t Pick(size_t Count) {
    return std::uniform_int_distribution<size_t>(0, Count - 1)(rng_);
  }
  double Coordinate() {
    // A small grid, so that lines of length 0 and shared spots happen.
    return static_cast<double>(Pick(6)) * 10.0;
  }
  TTrPoint* AnyPoint() {
    if (map_.Points.empty()) return nullptr;
    return map_.Points[Pick(map_.Points.size())].get();
  }
  Kind AnyKind() { return Pick(4) == 0 ? Kind::Wall : Kind::Track; }

  void BuildOnEmptyGround() {
    ReleaseBuild(test_maps::Build(map_, Coordinate(), Coordinate(),
                                  Coordinate(), Coordinate(), AnyKind()));
  }

  // The release of a build may drop the new end point onto a point with
  // room for it, the start point included (a click without a move).
  void ReleaseBuild(TTrLine* Line) {
    // The new end point follows the mouse first.
    for (size_t moves = Pick(3); moves > 0; --moves) {
      map_.MovePoint(Line->P2, Coordinate(), Coordinate());
    }
    if (Pick(2) == 0) return;
    TTrPoint* target =
        Pick(3) == 0 ? static_cast<TTrPoint*>(Line->P1) : AnyPoint();
    if (target == Line->P2 || target->LineCount() > 2) return;
    test_maps::Join(map_, Line->P2, Line, target);
  }

  void BuildFromExistingPoint() {
    TTrPoint* start = AnyPoint();
    if (start == nullptr || start->LineCount() > 2) return;
    // The editor continues only from a point of the same kind.
    const Kind kind = start->IsWallPoint() ? Kind::Wall : Kind::Track;
    ReleaseBuild(
        test_maps::BuildFrom(map_, start, Coordinate(), Coordinate(), kind));
  }

  // A drop: a point with one line joins another with at most two, or a
  // point with two lines takes in one with one line.
  void JoinTwoPoints() {
    TTrPoint* drag = AnyPoint();
    TTrPoint* target = AnyPoint();
    if (drag == nullptr || drag == target) return;
    if (drag->LineCount() + target->LineCount() > 3) return;
    if (drag->LineCount() == 1) {
      test_maps::Join(map_, drag, drag->Conn1.Line, target);
    } else if (target->LineCount() == 1) {
      test_maps::Join(map_, target, target->Conn1.Line, drag);
    }
  }

  void DeleteSomePoint() {
    if (TTrPoint* point = AnyPoint()) map_.DeletePoint(point);
  }

  // Each object taken in at random, a few of every kind.
  TObjectGroup AnyGroup() {
    TObjectGroup group;
    for (const auto& point : map_.Points) {
      if (Pick(5) == 0) group.Points.Insert(point.get());
    }
    for (const auto& track : map_.Tracks) {
      if (Pick(8) == 0) group.Lines.Insert(track.get());
    }
    for (const auto& wall : map_.Walls) {
      if (Pick(8) == 0) group.Lines.Insert(wall.get());
    }
    for (const auto& train : map_.Trains) {
      if (Pick(4) == 0) group.Trains.Insert(train.get());
    }
    return group;
  }

  void DeleteSomeGroup() { DeleteGroup(map_, AnyGroup()); }

  // A group follows the mouse; moved by a good part of the map, it goes
  // without the spatial index, which is made anew when asked for.
  void DragSomeGroup() {
    const std::vector<TTrPoint*> points = GroupPoints(map_, AnyGroup());
    std::vector<TTrVector> from;
    for (const TTrPoint* point : points) from.push_back(point->Pos);
    for (size_t moves = Pick(3); moves > 0; --moves) {
      const double dx = Coordinate();
      const double dy = Coordinate();
      PlacePoints(map_, points, from, [dx, dy](const TTrVector& At) {
        return TTrXY{At.X + dx, At.Y - dy};
      });
    }
  }

  void SwitchCommand() {
    TTrPoint* point = AnyPoint();
    if (point == nullptr) return;
    if (Pick(2) == 0) {
      map_.RotateSwitch(point);
    } else {
      map_.SwapSwitch(point);
    }
  }

  // A drag: the point follows the mouse through several places.
  void DragSomePoint() {
    TTrPoint* point = AnyPoint();
    if (point == nullptr) return;
    for (size_t moves = Pick(4); moves > 0; --moves) {
      map_.MovePoint(point, Coordinate(), Coordinate());
    }
  }

  void DeleteSomeLineOrTrain() {
    if (Pick(2) == 0 && !map_.Trains.empty()) {
      map_.DeleteTrain(map_.Trains[Pick(map_.Trains.size())].get());
    } else if (Pick(2) == 0 && !map_.Walls.empty()) {
      map_.DeleteLineOnly(map_.Walls[Pick(map_.Walls.size())].get());
    } else if (!map_.Tracks.empty()) {
      map_.DeleteLineOnly(map_.Tracks[Pick(map_.Tracks.size())].get());
    }
  }

  void SetSomeProperty() {
    if (Pick(3) == 0 && !map_.Trains.empty()) {
      map_.SetTrainLength(map_.Trains[Pick(map_.Trains.size())].get(),
                          static_cast<double>(1 + Pick(100)));
    } else if (Pick(2) == 0) {
      if (TTrPoint* point = AnyPoint()) {
        map_.SetPointHeight(point, static_cast<double>(Pick(5)));
      }
    } else if (!map_.Tracks.empty()) {
      TTrack* track = map_.Tracks[Pick(map_.Tracks.size())].get();
      map_.SetTrackProperties(track, static_cast<uint8_t>(Pick(3)),
                              static_cast<uint8_t>(Pick(2)));
    }
  }

  void PlaceAndMoveTrain() {
    TTrPoint* point = AnyPoint();
    if (point == nullptr || point->Conn1.IsEmpty()) return;
    TTrain* train = map_.AddTrain(
        MakeOwned<TTrain>(point->Conn1.Line, point->Conn1.End, 50));
    // The far end as drawing asks for it: must end, on any shape of track.
    TTrackPosition front(train->Position.Line, train->Length,
                         train->Position.Dir);
    front.Advance(static_cast<double>(Pick(1000)));
    if (front.Line != nullptr) {
      TTrXY xy;
      front.GetXY(xy);
      ASSERT_TRUE(std::isfinite(xy.X) && std::isfinite(xy.Y));
    }
  }

  std::mt19937 rng_;
  TTrainStructureSV map_;
  int switches_ = 0;
  int loops_ = 0;
};

// Everything a map is, objects by their addresses: an undone step must give
// back the very objects, not copies, in the same order with the same fields.
// Words rather than text, so that thousands of levels compare quickly.
std::vector<uint64_t> Fingerprint(const TTrainStructureSV& Map) {
  std::vector<uint64_t> words;
  const auto add = [&words](auto... Values) {
    (words.push_back([](auto Value) -> uint64_t {
      if constexpr (std::is_pointer_v<decltype(Value)>) {
        return reinterpret_cast<uintptr_t>(Value);
      } else if constexpr (std::is_floating_point_v<decltype(Value)>) {
        return std::bit_cast<uint64_t>(Value);
      } else {
        return static_cast<uint64_t>(Value);
      }
    }(Values)),
     ...);
  };
  const auto ref = [&add](const TTrLineEnd& End) {
    add(static_cast<TTrLine*>(End.Line), End.End);
  };
  const auto line = [&](const TTrLine& L) {
    add(&L, L.Id, static_cast<TTrPoint*>(L.P1), static_cast<TTrPoint*>(L.P2));
    for (const TTrLineEnd* link : {&L.Next1, &L.Next2, &L.Branch1, &L.Branch2})
      ref(*link);
  };
  add(Map.NextId, Map.Points.size(), Map.Tracks.size(), Map.Walls.size(),
      Map.Trains.size());
  for (const auto& p : Map.Points) {
    add(p.get(), p->Id, p->Pos.X, p->Pos.Y, p->Pos.Z);
    for (const TTrLineEnd* conn : {&p->Conn1, &p->Conn2, &p->Conn3}) ref(*conn);
  }
  for (const auto& t : Map.Tracks) {
    line(*t);
    add(t->Poles, t->Platform);
  }
  for (const auto& w : Map.Walls) line(*w);
  for (const auto& t : Map.Trains) {
    add(t.get(), t->Position.Line, t->Position.Dir, t->Position.Offset,
        t->Length);
  }
  return words;
}

// Boxes around the walk's coordinates (multiples of 10 from 0 to 50): all
// of them, parts, a single place, and a box beside them that only trains
// reach.
const std::vector<TWorldBox> kBoxes = {{-1e300, -1e300, 1e300, 1e300},
                                       {0, 0, 20, 20},
                                       {25, 25, 55, 55},
                                       {-5, -5, 5, 5},
                                       {10, 30, 10, 30},
                                       {35, -5, 45, 60},
                                       {51, 51, 100, 100}};

struct TState {
  std::string Saved;
  std::vector<uint64_t> Objects;
};

TState StateOf(const TTrainStructureSV& Map) {
  return {WriteMap(Map), Fingerprint(Map)};
}

void ExpectState(const TTrainStructureSV& Map, const TState& Expected,
                 const std::string& Where) {
  ASSERT_EQ(test_maps::IndexProblems(Map, kBoxes), "") << Where;
  const TState now = StateOf(Map);
  ASSERT_EQ(now.Saved, Expected.Saved) << Where;
  const auto differ =
      std::mismatch(now.Objects.begin(), now.Objects.end(),
                    Expected.Objects.begin(), Expected.Objects.end());
  ASSERT_TRUE(now.Objects == Expected.Objects)
      << Where << ": objects differ from word "
      << differ.first - now.Objects.begin();
}

// Counts the objects that left the map without its observers being told.
class TLeaveWatch : public TMapObserver {
 public:
  explicit TLeaveWatch(TTrainStructureSV& AMap) : Map(AMap) {
    Map.AddObserver(this);
    Seen = Present();
  }
  ~TLeaveWatch() { Map.RemoveObserver(this); }
  TLeaveWatch(const TLeaveWatch&) = delete;
  TLeaveWatch& operator=(const TLeaveWatch&) = delete;

  void Leaving(const TTrPoint& Point) override { Told.insert(&Point); }
  void Leaving(const TTrLine& Line) override { Told.insert(&Line); }
  void Leaving(const TTrain& Train) override { Told.insert(&Train); }

  // Those gone untold since the last call.
  size_t Untold() {
    const std::set<const void*> now = Present();
    const size_t untold = static_cast<size_t>(
        std::count_if(Seen.begin(), Seen.end(), [&](const void* Object) {
          return !now.contains(Object) && !Told.contains(Object);
        }));
    Seen = now;
    Told.clear();
    return untold;
  }

 private:
  std::set<const void*> Present() const {
    std::set<const void*> objects;
    const auto add = [&objects](const auto& List) {
      for (const auto& object : List) objects.insert(object.get());
    };
    add(Map.Points);
    add(Map.Tracks);
    add(Map.Walls);
    add(Map.Trains);
    return objects;
  }

  TTrainStructureSV& Map;
  std::set<const void*> Seen;
  std::set<const void*> Told;
};

// Every step is one edit; about one in ten is given up, as a failed gesture
// is, and must leave no trace. Then every edit is undone back to the start
// and redone to the end, the map checked against the way forward at every
// level. The map's spatial index, kept current all the way, answers at
// every level as one made anew does, and every object that leaves the map
// is told to its observers first.
TEST(RandomEditing, KeepsTheMapSoundAndUndoesAndRedoesEveryStepExactly) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    RandomEditor editor(seed);
    TTrainStructureSV& map = editor.Map();
    if (seed % 3 == 0) editor.LoadOddMap();
    ASSERT_EQ(test_maps::Problems(map), "") << "seed " << seed;
    ASSERT_EQ(test_maps::IndexProblems(map, kBoxes), "") << "seed " << seed;
    std::vector<TState> states{StateOf(map)};
    std::vector<TMapEdit> edits;
    TLeaveWatch watch(map);
    for (int step = 0; step < 1200; ++step) {
      const std::string where =
          "seed " + std::to_string(seed) + ", step " + std::to_string(step);
      map.BeginEdit();
      editor.Step();
      if (editor.GiveUp()) {
        map.RollBackEdit();
        ExpectState(map, states.back(), where + " given up");
        ASSERT_EQ(watch.Untold(), 0u) << where;
        continue;
      }
      edits.push_back(map.EndEdit());
      ASSERT_EQ(watch.Untold(), 0u) << where;
      ASSERT_EQ(test_maps::Problems(map), "") << where;
      ASSERT_EQ(test_maps::IndexProblems(map, kBoxes), "") << where;
      if (seed % 3 != 0) {
        for (const auto& point : map.Points) {
          // Editing never leaves a point without lines or with a fourth.
          ASSERT_GE(point->LineCount(), 1) << where;
        }
      }
      states.push_back(StateOf(map));
      editor.Tally();
    }
    // The walk must reach the shapes that are hard to get right.
    EXPECT_GT(editor.SwitchesSeen(), 0) << "seed " << seed;
    EXPECT_GT(editor.LoopsSeen(), 0) << "seed " << seed;

    for (size_t level = edits.size(); level-- > 0;) {
      edits[level].Undo(map);
      ExpectState(map, states[level], "undo to " + std::to_string(level));
      ASSERT_EQ(watch.Untold(), 0u) << "undo to " << level;
    }
    for (size_t level = 0; level < edits.size(); ++level) {
      edits[level].Redo(map);
      ExpectState(map, states[level + 1], "redo to " + std::to_string(level));
      ASSERT_EQ(watch.Untold(), 0u) << "redo to " << level;
    }
  }
}

// A group deleted the way the editor once did it: each object alone, in
// list order, passing over those that went with another.
void DeleteOneByOne(TTrainStructureSV& Map, const TObjectGroup& Group) {
  class TLeft : public TMapObserver {
   public:
    TLeft(TTrainStructureSV& AMap, const TObjectGroup& Group)
        : Map(AMap), Left(Group) {
      Map.AddObserver(this);
    }
    ~TLeft() { Map.RemoveObserver(this); }
    void Leaving(const TTrPoint& Point) override { Left.Points.Erase(&Point); }
    void Leaving(const TTrLine& Line) override { Left.Lines.Erase(&Line); }
    void Leaving(const TTrain& Train) override { Left.Trains.Erase(&Train); }
    TTrainStructureSV& Map;
    TObjectGroup Left;
  } left(Map, Group);
  const auto inOrder = [](const auto& List, const auto& Set) {
    std::vector<decltype(List.front().get())> found;
    for (const auto& object : List) {
      if (Set.Contains(object.get())) found.push_back(object.get());
    }
    return found;
  };
  for (TTrain* train : inOrder(Map.Trains, Group.Trains)) {
    if (left.Left.Trains.Contains(train)) Map.DeleteTrain(train);
  }
  for (TTrack* track : inOrder(Map.Tracks, Group.Lines)) {
    if (left.Left.Lines.Contains(track)) Map.DeleteLineOnly(track);
  }
  for (TWall* wall : inOrder(Map.Walls, Group.Lines)) {
    if (left.Left.Lines.Contains(wall)) Map.DeleteLineOnly(wall);
  }
  for (TTrPoint* point : inOrder(Map.Points, Group.Points)) {
    if (left.Left.Points.Contains(point)) Map.DeletePoint(point);
  }
}

// The map's file and every line's points and links, by identifiers.
std::string Described(const TTrainStructureSV& Map) {
  std::string text = WriteMap(Map);
  const auto line = [&text](const TTrLine& Line) {
    const auto id = [](const TTrPoint* Point) {
      return Point != nullptr ? std::to_string(Point->Id) : std::string("-");
    };
    text += std::to_string(Line.Id) + " " + id(Line.P1) + " " + id(Line.P2);
    for (const TTrLineEnd* link :
         {&Line.Next1, &Line.Next2, &Line.Branch1, &Line.Branch2}) {
      text += " " + test_maps::Ref(*link);
    }
    text += "\n";
  };
  for (const auto& track : Map.Tracks) line(*track);
  for (const auto& wall : Map.Walls) line(*wall);
  return text;
}

// The same group, by places in the lists, of two maps made alike.
TObjectGroup SameGroup(const TTrainStructureSV& Map, unsigned Seed) {
  std::mt19937 rng(Seed);
  const auto pick = [&rng](const auto& List, auto& Set, unsigned OneIn) {
    for (const auto& object : List) {
      if (rng() % OneIn == 0) Set.Insert(object.get());
    }
  };
  TObjectGroup group;
  pick(Map.Points, group.Points, 4);
  pick(Map.Tracks, group.Lines, 6);
  pick(Map.Walls, group.Lines, 6);
  pick(Map.Trains, group.Trains, 3);
  return group;
}

TEST(RandomEditing, AGroupDeletedAtOnceLeavesWhatDeletingItOneByOneLeaves) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    RandomEditor atOnce(seed);
    RandomEditor oneByOne(seed);
    if (seed % 3 == 0) {
      atOnce.LoadOddMap();
      oneByOne.LoadOddMap();
    }
    for (int step = 0; step < 200; ++step) {
      atOnce.Step();
      oneByOne.Step();
    }
    ASSERT_EQ(Described(atOnce.Map()), Described(oneByOne.Map()));
    DeleteGroup(atOnce.Map(), SameGroup(atOnce.Map(), seed));
    DeleteOneByOne(oneByOne.Map(), SameGroup(oneByOne.Map(), seed));
    EXPECT_EQ(Described(atOnce.Map()), Described(oneByOne.Map()))
        << "seed " << seed;
    EXPECT_EQ(test_maps::Problems(atOnce.Map()), "") << "seed " << seed;
  }
}

}  // namespace

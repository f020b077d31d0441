#include <gtest/gtest.h>

#include <memory>

#include "map_builder.h"
#include "train_structure.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Join;
using test_maps::Problems;
using test_maps::Ref;

TEST(NewId, CountsFromZeroInTheOrderOfCreation) {
  TTrainStructureSV map;
  TTrLine* line = Build(map, 0, 0, 10, 0);
  EXPECT_EQ(map.Points[0]->Id, 0);
  EXPECT_EQ(map.Points[1]->Id, 1);
  EXPECT_EQ(line->Id, 2);
  EXPECT_EQ(map.NextId, 3);
  map.NextId = 2147483647;
  EXPECT_EQ(map.NewId(), 2147483647);
  EXPECT_EQ(map.NextId, -2147483647 - 1);
}

// The three ways a build gesture joins its new line at the start point.
TEST(Connect, NewLineFromANewPointIsADeadEnd) {
  TTrainStructureSV map;
  TTrLine* n = Build(map, 0, 0, 10, 0);
  TTrPoint* s = n->P1;
  TTrPoint* e = n->P2;
  EXPECT_EQ(Ref(s->Conn1), "2:1");
  EXPECT_EQ(Ref(s->Conn2), "-");
  EXPECT_EQ(Ref(n->Next1), "-");
  EXPECT_EQ(Ref(e->Conn1), "2:2");
  EXPECT_EQ(Ref(n->Next2), "-");
  EXPECT_EQ(Problems(map), "");
}

TEST(Connect, NewLineFromAPointWithOneLineMakesAJoint) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);  // points 0, 1, line 2
  TTrPoint* s = a->P2;
  TTrLine* n = BuildFrom(map, s, 20, 0);  // point 3, line 4
  EXPECT_EQ(n->Id, 4);
  EXPECT_EQ(Ref(a->Next2), "4:1");
  EXPECT_EQ(Ref(n->Next1), "2:2");
  EXPECT_EQ(Ref(s->Conn1), "2:2");
  EXPECT_EQ(Ref(s->Conn2), "4:1");
  EXPECT_EQ(Ref(s->Conn3), "-");
  EXPECT_EQ(Ref(a->Branch2), "-");
  EXPECT_EQ(Problems(map), "");
}

TEST(Connect, NewLineFromAPointWithTwoLinesMakesASwitch) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);  // 0, 1, 2
  TTrPoint* s = a->P2;
  TTrLine* b = BuildFrom(map, s, 20, 0);  // 3, 4
  TTrLine* n = BuildFrom(map, s, 20, 5);  // 5, 6
  EXPECT_EQ(Ref(a->Next2), "4:1");
  EXPECT_EQ(Ref(a->Branch2), "6:1");
  EXPECT_EQ(Ref(n->Next1), "2:2");
  EXPECT_EQ(Ref(b->Next1), "2:2");
  EXPECT_EQ(Ref(s->Conn1), "2:2");
  EXPECT_EQ(Ref(s->Conn2), "4:1");
  EXPECT_EQ(Ref(s->Conn3), "6:1");
  EXPECT_EQ(Ref(n->P2->Conn1), "6:2");
  EXPECT_EQ(Problems(map), "");
}

TEST(Connect, WithoutAFirstLineActsAsWithTheLinesExchanged) {
  TTrainStructureSV a;
  TTrainStructureSV b;
  for (TTrainStructureSV* map : {&a, &b}) {
    TTrPoint* p = map->AddPoint(MakeOwned<TTrPoint>(0, 0, 0));
    TTrPoint* q = map->AddPoint(MakeOwned<TTrPoint>(5, 0, 0));
    map->AddLine(MakeOwned<TTrack>(p, q))->Id = 7;
  }
  a.Connect(nullptr, 0, a.Tracks[0].get(), 1);
  b.Connect(b.Tracks[0].get(), 1, nullptr, 0);
  for (TTrainStructureSV* map : {&a, &b}) {
    EXPECT_EQ(Ref(map->Points[0]->Conn1), "7:1");
    EXPECT_EQ(Ref(map->Points[0]->Conn2), "-");
    EXPECT_EQ(Ref(map->Tracks[0]->Next1), "-");
  }
}

TEST(Connect, TreatsEveryEndCodeButOneAsEndTwo) {
  TTrainStructureSV map;
  TTrPoint* p = map.AddPoint(MakeOwned<TTrPoint>(0, 0, 0));
  TTrPoint* q = map.AddPoint(MakeOwned<TTrPoint>(5, 0, 0));
  TTrLine* line = map.AddLine(MakeOwned<TTrack>(p, q));
  line->Id = 3;
  map.Connect(line, 0, nullptr, 0);
  EXPECT_EQ(Ref(q->Conn1), "3:0");
  EXPECT_EQ(Ref(p->Conn1), "-");
}

TEST(SetLink, ChoosesTheFieldByEndAndKind) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);
  TTrLine* b = Build(map, 0, 5, 10, 5);
  const TTrLineEnd target{b, 2};
  SetLink(TTrLineEnd{a, 2}, target, false);
  SetLink(TTrLineEnd{a, 1}, target, true);
  EXPECT_EQ(Ref(a->Next2), "5:2");
  EXPECT_EQ(Ref(a->Branch1), "5:2");
  EXPECT_EQ(Ref(a->Next1), "-");
  EXPECT_EQ(Ref(a->Branch2), "-");
  SetLink(TTrLineEnd{a, 0}, target, false);  // any code but 2 is end 1
  EXPECT_EQ(Ref(a->Next1), "5:2");
  SetLink(TTrLineEnd{a, 2}, TTrLineEnd{nullptr, 1}, false);
  EXPECT_EQ(Ref(a->Next2), "-");
  SetLink(TTrLineEnd{}, target, false);  // names no line: nothing to change
}

TEST(RelinkPoint, RestoresTheLinkRuleForOneTwoAndThreeLines) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);
  TTrPoint* s = a->P2;
  // Garbage in every link at s; the rule puts each right.
  a->Next2 = a->Branch2 = TTrLineEnd{a, 1};
  map.RelinkPoint(s);
  EXPECT_EQ(Ref(a->Next2), "-");
  EXPECT_EQ(Ref(a->Branch2), "-");

  TTrLine* b = BuildFrom(map, s, 20, 0);
  TTrLine* c = BuildFrom(map, s, 20, 5);
  b->Next1 = c->Next1 = TTrLineEnd{};
  a->Branch2 = TTrLineEnd{};
  map.RelinkPoint(s);
  EXPECT_EQ(Ref(a->Next2), Ref(TTrLineEnd{b, 1}));
  EXPECT_EQ(Ref(a->Branch2), Ref(TTrLineEnd{c, 1}));
  EXPECT_EQ(Ref(b->Next1), Ref(TTrLineEnd{a, 2}));
  EXPECT_EQ(Ref(c->Next1), Ref(TTrLineEnd{a, 2}));
  EXPECT_EQ(Problems(map), "");
}

struct SwitchMap {
  TTrainStructureSV map;
  TTrLine* a;
  TTrLine* b;
  TTrLine* c;
  TTrPoint* s;
  SwitchMap() {
    a = Build(map, 0, 0, 10, 0);
    s = a->P2;
    b = BuildFrom(map, s, 20, 0);
    c = BuildFrom(map, s, 20, 5);
  }
  std::string Refs() const {
    return Ref(s->Conn1) + " " + Ref(s->Conn2) + " " + Ref(s->Conn3);
  }
};

TEST(SwitchCommands, RotateThreeTimesAndSwapTwiceRestoreTheSwitch) {
  SwitchMap sw;
  EXPECT_EQ(sw.Refs(), "2:2 4:1 6:1");
  EXPECT_TRUE(sw.map.RotateSwitch(sw.s));
  EXPECT_EQ(sw.Refs(), "4:1 6:1 2:2");
  EXPECT_EQ(Problems(sw.map), "");
  sw.map.RotateSwitch(sw.s);
  EXPECT_EQ(sw.Refs(), "6:1 2:2 4:1");
  EXPECT_EQ(Problems(sw.map), "");
  sw.map.RotateSwitch(sw.s);
  EXPECT_EQ(sw.Refs(), "2:2 4:1 6:1");
  EXPECT_EQ(Ref(sw.a->Branch2), "6:1");
  EXPECT_EQ(Problems(sw.map), "");

  EXPECT_TRUE(sw.map.SwapSwitch(sw.s));
  EXPECT_EQ(sw.Refs(), "2:2 6:1 4:1");
  EXPECT_EQ(Ref(sw.a->Next2), "6:1");
  EXPECT_EQ(Ref(sw.a->Branch2), "4:1");
  EXPECT_EQ(Problems(sw.map), "");
  sw.map.SwapSwitch(sw.s);
  EXPECT_EQ(sw.Refs(), "2:2 4:1 6:1");
  EXPECT_EQ(Ref(sw.a->Next2), "4:1");
}

TEST(SwitchCommands, RotationMovesTheBranchLinkToTheNewEntry) {
  SwitchMap sw;
  sw.map.RotateSwitch(sw.s);
  EXPECT_EQ(Ref(sw.a->Branch2), "-");  // the old entry
  EXPECT_EQ(Ref(sw.a->Next2), "4:1");
  EXPECT_EQ(Ref(sw.b->Branch1), "2:2");
  EXPECT_EQ(Ref(sw.b->Next1), "6:1");
  EXPECT_EQ(Ref(sw.c->Next1), "4:1");
}

TEST(SwitchCommands, DoNothingWithoutThreeLines) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);
  TTrLine* b = BuildFrom(map, a->P2, 20, 0);
  EXPECT_FALSE(map.RotateSwitch(a->P2));
  EXPECT_FALSE(map.SwapSwitch(a->P2));
  EXPECT_FALSE(map.RotateSwitch(nullptr));
  EXPECT_EQ(Ref(a->P2->Conn1), "2:2");
  EXPECT_EQ(Ref(a->P2->Conn2), "4:1");
  EXPECT_EQ(Ref(b->Next1), "2:2");
}

TEST(JoinPoint, OneLineOntoOneLineMakesAThroughPoint) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);   // 0, 1, 2
  TTrLine* b = Build(map, 20, 0, 10, 1);  // 3, 4, 5
  Join(map, b->P2, b, a->P2);
  TTrPoint* keep = a->P2;
  EXPECT_EQ(b->P2, keep);
  EXPECT_EQ(Ref(keep->Conn1), "2:2");
  EXPECT_EQ(Ref(keep->Conn2), "5:2");
  EXPECT_EQ(Ref(a->Next2), "5:2");
  EXPECT_EQ(Ref(b->Next2), "2:2");
  EXPECT_EQ(map.Points.size(), 3u);
  EXPECT_EQ(Problems(map), "");
}

TEST(JoinPoint, OntoTwoLinesMakesASwitch) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);
  TTrLine* b = BuildFrom(map, a->P2, 20, 0);
  TTrLine* c = Build(map, 10, 10, 11, 1);  // 5, 6, 7
  Join(map, c->P2, c, a->P2);
  EXPECT_EQ(Ref(a->P2->Conn3), "7:2");
  EXPECT_EQ(Ref(a->Branch2), "7:2");
  EXPECT_EQ(Ref(a->Next2), Ref(TTrLineEnd{b, 1}));
  EXPECT_EQ(Ref(c->Next2), "2:2");
  EXPECT_EQ(Problems(map), "");
}

TEST(JoinPoint, AReleaseWhereTheBuildBeganMakesALoopOfOneLine) {
  TTrainStructureSV map;
  TTrLine* l = Build(map, 0, 0, 0, 0);
  TTrPoint* start = l->P1;
  Join(map, l->P2, l, start);
  EXPECT_EQ(l->P1, start);
  EXPECT_EQ(l->P2, start);
  EXPECT_EQ(Ref(start->Conn1), "2:1");
  EXPECT_EQ(Ref(start->Conn2), "2:2");
  EXPECT_EQ(Ref(l->Next1), "2:2");
  EXPECT_EQ(Ref(l->Next2), "2:1");
  EXPECT_EQ(map.Points.size(), 1u);
  EXPECT_EQ(Problems(map), "");
}

TEST(JoinPoint, RefusesAPointWithoutLinesOrWithThree) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);
  TTrPoint* bare = map.AddPoint(MakeOwned<TTrPoint>(30, 0, 0));
  EXPECT_FALSE(map.JoinPoint(a->P2, a, bare));
  BuildFrom(map, a->P2, 20, 0);
  BuildFrom(map, a->P2, 20, 5);
  TTrLine* d = Build(map, 50, 0, 60, 0);
  EXPECT_FALSE(map.JoinPoint(d->P2, d, a->P2));
  EXPECT_EQ(d->P2->LineCount(), 1);
  EXPECT_EQ(Problems(map), "");
}

TEST(PointQueries, WallPointAndLineCount) {
  TTrainStructureSV map;
  const TTrPoint bare(0, 0, 0);
  EXPECT_TRUE(bare.IsWallPoint());
  EXPECT_EQ(bare.LineCount(), 0);
  TTrLine* track = Build(map, 0, 0, 10, 0);
  TTrLine* wall = Build(map, 0, 5, 10, 5, test_maps::Kind::Wall);
  EXPECT_FALSE(track->P1->IsWallPoint());
  EXPECT_TRUE(wall->P1->IsWallPoint());
  // Only Conn2 is consulted when Conn1 is empty.
  TTrPoint odd(0, 0, 0);
  odd.Conn2 = TTrLineEnd{track, 1};
  EXPECT_FALSE(odd.IsWallPoint());
  EXPECT_EQ(odd.LineCount(), 1);
  BuildFrom(map, track->P2, 20, 0);
  BuildFrom(map, track->P2, 20, 5);
  EXPECT_EQ(track->P2->LineCount(), 3);
}

}  // namespace

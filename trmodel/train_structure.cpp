#include "train_structure.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

template <typename T, typename U>
void EraseOwned(std::vector<std::unique_ptr<T>>& List, const U* Object) {
  const auto found = std::find_if(
      List.begin(), List.end(),
      [Object](const std::unique_ptr<T>& p) { return p.get() == Object; });
  if (found != List.end()) List.erase(found);
}

// The main (or branch) link of Line at end End; codes other than 1 are end 2.
TTrLineEnd& LinkAt(TTrLine& Line, uint8_t End, bool Alternative) {
  if (End == 1) return Alternative ? Line.Branch1 : Line.Next1;
  return Alternative ? Line.Branch2 : Line.Next2;
}

}  // namespace

TTrainStructureSV::~TTrainStructureSV() {
  // Lines and points refer to each other only through plain pointers, so
  // freeing in this order touches nothing already freed.
  Tracks.clear();
  Points.clear();
  Walls.clear();
  Trains.clear();
}

int32_t TTrainStructureSV::NewId() {
  const int32_t id = NextId;
  NextId = static_cast<int32_t>(static_cast<uint32_t>(NextId) + 1u);
  return id;
}

TTrPoint* TTrainStructureSV::AddPoint(std::unique_ptr<TTrPoint> Point) {
  Points.push_back(std::move(Point));
  return Points.back().get();
}

TTrLine* TTrainStructureSV::AddLine(std::unique_ptr<TTrLine> Line) {
  TTrLine* raw = Line.release();
  if (auto* track = dynamic_cast<TTrack*>(raw)) {
    Tracks.emplace_back(track);
  } else {
    Walls.emplace_back(static_cast<TWall*>(raw));
  }
  return raw;
}

TTrain* TTrainStructureSV::AddTrain(std::unique_ptr<TTrain> Train) {
  Trains.push_back(std::move(Train));
  return Trains.back().get();
}

TTrPoint* TTrainStructureSV::NewPoint(double X, double Y) {
  auto point = std::make_unique<TTrPoint>(X, Y, 0.0);
  point->Id = NewId();
  return AddPoint(std::move(point));
}

TTrLine* TTrainStructureSV::BuildLine(TTrPoint* Start, TTrPoint* End,
                                      bool Track) {
  std::unique_ptr<TTrLine> made;
  if (Track) {
    made = std::make_unique<TTrack>(Start, End);
  } else {
    made = std::make_unique<TWall>(Start, End);
  }
  TTrLine* line = AddLine(std::move(made));
  line->Id = NewId();
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
  const auto store = [](TTrLine& line, uint8_t end, const TTrLineEnd& target) {
    TTrLineEnd& main = LinkAt(line, end, false);
    (main.IsEmpty() ? main : LinkAt(line, end, true)) = target;
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
    point->Conn3 = aIsThere ? b : a;
  } else {
    point->Conn1 = a;
    point->Conn2 = b;
  }
}

void TTrainStructureSV::RelinkPoint(TTrPoint* Point) {
  SetLink(Point->Conn1, Point->Conn2, false);
  if (!Point->Conn2.IsEmpty()) SetLink(Point->Conn2, Point->Conn1, false);
  if (!Point->Conn3.IsEmpty()) SetLink(Point->Conn3, Point->Conn1, false);
  SetLink(Point->Conn1, Point->Conn3, true);
}

void TTrainStructureSV::DetachLine(TTrPoint* Point, TTrLine* Line) {
  for (TTrLineEnd* conn : {&Point->Conn1, &Point->Conn2, &Point->Conn3}) {
    if (conn->Line == Line) {
      conn->Line = nullptr;
      break;
    }
  }
  if (!Point->Conn3.IsEmpty()) {
    TTrLineEnd* hole = Point->Conn1.IsEmpty()   ? &Point->Conn1
                       : Point->Conn2.IsEmpty() ? &Point->Conn2
                                                : nullptr;
    if (hole != nullptr) {
      *hole = Point->Conn3;
      Point->Conn3 = TTrLineEnd{};
    }
    RelinkPoint(Point);
  } else if (Point->Conn1.IsEmpty() && Point->Conn2.IsEmpty()) {
    EraseOwned(Points, Point);
  } else {
    if (Point->Conn1.IsEmpty()) {
      Point->Conn1 = Point->Conn2;
      Point->Conn2 = TTrLineEnd{};
    }
    RelinkPoint(Point);
  }
}

void TTrainStructureSV::DeleteLine(TTrLine* Line, TTrPoint* Deleted) {
  if (Line == nullptr) return;
  TTrPoint* other = Line->P1 == Deleted ? Line->P2 : Line->P1;
  // A line with both ends at the deleted point has no neighbour to detach.
  if (other != nullptr && other != Deleted) DetachLine(other, Line);
  FreeLine(Line);
}

void TTrainStructureSV::DeletePoint(TTrPoint* Point) {
  // Each distinct line once, taken before anything is freed, and the point's
  // own references cleared first: a line with both ends here must neither be
  // deleted twice nor make DetachLine relink this point through freed lines.
  std::array<TTrLine*, 3> lines{Point->Conn1.Line, Point->Conn2.Line,
                                Point->Conn3.Line};
  Point->Conn1 = Point->Conn2 = Point->Conn3 = TTrLineEnd{};
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool seen = std::find(lines.begin(), lines.begin() + i, lines[i]) !=
                      lines.begin() + i;
    if (!seen) DeleteLine(lines[i], Point);
  }
  EraseOwned(Points, Point);
}

void TTrainStructureSV::FreeLine(TTrLine* Line) {
  // No train may go on referring to a freed line.
  std::erase_if(Trains, [Line](const std::unique_ptr<TTrain>& train) {
    return train->Position.Line == Line;
  });
  if (IsTrack(Line)) {
    EraseOwned(Tracks, Line);
  } else {
    EraseOwned(Walls, Line);
  }
}

bool TTrainStructureSV::JoinPoint(TTrPoint* Gone, TTrLine* Line,
                                  TTrPoint* Keep) {
  if (Keep->Conn1.IsEmpty() || !Keep->Conn3.IsEmpty()) return false;
  uint8_t end = 2;
  if (Line->P1 == Gone) {
    Line->P1 = Keep;
    end = 1;
  } else {
    Line->P2 = Keep;
  }
  const TTrLineEnd joined{Line, end};
  LinkAt(*Line, end, false) = Keep->Conn1;
  if (!Keep->Conn2.IsEmpty()) {
    Keep->Conn3 = joined;
    LinkAt(*Keep->Conn1.Line, Keep->Conn1.End, true) = joined;
  } else {
    Keep->Conn2 = joined;
    LinkAt(*Keep->Conn1.Line, Keep->Conn1.End, false) = joined;
  }
  return true;
}

void TTrainStructureSV::RemovePoint(TTrPoint* Point) {
  EraseOwned(Points, Point);
}

bool TTrainStructureSV::RotateSwitch(TTrPoint* Point) {
  if (Point == nullptr || Point->Conn3.IsEmpty()) return false;
  SetLink(Point->Conn1, TTrLineEnd{}, true);
  const TTrLineEnd oldEntry = Point->Conn1;
  Point->Conn1 = Point->Conn2;
  Point->Conn2 = Point->Conn3;
  Point->Conn3 = oldEntry;
  SetLink(Point->Conn1, Point->Conn2, false);
  SetLink(Point->Conn2, Point->Conn1, false);
  SetLink(Point->Conn3, Point->Conn1, false);
  SetLink(Point->Conn1, Point->Conn3, true);
  return true;
}

bool TTrainStructureSV::SwapSwitch(TTrPoint* Point) {
  if (Point == nullptr || Point->Conn3.IsEmpty()) return false;
  std::swap(Point->Conn2, Point->Conn3);
  RelinkPoint(Point);
  return true;
}

#include "map_reader.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "errors.h"
#include "line_index.h"
#include "text_reader.h"
#include "train_structure.h"

namespace {

// A field read at the end of the text: the entry is incomplete, and
// building it from made-up zeros would invent objects.
void Need(bool Read) {
  if (!Read) throw EFileError("Unexpected end of file");
}

class TMapLoader {
 public:
  TMapLoader(std::string_view Text, TTrainStructureSV& Map)
      : reader_(Text), map_(Map), nextId_(Map.NextId) {}

  void Run() {
    try {
      while (!reader_.AtEnd()) ReadSection();
    } catch (...) {
      Finish();
      throw;
    }
    Finish();
  }

 private:
  void ReadSection() {
    const THeader header = ReadHeader(reader_);
    if (header.Is("PNT")) {
      for (int32_t i = 0; i < header.N1; ++i) ReadPoint();
    } else if (header.Is("TRK")) {
      for (int32_t i = 0; i < header.N1; ++i) ReadTrack();
    } else if (header.Is("TRN")) {
      for (int32_t i = 0; i < header.N1; ++i) ReadTrain();
    }
  }

  // Every field is read before anything is made, so a failing entry
  // builds nothing.
  void ReadPoint() {
    int32_t id = 0;
    double x = 0, y = 0, z = 0;
    int32_t wall = 0;
    std::array<int32_t, 3> lineIds{};
    std::array<int32_t, 3> ends{};
    Need(reader_.ReadInteger(id));
    Need(reader_.ReadReal(x));
    Need(reader_.ReadReal(y));
    Need(reader_.ReadReal(z));
    Need(reader_.ReadInteger(wall));
    for (size_t i = 0; i < 3; ++i) {
      Need(reader_.ReadInteger(lineIds[i]));
      Need(reader_.ReadInteger(ends[i]));
    }
    reader_.SkipLine();

    auto point = std::make_unique<TTrPoint>(x, y, z);  // may overflow
    point->Id = id;
    TTrPoint* made = map_.AddPoint(std::move(point));

    const bool walls = (wall & 0xFF) != 0;
    std::array<TTrLineEnd, 3> conns{};
    size_t count = 0;
    for (size_t i = 0; i < 3; ++i) {
      TTrLine* line = FindLine(lineIds[i], walls, true);
      if (line == nullptr) continue;
      // Only end 1 names P1; every other code is the end at P2.
      const uint8_t end = (ends[i] & 0xFF) == 1 ? 1 : 2;
      TTrPoint*& at = end == 1 ? line->P1 : line->P2;
      // An end that an earlier reference took stays with it.
      if (at != nullptr) continue;
      at = made;
      conns[count++] = TTrLineEnd{line, end};
    }
    made->Conn1 = conns[0];
    made->Conn2 = conns[1];
    made->Conn3 = conns[2];
    if (count > 0) map_.RelinkPoint(made);
  }

  void ReadTrack() {
    int32_t id = 0, poles = 0, platform = 0;
    Need(reader_.ReadInteger(id));
    Need(reader_.ReadInteger(poles));
    Need(reader_.ReadInteger(platform));
    reader_.SkipLine();
    if (auto* track = static_cast<TTrack*>(FindLine(id, false, false))) {
      track->Poles = static_cast<uint8_t>(poles);
      track->Platform = static_cast<uint8_t>(platform);
    }
  }

  void ReadTrain() {
    int32_t lineId = 0, dir = 0;
    double length = 0;
    Need(reader_.ReadInteger(lineId));
    Need(reader_.ReadInteger(dir));
    Need(reader_.ReadReal(length));
    // The rest of the line is left for the next read.
    TTrLine* line = FindLine(lineId, false, false);
    if (line == nullptr) return;
    // Placed without walking: the line may still lack its second point.
    auto train =
        std::make_unique<TTrain>(nullptr, static_cast<uint8_t>(dir), length);
    train->Position.Line = line;
    map_.AddTrain(std::move(train));
  }

  TTrLine* FindLine(int32_t Id, bool Wall, bool Create) {
    if (Id < 0) return nullptr;
    auto& index = Wall ? walls_ : tracks_;
    if (TTrLine* found = index.Find(Id)) return found;
    if (!Create) return nullptr;
    std::unique_ptr<TTrLine> made;
    if (Wall) {
      made = std::make_unique<TWall>(nullptr, nullptr);
    } else {
      made = std::make_unique<TTrack>(nullptr, nullptr);
    }
    made->Id = Id;
    TTrLine* line = map_.AddLine(std::move(made));
    index.Add(Id, line);
    if (Id >= nextId_) nextId_ = int64_t{Id} + 1;
    return line;
  }

  // Removes every line that lacks a point, the references to it and the
  // trains on it, and sets NextId. A point left without lines stays.
  void Finish() {
    map_.NextId = static_cast<int32_t>(static_cast<uint32_t>(nextId_));
    std::unordered_set<const TTrLine*> broken;
    for (const auto& t : map_.Tracks) {
      if (t->P1 == nullptr || t->P2 == nullptr) broken.insert(t.get());
    }
    for (const auto& w : map_.Walls) {
      if (w->P1 == nullptr || w->P2 == nullptr) broken.insert(w.get());
    }
    if (broken.empty()) return;

    for (const auto& point : map_.Points) {
      std::array<TTrLineEnd, 3> kept{};
      size_t count = 0;
      bool changed = false;
      for (const TTrLineEnd& conn :
           {point->Conn1, point->Conn2, point->Conn3}) {
        if (conn.IsEmpty()) continue;
        if (broken.contains(conn.Line)) {
          changed = true;
        } else {
          kept[count++] = conn;
        }
      }
      if (!changed) continue;
      point->Conn1 = kept[0];
      point->Conn2 = kept[1];
      point->Conn3 = kept[2];
      if (count > 0) map_.RelinkPoint(point.get());
    }
    std::erase_if(map_.Trains, [&](const std::unique_ptr<TTrain>& train) {
      return broken.contains(train->Position.Line);
    });
    std::erase_if(map_.Tracks, [&](const std::unique_ptr<TTrack>& track) {
      return broken.contains(track.get());
    });
    std::erase_if(map_.Walls, [&](const std::unique_ptr<TWall>& wall) {
      return broken.contains(wall.get());
    });
  }

  TTextReader reader_;
  TTrainStructureSV& map_;
  int64_t nextId_;
  TLineIndex tracks_;
  TLineIndex walls_;
};

}  // namespace

void ReadMap(std::string_view Text, TTrainStructureSV& Map) {
  // Fields are written directly below, out of the index's sight.
  Map.DropSpatialIndex();
  TMapLoader(Text, Map).Run();
}

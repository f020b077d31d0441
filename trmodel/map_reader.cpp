#include "map_reader.h"

#include <algorithm>
#include <array>
#include <new>
#include <unordered_set>

#include "errors.h"
#include "line_index.h"
#include "object_blocks.h"
#include "text_reader.h"
#include "train_structure.h"

namespace {

// Eleven fields of at least one character, a separator after each.
constexpr size_t kShortestPointEntry = 22;
constexpr size_t kMostEntriesAhead = size_t{1} << 26;

// A field read at the end of the text: the entry is incomplete, and
// building it from made-up zeros would invent objects.
void Need(bool Read) {
  if (!Read) throw EFileError("Unexpected end of file");
}

class TMapLoader {
 public:
  TMapLoader(TTextReader& Reader, TTrainStructureSV& Map)
      : reader_(Reader), map_(Map), nextId_(Map.NextId) {}

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
      MakeRoom(header.N1);
      for (int32_t i = 0; i < header.N1; ++i) ReadPoint();
    } else if (header.Is("TRK")) {
      for (int32_t i = 0; i < header.N1; ++i) ReadTrack();
    } else if (header.Is("TRN")) {
      for (int32_t i = 0; i < header.N1; ++i) ReadTrain();
    }
  }

  // The lists get room once for the Count points the section announces,
  // and for as many lines of each kind, as a map has about as many lines
  // as points: growing them as entries come would hold the old and the new
  // room at once. Room no object fills is never touched. A count is
  // believed only as far as the text can hold it (a point entry takes at
  // least 22 characters), and up to some tens of millions of entries;
  // beyond that, where the length of the text is not known, and where
  // memory will not give the room, the lists grow as entries come.
  void MakeRoom(int32_t Count) {
    const size_t size = reader_.SizeHint();
    if (Count <= 0 || size == 0) return;
    const size_t entries =
        std::min({static_cast<size_t>(Count), kMostEntriesAhead,
                  size / kShortestPointEntry + 1});
    try {
      map_.Points.reserve(map_.Points.size() + entries);
      map_.Tracks.reserve(map_.Tracks.size() + entries);
      map_.Walls.reserve(map_.Walls.size() + entries);
    } catch (const std::bad_alloc&) {
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

    TOwned<TTrPoint> point = MakeOwned<TTrPoint>(x, y, z);  // may overflow
    point->Id = id;
    TTrPoint* made = point.get();
    map_.Points.push_back(std::move(point));

    const bool walls = (wall & 0xFF) != 0;
    std::array<TTrLineEnd, 3> conns{};
    size_t count = 0;
    for (size_t i = 0; i < 3; ++i) {
      TTrLine* line = FindLine(lineIds[i], walls, true);
      if (line == nullptr) continue;
      // Only end 1 names P1; every other code is the end at P2.
      const uint8_t end = (ends[i] & 0xFF) == 1 ? 1 : 2;
      TPackedPointer<TTrPoint>& at = end == 1 ? line->P1 : line->P2;
      // An end that an earlier reference took stays with it.
      if (at != nullptr) continue;
      at = made;
      conns[count++] = TTrLineEnd{line, end};
    }
    made->Conn1 = conns[0];
    made->Conn2 = conns[1];
    made->Conn3 = conns[2];
    if (count > 0) ApplyLinkRule(*made, SetLink);
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
    TOwned<TTrain> train =
        MakeOwned<TTrain>(nullptr, static_cast<uint8_t>(dir), length);
    train->Position.Line = line;
    map_.Trains.push_back(std::move(train));
  }

  TTrLine* FindLine(int32_t Id, bool Wall, bool Create) {
    if (Id < 0) return nullptr;
    if (TTrLine* found = lineIds_.Find(Id, Wall)) return found;
    if (!Create) return nullptr;
    TTrLine* line = nullptr;
    if (Wall) {
      line = map_.Walls.emplace_back(MakeOwned<TWall>(nullptr, nullptr)).get();
    } else {
      line =
          map_.Tracks.emplace_back(MakeOwned<TTrack>(nullptr, nullptr)).get();
    }
    line->Id = Id;
    lineIds_.Add(Id, Wall, line);
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
      if (count > 0) ApplyLinkRule(*point, SetLink);
    }
    std::erase_if(map_.Trains, [&](const auto& train) {
      return broken.contains(train->Position.Line);
    });
    std::erase_if(map_.Tracks, [&](const auto& track) {
      return broken.contains(track.get());
    });
    std::erase_if(map_.Walls, [&](const auto& wall) {
      return broken.contains(wall.get());
    });
  }

  TTextReader& reader_;
  TTrainStructureSV& map_;
  int64_t nextId_;
  TLineIndex lineIds_;
};

void Load(TTextReader& Reader, TTrainStructureSV& Map) {
  // Fields are written directly below, out of the index's sight.
  Map.DropSpatialIndex();
  TMapLoader(Reader, Map).Run();
}

}  // namespace

void ReadMap(std::string_view Text, TTrainStructureSV& Map) {
  TTextReader reader(Text);
  Load(reader, Map);
}

void ReadMap(TTextSource& Source, TTrainStructureSV& Map) {
  TTextReader reader(Source);
  Load(reader, Map);
}

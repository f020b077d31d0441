// Feeds arbitrary bytes to the map reader. After every input the map must be
// sound, must survive what the editor does with a map (drawing trains,
// deleting points), and saving, loading and saving again must give the same
// bytes as the first save.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "map_reader.h"
#include "map_rows.h"
#include "map_writer.h"
#include "structure_check.h"
#include "train_structure.h"

namespace {

void Require(bool Condition, const char* What, const TTrainStructureSV& Map) {
  if (Condition) return;
  std::fprintf(stderr, "map reader fuzzer: %s\n", What);
  for (const std::string& problem : CheckStructure(Map)) {
    std::fprintf(stderr, "  %s\n", problem.c_str());
  }
  std::abort();
}

// Loads Text into Map and gives the failure's message, if any: a failed
// load still leaves a sound map, and that is what is checked.
template <typename TText>
std::string Load(TText& Text, TTrainStructureSV& Map) {
  try {
    ReadMap(Text, Map);
  } catch (const std::exception& error) {
    return error.what();
  }
  return {};
}

// Hands out a text in pieces whose sizes its own bytes decide, so that
// runs, line ends and codes 26 fall across pieces everywhere.
class TPieces : public TTextSource {
 public:
  explicit TPieces(std::string_view AText) : text_(AText) {}
  size_t Read(char* Buffer, size_t Count) override {
    const size_t wanted =
        at_ < text_.size() ? static_cast<unsigned char>(text_[at_]) % 8 + 1 : 1;
    const size_t size = std::min({Count, text_.size() - at_, wanted});
    std::copy_n(text_.data() + at_, size, Buffer);
    at_ += size;
    return size;
  }

 private:
  std::string_view text_;
  size_t at_ = 0;
};

// What drawing asks of every train: the place of its far end.
void DrawTrains(const TTrainStructureSV& Map) {
  for (const auto& train : Map.Trains) {
    const TTrackPosition& at = train->Position;
    TTrackPosition far(at.Line, at.Offset + train->Length, at.Dir);
    TTrXY place;
    far.GetXY(place);
    at.GetXY(place);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view input(reinterpret_cast<const char*>(Data), Size);
  TTrainStructureSV map;
  const std::string failure = Load(input, map);
  Require(CheckStructure(map).empty(), "loaded map is not sound", map);
  DrawTrains(map);

  const std::string saved = WriteMap(map);
  TMapRows rows;
  TakeRows(map, rows);
  Require(WriteMap(rows) == saved, "the map's rows write other text", map);
  // Read as it comes, piece by piece, the text gives the same map.
  TTrainStructureSV streamed;
  TPieces pieces(input);
  Require(Load(pieces, streamed) == failure && WriteMap(streamed) == saved,
          "reading piece by piece differs", streamed);
  TTrainStructureSV again;
  try {
    ReadMap(saved, again);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "saved map does not load: %s\n", error.what());
    std::abort();
  }
  Require(CheckStructure(again).empty(), "reloaded map is not sound", again);
  Require(WriteMap(again) == saved, "second save differs from the first",
          again);

  // Deleting from a loaded map keeps it sound: every other point, so that
  // both lone points and points with neighbours left are deleted.
  for (size_t i = 0; i < map.Points.size(); ++i) {
    map.DeletePoint(map.Points[i].get());
  }
  Require(CheckStructure(map).empty(), "deleting points broke the map", map);
  return 0;
}

#include "map_writer.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "train_structure.h"

namespace {

class TMapText {
 public:
  std::string Take() { return std::move(text_); }

  void Reserve(size_t Size) { text_.reserve(Size); }

  void Raw(std::string_view Text) { text_.append(Text); }
  void Space() { text_.push_back(' '); }
  void LineEnd() { text_.append("\r\n"); }

  // Decimal, no padding.
  void Integer(int64_t Value) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, Value).ptr;
    text_.append(buffer, end);
  }

  // Decimal, right-aligned to at least four characters.
  void Width4(int64_t Value) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, Value).ptr;
    Pad(end - buffer);
    text_.append(buffer, end);
  }

  // Rounded to a whole number, halves away from zero, right-aligned to at
  // least four characters. A negative value that rounds to 0 keeps its
  // minus sign.
  void WholeReal(double Value) {
    const double whole = std::round(Value);
    char buffer[400];  // the longest double has 309 integer digits
    char* end = buffer;
    if (std::fabs(whole) < 0x1p62) {
      if (std::signbit(whole)) *end++ = '-';
      end = std::to_chars(end, buffer + sizeof buffer,
                          static_cast<int64_t>(std::fabs(whole)))
                .ptr;
    } else {
      // Every double this large is a whole number; fixed notation with no
      // fraction writes it exactly.
      end = std::to_chars(buffer, buffer + sizeof buffer, whole,
                          std::chars_format::fixed, 0)
                .ptr;
    }
    Pad(end - buffer);
    text_.append(buffer, end);
  }

 private:
  void Pad(ptrdiff_t Length) {
    if (Length < 4) text_.append(static_cast<size_t>(4 - Length), ' ');
  }

  std::string text_;
};

void WriteLineEnd(TMapText& Text, const TTrLineEnd& End) {
  if (End.IsEmpty()) {
    Text.Raw("-1 0 ");
    return;
  }
  Text.Integer(End.Line->Id);
  Text.Space();
  Text.Integer(End.End);
  Text.Space();
}

bool Storable(const TTrain& Train) { return IsTrack(Train.Position.Line); }

}  // namespace

std::string WriteMap(const TTrainStructureSV& Map) {
  TMapText text;
  constexpr size_t kPointLineSize = 40;  // a typical point line
  text.Reserve(Map.Points.size() * kPointLineSize + Map.Tracks.size() * 12 +
               Map.Trains.size() * 16);

  if (!Map.Points.empty()) {
    text.Raw("PNT ");
    text.Integer(static_cast<int64_t>(Map.Points.size()));
    text.LineEnd();
    for (const auto& point : Map.Points) {
      text.Width4(point->Id);
      text.Space();
      text.WholeReal(point->Pos.X);
      text.Space();
      text.WholeReal(point->Pos.Y);
      text.Space();
      text.WholeReal(point->Pos.Z);
      text.Space();
      text.Integer(point->IsWallPoint() ? 1 : 0);
      text.Space();
      WriteLineEnd(text, point->Conn1);
      WriteLineEnd(text, point->Conn2);
      WriteLineEnd(text, point->Conn3);
      text.LineEnd();
    }
  }

  if (!Map.Tracks.empty()) {
    text.Raw("TRK ");
    text.Integer(static_cast<int64_t>(Map.Tracks.size()));
    text.LineEnd();
    for (const auto& track : Map.Tracks) {
      text.Width4(track->Id);
      text.Space();
      text.Integer(track->Poles);
      text.Space();
      text.Integer(track->Platform);
      text.Space();
      text.LineEnd();
    }
  }

  size_t trains = 0;
  for (const auto& train : Map.Trains) trains += Storable(*train);
  if (trains > 0) {
    text.Raw("TRN ");
    text.Integer(static_cast<int64_t>(trains));
    text.LineEnd();
    for (const auto& train : Map.Trains) {
      if (!Storable(*train)) continue;
      text.Width4(train->Position.Line->Id);
      text.Space();
      text.Integer(train->Position.Dir);
      text.Space();
      text.WholeReal(train->Length);
      text.LineEnd();
    }
  }
  return text.Take();
}

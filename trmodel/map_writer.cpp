#include "map_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "train_structure.h"

namespace {

// Appends text through a raw cursor: each entry first makes room for its
// longest possible form, so the characters themselves are stored unchecked.
class TMapText {
 public:
  std::string Take() {
    text_.resize(size_);
    return std::move(text_);
  }

  // Room for Count more characters.
  void Room(size_t Count) {
    if (text_.size() - size_ < Count) {
      text_.resize(std::max(2 * text_.size(), size_ + Count));
    }
    cursor_ = text_.data() + size_;
  }
  // Ends what was stored since Room.
  void Commit() { size_ = static_cast<size_t>(cursor_ - text_.data()); }

  void Raw(std::string_view Text) {
    std::memcpy(cursor_, Text.data(), Text.size());
    cursor_ += Text.size();
  }
  void Space() { *cursor_++ = ' '; }
  void LineEnd() {
    *cursor_++ = '\r';
    *cursor_++ = '\n';
  }

  // Decimal, no padding.
  void Integer(int64_t Value) {
    cursor_ = std::to_chars(cursor_, cursor_ + 24, Value).ptr;
  }

  // Decimal, right-aligned to at least four characters.
  void Width4(int64_t Value) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, Value).ptr;
    Padded(buffer, end);
  }

  // Rounded to a whole number, halves away from zero, right-aligned to at
  // least four characters. A negative value that rounds to 0 keeps its
  // minus sign.
  void WholeReal(double Value) {
    const double whole = std::round(Value);
    char buffer[kLongestWholeReal];
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
    Padded(buffer, end);
  }

  // A double has at most 309 integer digits; with sign and padding this is
  // the most one whole real can take.
  static constexpr size_t kLongestWholeReal = 320;

 private:
  void Padded(const char* Begin, const char* End) {
    const auto length = End - Begin;
    for (auto i = length; i < 4; ++i) *cursor_++ = ' ';
    std::memcpy(cursor_, Begin, static_cast<size_t>(length));
    cursor_ += length;
  }

  std::string text_;
  size_t size_ = 0;
  char* cursor_ = nullptr;
};

// The most one line can take: three whole reals and eight integers of at
// most 20 characters, each with its space, and the line end.
constexpr size_t kLongestLine =
    3 * (TMapText::kLongestWholeReal + 1) + 8 * 21 + 2;

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

  if (!Map.Points.empty()) {
    text.Room(kLongestLine);
    text.Raw("PNT ");
    text.Integer(static_cast<int64_t>(Map.Points.size()));
    text.LineEnd();
    text.Commit();
    for (const auto& point : Map.Points) {
      text.Room(kLongestLine);
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
      text.Commit();
    }
  }

  if (!Map.Tracks.empty()) {
    text.Room(kLongestLine);
    text.Raw("TRK ");
    text.Integer(static_cast<int64_t>(Map.Tracks.size()));
    text.LineEnd();
    text.Commit();
    for (const auto& track : Map.Tracks) {
      text.Room(kLongestLine);
      text.Width4(track->Id);
      text.Space();
      text.Integer(track->Poles);
      text.Space();
      text.Integer(track->Platform);
      text.Space();
      text.LineEnd();
      text.Commit();
    }
  }

  size_t trains = 0;
  for (const auto& train : Map.Trains) trains += Storable(*train);
  if (trains > 0) {
    text.Room(kLongestLine);
    text.Raw("TRN ");
    text.Integer(static_cast<int64_t>(trains));
    text.LineEnd();
    text.Commit();
    for (const auto& train : Map.Trains) {
      if (!Storable(*train)) continue;
      text.Room(kLongestLine);
      text.Width4(train->Position.Line->Id);
      text.Space();
      text.Integer(train->Position.Dir);
      text.Space();
      text.WholeReal(train->Length);
      text.LineEnd();
      text.Commit();
    }
  }
  return text.Take();
}

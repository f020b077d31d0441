#include "map_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>

#include "map_rows.h"
#include "train_structure.h"

namespace {

// Appends text through a raw cursor: each entry first makes room for its
// longest possible form, so the characters themselves are stored unchecked.
// Given a writer, it hands the text on a piece at a time instead of holding
// all of it: a large map's text is as large as the map itself.
class TMapText {
 public:
  TMapText() = default;
  explicit TMapText(const TContentWriter& AWrite) : write_(&AWrite) {}

  std::string Take() {
    text_.resize(size_);
    return std::move(text_);
  }
  // Hands on what the writer has not had yet.
  void Flush() {
    if (write_ == nullptr || size_ == 0) return;
    (*write_)(std::string_view(text_.data(), size_));
    size_ = 0;
  }

  // Room for Count more characters.
  void Room(size_t Count) {
    if (write_ != nullptr && size_ >= kPiece) Flush();
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

  // A coordinate or a length, right-aligned to at least four characters:
  // rounded to the millimetre, halves away from zero, and written as a
  // whole number when that is one (so a map drawn at whole metres reads as
  // it always did), else with up to three decimals and no trailing zeros.
  void Real(double Value) {
    const double whole = std::round(Value);
    // Every double of 2^52 or more is whole; so are infinities, and a NaN
    // takes the whole number's way.
    if (Value == whole || !(std::fabs(whole) < 0x1p52)) {
      WholeReal(whole);
      return;
    }
    // The fraction apart from the integer part is exact; only then is it
    // scaled, so that the millimetres of a large value are not lost to the
    // product's rounding.
    const double integer = std::trunc(Value);
    const double millimetres = std::round((Value - integer) * 1000.0);
    if (millimetres == 0.0 || std::fabs(millimetres) == 1000.0) {
      // Within half a millimetre of a whole number: written as that one,
      // which is the nearest, with a minus kept as the whole form keeps it.
      WholeReal(whole);
      return;
    }
    // Digits from the last: the decimals without trailing zeros, the point,
    // the whole metres and the sign. A value this small is below 2^62
    // millimetres.
    uint64_t digits = static_cast<uint64_t>(std::fabs(integer)) * 1000 +
                      static_cast<uint64_t>(std::fabs(millimetres));
    int decimals = 3;
    for (; digits % 10 == 0; digits /= 10) --decimals;
    char buffer[24];
    char* const end = buffer + sizeof buffer;
    char* begin = end;
    for (; decimals > 0; --decimals, digits /= 10) {
      *--begin = static_cast<char>('0' + digits % 10);
    }
    *--begin = '.';
    do {
      *--begin = static_cast<char>('0' + digits % 10);
      digits /= 10;
    } while (digits != 0);
    if (Value < 0) *--begin = '-';
    Padded(begin, end);
  }

  // A double has at most 309 integer digits; with sign and padding this is
  // the most one real can take. A real with decimals takes far less.
  static constexpr size_t kLongestReal = 320;

 private:
  // A whole number, right-aligned to at least four characters. A negative
  // value that rounds to 0 keeps its minus sign.
  void WholeReal(double Whole) {
    char buffer[kLongestReal];
    char* end = buffer;
    if (std::fabs(Whole) < 0x1p62) {
      if (std::signbit(Whole)) *end++ = '-';
      end = std::to_chars(end, buffer + sizeof buffer,
                          static_cast<int64_t>(std::fabs(Whole)))
                .ptr;
    } else {
      // Every double this large is a whole number; fixed notation with no
      // fraction writes it exactly.
      end = std::to_chars(buffer, buffer + sizeof buffer, Whole,
                          std::chars_format::fixed, 0)
                .ptr;
    }
    Padded(buffer, end);
  }

  void Padded(const char* Begin, const char* End) {
    const auto length = End - Begin;
    for (auto i = length; i < 4; ++i) *cursor_++ = ' ';
    std::memcpy(cursor_, Begin, static_cast<size_t>(length));
    cursor_ += length;
  }

  // Pieces of about a megabyte: few enough writes, little held.
  static constexpr size_t kPiece = size_t{1} << 20;
  const TContentWriter* write_ = nullptr;
  std::string text_;
  size_t size_ = 0;
  char* cursor_ = nullptr;
};

// The most one line can take: three reals and eight integers of at most 20
// characters, each with its space, and the line end.
constexpr size_t kLongestLine = 3 * (TMapText::kLongestReal + 1) + 8 * 21 + 2;

void WriteLineEnd(TMapText& Text, const TLineEndRow& End) {
  if (End.Line == -1) {
    Text.Raw("-1 0 ");
    return;
  }
  Text.Integer(End.Line);
  Text.Space();
  Text.Integer(End.End);
  Text.Space();
}

void WriteEntry(TMapText& Text, const TPointRow& Point) {
  Text.Width4(Point.Id);
  Text.Space();
  Text.Real(Point.Pos.X);
  Text.Space();
  Text.Real(Point.Pos.Y);
  Text.Space();
  Text.Real(Point.Pos.Z);
  Text.Space();
  Text.Integer(Point.Wall ? 1 : 0);
  Text.Space();
  for (const TLineEndRow& conn : Point.Conns) WriteLineEnd(Text, conn);
  Text.LineEnd();
}

void WriteEntry(TMapText& Text, const TTrackRow& Track) {
  Text.Width4(Track.Id);
  Text.Space();
  Text.Integer(Track.Poles);
  Text.Space();
  Text.Integer(Track.Platform);
  Text.Space();
  Text.LineEnd();
}

void WriteEntry(TMapText& Text, const TTrainRow& Train) {
  Text.Width4(Train.Line);
  Text.Space();
  Text.Integer(Train.Dir);
  Text.Space();
  Text.Real(Train.Length);
  Text.LineEnd();
}

// One section: its header with the entry count, then an entry for each
// item Stored takes, made a row by Row. An empty section is left out.
template <typename Items, typename Take, typename MakeRow>
void WriteSection(TMapText& Text, std::string_view Name, const Items& List,
                  Take Stored, MakeRow Row) {
  const auto count =
      static_cast<size_t>(std::count_if(List.begin(), List.end(), Stored));
  if (count == 0) return;
  Text.Room(kLongestLine);
  Text.Raw(Name);
  Text.Space();
  Text.Integer(static_cast<int64_t>(count));
  Text.LineEnd();
  Text.Commit();
  for (const auto& item : List) {
    if (!Stored(item)) continue;
    Text.Room(kLongestLine);
    WriteEntry(Text, Row(item));
    Text.Commit();
  }
}

// The rows of the objects of a map, made as they are written.
struct TObjectRow {
  TPointRow operator()(const TOwned<TTrPoint>& Point) const {
    return PointRow(*Point);
  }
  TTrackRow operator()(const TOwned<TTrack>& Track) const {
    return TrackRow(*Track);
  }
  TTrainRow operator()(const TOwned<TTrain>& Train) const {
    return TrainRow(*Train);
  }
};

struct TSameRow {
  template <typename Row>
  const Row& operator()(const Row& Same) const {
    return Same;
  }
};

const auto kEvery = [](const auto&) { return true; };

void WriteSections(TMapText& Text, const TTrainStructureSV& Map) {
  const auto storable = [](const TOwned<TTrain>& Train) {
    return TrainStorable(*Train);
  };
  WriteSection(Text, "PNT", Map.Points, kEvery, TObjectRow{});
  WriteSection(Text, "TRK", Map.Tracks, kEvery, TObjectRow{});
  WriteSection(Text, "TRN", Map.Trains, storable, TObjectRow{});
}

void WriteSections(TMapText& Text, const TMapRows& Rows) {
  WriteSection(Text, "PNT", Rows.Points, kEvery, TSameRow{});
  WriteSection(Text, "TRK", Rows.Tracks, kEvery, TSameRow{});
  WriteSection(Text, "TRN", Rows.Trains, kEvery, TSameRow{});
}

}  // namespace

std::string WriteMap(const TTrainStructureSV& Map) {
  TMapText text;
  WriteSections(text, Map);
  return text.Take();
}

std::string WriteMap(const TMapRows& Rows) {
  TMapText text;
  WriteSections(text, Rows);
  return text.Take();
}

void WriteMap(const TTrainStructureSV& Map, const TContentWriter& Write) {
  TMapText text(Write);
  WriteSections(text, Map);
  text.Flush();
}

void WriteMap(const TMapRows& Rows, const TContentWriter& Write) {
  TMapText text(Write);
  WriteSections(text, Rows);
  text.Flush();
}

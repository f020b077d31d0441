#include "text_reader.h"

#include <charconv>
#include <cstring>

#include "errors.h"

namespace {

// The longest runs converted at once. The real's run is long enough for
// every whole number the writer can produce (a double has at most 309
// integer digits), so that any saved length reads back.
constexpr size_t kIntegerRun = 32;
constexpr size_t kRealRun = 320;
// Runs of an optional minus sign and at most this many digits, the usual
// ones, are converted as they are read: their values are exact in an int32
// and in a double.
constexpr size_t kExactIntegerDigits = 9;
constexpr size_t kExactRealDigits = 15;
// The window through which streamed text is read.
constexpr size_t kWindow = size_t{1} << 20;
// Of a keyword, more than any section's name.
constexpr size_t kKeywordKept = 16;

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

int HexValue(char C) {
  if (IsDigit(C)) return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

char UpperCase(char C) { return C >= 'a' && C <= 'z' ? C - ('a' - 'A') : C; }

[[noreturn]] void InvalidNumber() {
  throw EConvertError("Invalid numeric input");
}

}  // namespace

TTextReader::TTextReader(std::string_view Text)
    : text_(Text.data()), end_(Text.size()), sizeHint_(Text.size()) {
  EndAtCode26(0);
}

TTextReader::TTextReader(TTextSource& Source)
    : text_(nullptr),
      end_(0),
      source_(&Source),
      window_(kWindow),
      sizeHint_(Source.SizeHint()) {
  text_ = window_.data();
}

void TTextReader::EndAtCode26(size_t From) {
  if (const void* stop = std::memchr(text_ + From, 26, end_ - From)) {
    end_ = static_cast<size_t>(static_cast<const char*>(stop) - text_);
    source_ = nullptr;
  }
}

bool TTextReader::Refill(size_t Wanted) {
  // What lies ahead moves to the front of the window, and the source fills
  // the rest.
  const size_t ahead = end_ - pos_;
  std::memmove(window_.data(), window_.data() + pos_, ahead);
  pos_ = 0;
  end_ = ahead;
  while (source_ != nullptr && end_ < Wanted) {
    const size_t got = source_->Read(window_.data() + end_, kWindow - end_);
    if (got == 0) {
      source_ = nullptr;
      break;
    }
    end_ += got;
    EndAtCode26(end_ - got);
  }
  return pos_ < end_;
}

void TTextReader::SkipLine() {
  for (;;) {
    while (pos_ < end_ && text_[pos_] != '\r') ++pos_;
    if (pos_ < end_ || !Fill(1)) break;
  }
  if (AtEnd()) return;
  ++pos_;
  if (!AtEnd() && text_[pos_] == '\n') ++pos_;
}

bool TTextReader::StartRun(size_t MaxLength) {
  for (;;) {
    while (pos_ < end_ && static_cast<unsigned char>(text_[pos_]) <= 32) {
      ++pos_;
    }
    if (pos_ < end_ || !Fill(1)) break;
  }
  // The run and the character that ends it lie in the window together.
  return Fill(MaxLength + 1);
}

std::string_view TTextReader::TakeRun(size_t MaxLength) {
  const size_t start = pos_;
  const size_t limit = end_ - pos_ < MaxLength ? end_ : pos_ + MaxLength;
  while (pos_<limit&& static_cast<unsigned char>(text_[pos_])> 32) {
    ++pos_;
  }
  return std::string_view(text_ + start, pos_ - start);
}

bool TTextReader::TakeWholeNumber(size_t MaxDigits, uint64_t& Magnitude,
                                  bool& Negative) {
  size_t at = pos_;
  Negative = text_[at] == '-';
  if (Negative) ++at;
  const size_t first = at;
  uint64_t magnitude = 0;
  while (at < end_ && at - first <= MaxDigits && IsDigit(text_[at])) {
    magnitude = magnitude * 10 + static_cast<uint64_t>(text_[at] - '0');
    ++at;
  }
  const size_t digits = at - first;
  if (digits == 0 || digits > MaxDigits) return false;
  if (at<end_&& static_cast<unsigned char>(text_[at])> 32) return false;
  pos_ = at;
  Magnitude = magnitude;
  return true;
}

template <typename T>
bool TTextReader::ReadNumber(T& Value, size_t MaxLength, size_t ExactDigits,
                             bool (*Convert)(std::string_view, T&)) {
  Value = T{};
  if (!StartRun(MaxLength)) return false;
  uint64_t magnitude = 0;
  bool negative = false;
  if (TakeWholeNumber(ExactDigits, magnitude, negative)) {
    const auto value = static_cast<T>(magnitude);
    Value = negative ? -value : value;
    return true;
  }
  if (!Convert(TakeRun(MaxLength), Value)) InvalidNumber();
  return true;
}

bool TTextReader::ReadInteger(int32_t& Value) {
  return ReadNumber(Value, kIntegerRun, kExactIntegerDigits, ConvertInteger);
}

bool TTextReader::ReadReal(double& Value) {
  return ReadNumber(Value, kRealRun, kExactRealDigits, ConvertReal);
}

bool THeader::Is(std::string_view Name) const {
  if (KeywordLength != Name.size() || Keyword.size() != Name.size()) {
    return false;
  }
  for (size_t i = 0; i < Name.size(); ++i) {
    if (UpperCase(Keyword[i]) != Name[i]) return false;
  }
  return true;
}

THeader ReadHeader(TTextReader& Reader) {
  THeader header;
  const auto keep = [&header](char C) {
    if (header.Keyword.size() < kKeywordKept) header.Keyword += C;
    ++header.KeywordLength;
  };
  // The keyword is the run of characters from here up to a space or a line
  // end; the character before a line end belongs to it, so a lone line end
  // makes a keyword of its own that matches nothing.
  const bool first = !Reader.AtEnd();
  char current = Reader.Take();
  while (!Reader.LineEndAhead() && current != ' ') {
    keep(current);
    current = Reader.Take();
  }
  if (Reader.LineEndAhead()) {
    if (first) keep(current);
  } else {
    Reader.ReadInteger(header.N1);
    if (!Reader.LineEndAhead()) Reader.ReadInteger(header.N2);
  }
  Reader.SkipLine();
  return header;
}

bool ConvertInteger(std::string_view Run, int32_t& Value) {
  constexpr uint64_t kMaxHex = 0xFFFFFFFFu;
  constexpr uint64_t kMaxMagnitude = 2147483648u;  // of a negative value
  if (Run.starts_with('$')) {
    Run.remove_prefix(1);
    if (Run.empty()) return false;
    uint64_t value = 0;
    for (const char c : Run) {
      const int digit = HexValue(c);
      if (digit < 0) return false;
      value = value * 16 + static_cast<uint64_t>(digit);
      if (value > kMaxHex) return false;
    }
    // Hexadecimal is the 32-bit pattern: $FFFFFFFF is -1.
    Value = static_cast<int32_t>(static_cast<uint32_t>(value));
    return true;
  }
  const bool negative = Run.starts_with('-');
  if (negative || Run.starts_with('+')) Run.remove_prefix(1);
  if (Run.empty()) return false;
  uint64_t magnitude = 0;
  for (const char c : Run) {
    if (!IsDigit(c)) return false;
    magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
    if (magnitude > kMaxMagnitude) return false;
  }
  if (!negative && magnitude == kMaxMagnitude) return false;
  Value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                   : static_cast<int32_t>(magnitude);
  return true;
}

bool ConvertReal(std::string_view Run, double& Value) {
  // The syntax is checked here; from_chars alone would also take "inf",
  // "nan" and hexadecimal forms, and no leading "+".
  const bool negative = Run.starts_with('-');
  if (negative || Run.starts_with('+')) Run.remove_prefix(1);
  size_t i = 0;
  size_t integerDigits = 0;
  size_t leadingZeros = 0;
  uint64_t whole = 0;
  while (i < Run.size() && IsDigit(Run[i])) {
    if (integerDigits == leadingZeros && Run[i] == '0') ++leadingZeros;
    whole = whole * 10 + static_cast<uint64_t>(Run[i] - '0');
    ++integerDigits;
    ++i;
  }
  size_t fractionDigits = 0;
  size_t fractionZeros = 0;  // before the first nonzero fraction digit
  if (i < Run.size() && Run[i] == '.') {
    ++i;
    while (i < Run.size() && IsDigit(Run[i])) {
      if (fractionDigits == fractionZeros && Run[i] == '0') ++fractionZeros;
      ++fractionDigits;
      ++i;
    }
  }
  if (integerDigits + fractionDigits == 0) return false;
  const bool plainInteger = i == Run.size() && fractionDigits == 0;
  long exponent = 0;
  if (i < Run.size() && (Run[i] == 'e' || Run[i] == 'E')) {
    ++i;
    const bool negativeExponent = i < Run.size() && Run[i] == '-';
    if (i < Run.size() && (Run[i] == '-' || Run[i] == '+')) ++i;
    if (i == Run.size()) return false;
    while (i < Run.size() && IsDigit(Run[i])) {
      if (exponent < 100000) exponent = exponent * 10 + (Run[i] - '0');
      ++i;
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != Run.size()) return false;

  // Whole numbers of up to 15 digits, the usual case, are exact as they are.
  if (plainInteger && integerDigits <= 15) {
    const double magnitude = static_cast<double>(whole);
    Value = negative ? -magnitude : magnitude;
    return true;
  }
  double magnitude = 0.0;
  const auto [end, error] =
      std::from_chars(Run.data(), Run.data() + Run.size(), magnitude);
  if (error == std::errc::result_out_of_range) {
    // Too small to hold reads as zero; too large does not convert.
    const long order = integerDigits > leadingZeros
                           ? static_cast<long>(integerDigits - leadingZeros)
                           : -static_cast<long>(fractionZeros);
    if (order + exponent > 0) return false;
    magnitude = 0.0;
  } else if (error != std::errc() || end != Run.data() + Run.size()) {
    return false;
  }
  Value = negative ? -magnitude : magnitude;
  return true;
}

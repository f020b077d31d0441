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
    : text_(Text.data()), end_(Text.size()) {
  if (const void* stop = std::memchr(text_, 26, end_)) {
    end_ = static_cast<size_t>(static_cast<const char*>(stop) - text_);
  }
}

void TTextReader::SkipLine() {
  while (!AtEnd() && text_[pos_] != '\r') ++pos_;
  if (AtEnd()) return;
  ++pos_;
  if (!AtEnd() && text_[pos_] == '\n') ++pos_;
}

std::string_view TTextReader::NextRun(size_t MaxLength) {
  while (!AtEnd() && static_cast<unsigned char>(text_[pos_]) <= 32) ++pos_;
  const size_t start = pos_;
  const size_t limit = end_ - pos_ < MaxLength ? end_ : pos_ + MaxLength;
  while (pos_<limit&& static_cast<unsigned char>(text_[pos_])> 32) ++pos_;
  return Slice(start, pos_);
}

bool TTextReader::ReadInteger(int32_t& Value) {
  Value = 0;
  const std::string_view run = NextRun(kIntegerRun);
  if (run.empty()) return false;
  if (!ConvertInteger(run, Value)) InvalidNumber();
  return true;
}

bool TTextReader::ReadReal(double& Value) {
  Value = 0.0;
  const std::string_view run = NextRun(kRealRun);
  if (run.empty()) return false;
  if (!ConvertReal(run, Value)) InvalidNumber();
  return true;
}

bool THeader::Is(std::string_view Name) const {
  if (Keyword.size() != Name.size()) return false;
  for (size_t i = 0; i < Name.size(); ++i) {
    if (UpperCase(Keyword[i]) != Name[i]) return false;
  }
  return true;
}

THeader ReadHeader(TTextReader& Reader) {
  THeader header;
  // The keyword is the run of characters from here up to a space or a line
  // end; the character before a line end belongs to it, so a lone line end
  // makes a keyword of its own that matches nothing.
  const size_t start = Reader.Position();
  char current = Reader.Take();
  while (!Reader.LineEndAhead() && current != ' ') current = Reader.Take();
  if (Reader.LineEndAhead()) {
    header.Keyword = Reader.Slice(start, Reader.Position());
  } else {
    header.Keyword = Reader.Slice(start, Reader.Position() - 1);
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

#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Reads map file text from memory with one character of look-ahead. A
// character of code 26 ends the text: nothing after it is ever seen.
class TTextReader {
 public:
  explicit TTextReader(std::string_view Text);

  bool AtEnd() const { return pos_ >= end_; }
  // The next character is CR, or the text has ended.
  bool LineEndAhead() const { return AtEnd() || text_[pos_] == '\r'; }
  // The next character, moving past it; code 26 at the end, staying there.
  char Take() { return AtEnd() ? '\x1a' : text_[pos_++]; }
  // Consumes up to and including the next CR and one LF right after it.
  void SkipLine();

  // Both skip characters of code 32 and below and then convert the run of
  // characters above code 32 that follows. They return false, with the value
  // 0, when the text ends before a run starts, and throw EConvertError
  // ("Invalid numeric input") for a run that does not convert.
  bool ReadInteger(int32_t& Value);
  bool ReadReal(double& Value);

  size_t Position() const { return pos_; }
  std::string_view Slice(size_t From, size_t To) const {
    return std::string_view(text_ + From, To - From);
  }

 private:
  std::string_view NextRun(size_t MaxLength);

  const char* text_;
  size_t pos_ = 0;
  size_t end_;
};

// A header line: its keyword as written, the section's count N1 and a
// second number N2 that nothing uses; both -1 when absent.
struct THeader {
  std::string_view Keyword;
  int32_t N1 = -1;
  int32_t N2 = -1;

  // The keyword matched regardless of case (ASCII letters only).
  bool Is(std::string_view Name) const;
};

THeader ReadHeader(TTextReader& Reader);

// Conversions of one run of characters, as the reader applies them. They
// return false when the run does not convert.
bool ConvertInteger(std::string_view Run, int32_t& Value);
bool ConvertReal(std::string_view Run, double& Value);

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Where a reader's text comes from, piece by piece.
class TTextSource {
 public:
  virtual ~TTextSource() = default;
  // Puts up to Count bytes of the text that follow into Buffer and says how
  // many; 0 only at the end of the text. May throw.
  virtual size_t Read(char* Buffer, size_t Count) = 0;
  // How long the text is likely to be, 0 when that is not known: a guess
  // to size tables by, never a promise.
  virtual size_t SizeHint() const { return 0; }
};

// Reads map file text with one character of look-ahead, from memory or
// from a source through a window of its own, so that a whole file need
// not be held at once. A character of code 26 ends the text: nothing after
// it is ever seen.
class TTextReader {
 public:
  explicit TTextReader(std::string_view Text);
  explicit TTextReader(TTextSource& Source);
  TTextReader(const TTextReader&) = delete;
  TTextReader& operator=(const TTextReader&) = delete;

  // How long the whole text is, or is likely to be (0 when not known).
  size_t SizeHint() const { return sizeHint_; }

  bool AtEnd() { return pos_ >= end_ && !Fill(1); }
  // The next character is CR, or the text has ended.
  bool LineEndAhead() { return AtEnd() || text_[pos_] == '\r'; }
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

 private:
  // Skips characters of code 32 and below and says whether a run follows,
  // which then lies wholly in the window as far as MaxLength characters.
  bool StartRun(size_t MaxLength);
  // The run that starts here, at most MaxLength characters.
  std::string_view TakeRun(size_t MaxLength);
  // Takes the run that starts here when it is an optional minus sign and at
  // most MaxDigits digits, and nothing else; else leaves it.
  bool TakeWholeNumber(size_t MaxDigits, uint64_t& Magnitude, bool& Negative);
  // A number of at most MaxLength characters: read as it comes when it is
  // a whole number of at most ExactDigits digits, else by Convert.
  template <typename T>
  bool ReadNumber(T& Value, size_t MaxLength, size_t ExactDigits,
                  bool (*Convert)(std::string_view, T&));
  // Makes at least Wanted characters lie ahead, unless the text ends
  // before; says whether any does.
  bool Fill(size_t Wanted) {
    if (end_ - pos_ >= Wanted || source_ == nullptr) return pos_ < end_;
    return Refill(Wanted);
  }
  bool Refill(size_t Wanted);
  // Ends the text at the first code 26 from From on, if there is one.
  void EndAtCode26(size_t From);

  const char* text_;
  size_t pos_ = 0;
  size_t end_;
  // Streaming only: where the text comes from (none once it has ended) and
  // the window that holds what has been read of it and not yet consumed.
  TTextSource* source_ = nullptr;
  std::vector<char> window_;
  size_t sizeHint_;
};

// A header line: its keyword as written, the section's count N1 and a
// second number N2 that nothing uses; both -1 when absent. Of a keyword
// longer than any a file names only the start is kept, with its length.
struct THeader {
  std::string Keyword;
  size_t KeywordLength = 0;
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

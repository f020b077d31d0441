#include "text_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "errors.h"
#include "text_pieces.h"

namespace {

int32_t Integer(const std::string& Run) {
  int32_t value = 12345;
  EXPECT_TRUE(ConvertInteger(Run, value)) << Run;
  return value;
}

double Real(const std::string& Run) {
  double value = 12345;
  EXPECT_TRUE(ConvertReal(Run, value)) << Run;
  return value;
}

TEST(ConvertInteger, TakesSignedDecimalsInThe32BitRangeAndDollarHex) {
  EXPECT_EQ(Integer("0"), 0);
  EXPECT_EQ(Integer("+17"), 17);
  EXPECT_EQ(Integer("-0042"), -42);
  EXPECT_EQ(Integer("2147483647"), 2147483647);
  EXPECT_EQ(Integer("-2147483648"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(Integer("$1f"), 31);
  EXPECT_EQ(Integer("$7FFFFFFF"), 2147483647);
  EXPECT_EQ(Integer("$FFFFFFFF"), -1);
  EXPECT_EQ(Integer("$000000010"), 16);
  int32_t value = 0;
  for (const char* bad :
       {"", "-", "+", "$", "2147483648", "-2147483649", "99999999999999999999",
        "$100000000", "$G", "1.0", "1e3", "12a", "--1", "-$1", "0x10", " 1"}) {
    EXPECT_FALSE(ConvertInteger(bad, value)) << bad;
  }
}

TEST(ConvertReal, TakesDecimalNotationOnly) {
  EXPECT_EQ(Real("12.25"), 12.25);
  EXPECT_EQ(Real("-0.5"), -0.5);
  EXPECT_EQ(Real("+3"), 3.0);
  EXPECT_EQ(Real(".5"), 0.5);
  EXPECT_EQ(Real("5."), 5.0);
  EXPECT_EQ(Real("1.5E2"), 150.0);
  EXPECT_EQ(Real("25e-1"), 2.5);
  EXPECT_EQ(Real("1e+3"), 1000.0);
  EXPECT_EQ(Real("123456789012345678"), 123456789012345678.0);
  EXPECT_EQ(Real("0.1"), 0.1);
  EXPECT_TRUE(std::signbit(Real("-0")));
  double value = 0;
  for (const char* bad :
       {"", ".", "-", "+.", "e5", "1e", "1e+", "1.2.3", "inf", "-inf", "nan",
        "infinity", "0x1p3", "1,5", "$10", "1e400", "-1e309", "1d5", "--1"}) {
    EXPECT_FALSE(ConvertReal(bad, value)) << bad;
  }
}

TEST(ConvertReal, ReadsMagnitudesTooSmallForADoubleAsZero) {
  EXPECT_EQ(Real("1e-400"), 0.0);
  EXPECT_TRUE(std::signbit(Real("-0.0000001e-400")));
  EXPECT_GT(Real("5e-324"), 0.0);
}

TEST(TextReader, SkipsControlCharactersAndReadsRunsUpToTheirLimit) {
  TTextReader reader("\t\r\n\x01 -12\x0b 1.5\r\n12\x7f");
  int32_t number = 0;
  double real = 0;
  EXPECT_TRUE(reader.ReadInteger(number));
  EXPECT_EQ(number, -12);
  EXPECT_TRUE(reader.ReadReal(real));
  EXPECT_EQ(real, 1.5);
  // Code 127 is above 32, so it belongs to the run.
  EXPECT_THROW(reader.ReadInteger(number), EConvertError);

  // A run of 40 digits is read as 32, and the rest as the next run.
  const std::string digits = std::string(32, '0') + "00000007 3";
  TTextReader longRun(digits);
  EXPECT_TRUE(longRun.ReadInteger(number));
  EXPECT_EQ(number, 0);
  EXPECT_TRUE(longRun.ReadInteger(number));
  EXPECT_EQ(number, 7);
  EXPECT_TRUE(longRun.ReadInteger(number));
  EXPECT_EQ(number, 3);
  EXPECT_FALSE(longRun.ReadInteger(number));
  EXPECT_EQ(number, 0);
}

TEST(TextReader, StopsAtCode26AndAtTheEndGivesZeroWithoutError) {
  const auto check = [](TTextReader& Reader) {
    int32_t number = 0;
    double real = 1;
    EXPECT_TRUE(Reader.ReadInteger(number));
    EXPECT_EQ(number, 5);
    EXPECT_FALSE(Reader.ReadReal(real));
    EXPECT_EQ(real, 0.0);
    EXPECT_TRUE(Reader.AtEnd());
    EXPECT_TRUE(Reader.LineEndAhead());
    EXPECT_EQ(Reader.Take(), '\x1a');
    EXPECT_TRUE(Reader.AtEnd());
  };
  TTextReader whole("5 \x1a 6");
  check(whole);
  // Also when the text comes piece by piece.
  TPieces pieces("5 \x1a 6");
  TTextReader streamed(pieces);
  check(streamed);
}

TEST(TextReader, SkipLineTakesTheCrAndOneLf) {
  TTextReader reader("ab\r\n\n7\rx\r\r\n9");
  reader.SkipLine();
  EXPECT_EQ(reader.Take(), '\n');
  reader.SkipLine();  // "7\r"
  EXPECT_EQ(reader.Take(), 'x');
  EXPECT_TRUE(reader.LineEndAhead());
  reader.SkipLine();
  reader.SkipLine();
  EXPECT_EQ(reader.Take(), '9');
  reader.SkipLine();
  EXPECT_TRUE(reader.AtEnd());
}

struct THeaderCase {
  std::string Text;
  std::string Keyword;
  int32_t N1;
  int32_t N2;
  std::string Rest;  // what the next reads see
};

TEST(ReadHeader, FollowsTheHeaderLineRules) {
  const THeaderCase cases[] = {
      {"PNT 2\r\nx", "PNT", 2, -1, "x"},
      {"PNT 2 9\r\nx", "PNT", 2, 9, "x"},
      {"PNT\r\nx", "PNT", -1, -1, "x"},
      {"pnt 3\r\n", "pnt", 3, -1, ""},
      // A space after the keyword and nothing else: the space belongs to
      // the keyword.
      {"PNT \r\nx", "PNT ", -1, -1, "x"},
      // A space after the count: N2 is sought on the next line, whose rest
      // is skipped.
      {"PNT 2 \r\n 7 8\r\nx", "PNT", 2, 7, "x"},
      // A line of numbers: the keyword is empty.
      {"   0 1 2 3\r\nx", "", 0, 1, "x"},
      // A lone line end makes a keyword of its own.
      {"\r\n", "\r\n", -1, -1, ""},
      {"\r\nPNT 2\r\nx", "\r\nPNT", 2, -1, "x"},
      {"TRK", "TRK", -1, -1, ""},
      {"TRK 5", "TRK", 5, -1, ""},
      {"TRK 5\n6\n", "TRK", 5, 6, ""},
  };
  for (const THeaderCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TTextReader reader(c.Text);
    const THeader header = ReadHeader(reader);
    EXPECT_EQ(header.Keyword, c.Keyword);
    EXPECT_EQ(header.N1, c.N1);
    EXPECT_EQ(header.N2, c.N2);
    std::string rest;
    while (!reader.AtEnd()) rest += reader.Take();
    EXPECT_EQ(rest, c.Rest);
  }
}

TEST(ReadHeader, MatchesKeywordsWithoutRegardToCase) {
  for (const char* text : {"TRN 1\r\n", "trn 1\r\n", "tRn 1\r\n"}) {
    TTextReader reader(text);
    EXPECT_TRUE(ReadHeader(reader).Is("TRN")) << text;
  }
  TTextReader other("TRNX 1\r\n");
  EXPECT_FALSE(ReadHeader(other).Is("TRN"));
}

TEST(ReadHeader, RaisesInvalidNumericInputForAWordInPlaceOfACount) {
  TTextReader reader("PNT two\r\n");
  EXPECT_THROW(ReadHeader(reader), EConvertError);
  TTextReader second("   7 x1 2\r\n");
  EXPECT_THROW(ReadHeader(second), EConvertError);
}

}  // namespace

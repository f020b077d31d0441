#include "integer_text.h"

#include "errors.h"

namespace {

int DigitValue(QChar C, int Base) {
  const char16_t c = C.unicode();
  int value = Base;
  if (c >= u'0' && c <= u'9') value = c - u'0';
  if (Base == 16 && c >= u'a' && c <= u'f') value = c - u'a' + 10;
  if (Base == 16 && c >= u'A' && c <= u'F') value = c - u'A' + 10;
  return value < Base ? value : -1;
}

}  // namespace

int32_t StrToInt(const QString& Text) {
  const auto fail = [&Text]() -> int32_t {
    throw EConvertError("'" + Text.toStdString() +
                        "' is not a valid integer value");
  };
  qsizetype i = 0;
  while (i < Text.size() && Text[i] == u' ') ++i;
  bool negative = false;
  int base = 10;
  if (i < Text.size() && Text[i] == u'$') {
    base = 16;
    ++i;
  } else if (i < Text.size() && (Text[i] == u'+' || Text[i] == u'-')) {
    negative = Text[i] == u'-';
    ++i;
  }
  if (i == Text.size()) return fail();
  // The magnitude is bounded by 2^31 at every step, so it cannot overflow.
  const int64_t limit = negative ? int64_t{1} << 31 : (int64_t{1} << 31) - 1;
  int64_t magnitude = 0;
  for (; i < Text.size(); ++i) {
    const int digit = DigitValue(Text[i], base);
    if (digit < 0) return fail();
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return fail();
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

// The number, date and clock texts against what printf writes for the same
// values, signs and widths included, and the replacement's edge cases.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "base/text_helpers.h"
#include "base/utf16.h"

namespace {

std::u16string Printed(const char* format, long long value, int width) {
  char text[32];
  std::snprintf(text, sizeof text, format, width, value);
  return AsciiToUtf16(text);
}

TEST(TextHelpers, NumbersAsPrintfWritesThem) {
  const long long numbers[] = {0, 7, -7, 42, -42, 100, 2021, -2021, 123456789012LL, LLONG_MAX, LLONG_MIN};
  for (const long long number : numbers) {
    for (const int width : {0, 1, 2, 4, 6}) {
      std::u16string text;
      AppendNumber(text, number, width);
      EXPECT_EQ(text, Printed("%0*lld", number, width)) << number << " width " << width;
    }
    EXPECT_EQ(NumberText(number), Printed("%0*lld", number, 0)) << number;
  }
  std::u16string text = u"No. ";
  AppendNumber(text, 5, 3);
  EXPECT_EQ(text, u"No. 005") << "appends to what is there";
}

TEST(TextHelpers, DateAndClock) {
  EXPECT_EQ(DateText(2021, 6, 15), u"2021/06/15");
  EXPECT_EQ(DateText(987, 12, 1), u"0987/12/01");
  EXPECT_EQ(DateText(0, 0, 0), u"0000/00/00") << "a date that could not be read";
  EXPECT_EQ(ShortDateText(2021, 6, 15), u"2021/6/15");
  EXPECT_EQ(ClockText(9, 36, 54), u"09:36:54");
  EXPECT_EQ(ClockText(97, 1, 1), u"97:01:01");
  EXPECT_EQ(ClockText(1234, 0, 5), u"1234:00:05") << "hours go past two digits";
}

TEST(TextHelpers, ReplaceAll) {
  struct Case {
    std::u16string text;
    std::u16string_view from, to;
    std::u16string expected;
  };
  const Case cases[] = {
      {u"%s and %s", u"%s", u"0.83", u"0.83 and 0.83"},
      {u"kΩ", u"Ω", u"ohm", u"kohm"},
      {u"aaa", u"a", u"aa", u"aaaaaa"},  // what went in is not searched again
      {u"DCV,1000", u"DCV,1000", u"DCV,1500", u"DCV,1500"},
      {u"none here", u"%s", u"x", u"none here"},
      {u"", u"%s", u"x", u""},
      {u"a%sb", u"%s", u"", u"ab"},
  };
  for (Case c : cases) {
    ReplaceAll(c.text, c.from, c.to);
    EXPECT_EQ(c.text, c.expected) << Utf16ToUtf8(c.expected);
  }
}

}  // namespace

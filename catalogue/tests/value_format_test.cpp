#include <gtest/gtest.h>

#include "base/models.h"
#include "catalogue/value_format.h"

namespace {

TEST(DecimalMark, PatternAndNumberForms) {
  EXPECT_EQ(InsertMarkInPattern(u"6000", 3, u"."), u"6.000");
  EXPECT_EQ(InsertMarkInPattern(u"-----", 4, u"."), u"-.----");
  EXPECT_EQ(InsertMarkInPattern(u"-6000", 3, u","), u"-6,000");
  struct Case {
    const char* digits;
    int decimals;
    std::u16string text;
  };
  const Case cases[] = {
      {"5", 3, u"0.005"}, {"-12", 3, u"-0.012"}, {"-1234", 3, u"-1.234"}, {"1234", 3, u"1.234"},
      {"0", 1, u"0.0"},   {"123", 3, u"0.123"},  {"-5", 3, u"-0.005"},    {"60000", 4, u"6.0000"},
  };
  for (const Case& c : cases) {
    const std::u16string text(c.digits, c.digits + std::char_traits<char>::length(c.digits));
    EXPECT_EQ(InsertMarkInNumber(text, c.digits, c.decimals, u"."), c.text) << c.digits;
  }
  // The digit text decides where the mark goes, even in another text.
  EXPECT_EQ(InsertMarkInNumber(u"77", "-1", 2, u"."), u"70.07");
  EXPECT_EQ(InsertMarkInNumber(u"", "-1", 2, u"."), u"00.") << "a short text never overruns";
}

TEST(StoredValueFormatter, Cases) {
  struct Case {
    const char* what;
    StoredValue value;
    std::u16string text;
  };
  using namespace record_flag;
  const Case cases[] = {
      {"decimal comma", {kRv7321, "1234", 2, u",", 1, 3, 0, 0, false}, u"12,34"},
      {"RV736X blank, five-digit full scale", {kRv7361, "2000000", 4, u".", 4, 3, 0, 0, false}, u"-.----"},
      {"RV736X blank, no decimals", {kRv7361, "2000000", 0, u".", 4, 3, 0, 0, false}, u"-----"},
      {"RV732X blank", {kRv7321, "2000000", 3, u".", 1, 2, 0, 0, false}, u"-.---"},
      {"over: the full scale", {kRv7321, "1000000", 3, u".", 0, 1, 0, 0, false}, u"6.000"},
      {"negative over", {kRv7321, "-1000000", 3, u".", 0, 1, 0, 0, false}, u"-6.000"},
      {"over on 1000 V", {kRv7321, "1000000", 0, u".", 0, 4, 0, 0, false}, u"1000"},
      {"open", {kRv7321, "3000000", 3, u".", 5, 1, 0, 0, false}, u"OPEN"},
      {"open by flag", {kRv7321, "12", 3, u".", 5, 1, 0, kMainOpen, false}, u"OPEN"},
      {"REL with only the sub over bit: a number",
       {kRv7321, "-12", 3, u".", 1, 2, 0, kRel | kSubOver, false},
       u"-0.012"},
      {"REL and the main over bit: the pattern",
       {kRv7321, "-12", 3, u".", 1, 2, 0, kRel | kMainOver, false},
       u"-6.000"},
      {"over bit without REL: a number", {kRv7321, "12", 3, u".", 1, 2, 0, kMainOver, false}, u"0.012"},
      {"sub blank bit", {kRv7361, "12", 2, u".", 4, 3, 0, kSubBlank, true}, u"---.--"},
      {"frequency sub over RV736X", {kRv7361, "1000000", 2, u".", -1, 2, 0, 0, true}, u"---.--"},
      {"frequency sub over RV732X", {kRv7321, "1000000", 1, u".", -1, 1, 0, 0, true}, u"---.-"},
      {"TEMP Celsius over", {kRv7321, "1000000", 1, u".", 8, 0, 0, 0, false}, u"400.0"},
      {"TEMP Celsius negative over", {kRv7321, "-1000000", 1, u".", 8, 0, 0, 0, false}, u"-40.0"},
      {"TEMP Fahrenheit over", {kRv7361, "1000000", 1, u".", 10, 0, 1, 0, false}, u"1472.0"},
      {"TEMP Fahrenheit negative over", {kRv7361, "-1000000", 1, u".", 10, 0, 1, 0, false}, u"-40.0"},
      {"PEAK over uses the PEAK full scale", {kRv7361, "1000000", 2, u".", 0, 1, 1, 0, false}, u"180.00"},
      {"dBm over", {kRv7361, "1000000", 2, u".", 1, 0, 0, 0, false}, u"---.--"},
      {"dBV blank", {kRv7361, "2000000", 2, u".", 2, 0, 0, 0, false}, u"--.--"},
      {"RV734X current loop over", {kRv7341, "1000000", 0, u".", 17, 0, 0, 0, false}, u"----"},
      {"a damaged record's range", {kRv7361, "1000000", 0, u".", 10, INT32_MAX, 1, 0, false}, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatStoredValue(c.value), c.text) << c.what;
}

TEST(RangeDecadeRule, LowerRangesConvertByDecades) {
  EXPECT_EQ(CountInRange(kRv7361, 4, 59999, 3, 4), 5999);
  EXPECT_EQ(CountInRange(kRv7361, 4, -59999, 3, 5), -599) << "truncates toward zero";
  EXPECT_EQ(CountInRange(kRv7361, 4, 1234, 4, 4), 1234);
  // RV736X RES: 60 MOhm and 600 MOhm show one digit less.
  EXPECT_EQ(RangeDecade(kRv7361, 9, 6), 6);
  EXPECT_EQ(RangeDecade(kRv7361, 9, 7), 8);
  EXPECT_EQ(CountInRange(kRv7361, 9, 59999, 6, 7), 599);
  EXPECT_EQ(RangeDecade(kRv7341, 8, 7), 7) << "only the RV736X";
  EXPECT_EQ(CountInRange(kRv7361, 9, 5, INT32_MIN, INT32_MAX), 0) << "damaged ranges do not overflow";
}

}  // namespace

// Reading and configuration replies as the monitor panel shows them.
#include <gtest/gtest.h>

#include "base/models.h"
#include "catalogue/catalogue.h"
#include "catalogue/configuration.h"
#include "catalogue/reading_decode.h"
#include "window/headless_controls.h"

namespace {

class ReadingTest : public testing::Test {
 protected:
  void SetUp() override {
    SetCatalogueLanguage(1);
    data_ = _MONITOR_DATA();
  }
  // Main display in `function` at `range`, as the configuration left it.
  void In(int function, int range) {
    data_.functionIndex = function;
    data_.rangeIndex = range;
  }
  DecodedValue Main(int model, std::string_view reply) {
    names_ = NamesAndLabels(model, data_);
    return DecodeMainReading(model, reply, data_, names_);
  }
  _MONITOR_DATA data_;
  DisplayNames names_;
};

TEST_F(ReadingTest, MainValuesAndUnits) {
  struct Case {
    const char* what;
    int model, function, range;
    std::string reply;
    std::u16string text, unit;
    int count;
  };
  // Range numbers are columns; "Auto" rows count from column 1.
  const Case cases[] = {
      {"ACV 6 V", kRv7321, 0, 1, "1234,1234,0", u"1.234", u"V", 1234},
      {"ACV 6 V negative", kRv7321, 0, 1, "-5,-5,0", u"-0.005", u"V", -5},
      {"ACV 6 V over", kRv7321, 0, 1, "1000000,1000000,0", u"6.000", u"V", 1000000},
      {"ACV 6 V negative over", kRv7321, 0, 1, "-1000000,-1000000,0", u"-6.000", u"V", -1000000},
      {"ACV 1000 V over", kRv7321, 0, 4, "1000000,1000000,3", u"1000", u"V", 1000000},
      {"RV736X DCV 6 V blank", kRv7361, 4, 3, "2000000,2000000,2", u"-.----", u"V", 2000000},
      {"RV732X DCV 6 V blank", kRv7321, 1, 2, "2000000,2000000,1", u"-.---", u"V", 2000000},
      {"open input", kRv7361, 9, 1, "3000000,3000000,0", u"OPEN", u"Ω", 3000000},
      {"another range than configured: blank", kRv7361, 4, 3, "123,123,4", u"-.----", u"V", 2000000},
      {"dBm shows its count whatever the range", kRv7361, 1, 0, "-1234,-1234,5", u"-12.34", u"dBm", -1234},
      {"RV7341 LoZV likewise", kRv7341, 5, 0, "2345,2345,3", u"234.5", u"V", 2345},
      {"RV734X current loop over", kRv7341, 17, 0, "1000000,1000000,0", u"----", u"%", 1000000},
      {"field of 31 characters: blank", kRv7321, 0, 1, std::string(31, '9'), u"-.---", u"V", 2000000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    In(c.function, c.range);
    const DecodedValue value = Main(c.model, c.reply);
    EXPECT_TRUE(value.shown);
    EXPECT_EQ(value.text, c.text);
    EXPECT_EQ(value.unit, c.unit);
    EXPECT_EQ(value.count, c.count);
  }
}

TEST_F(ReadingTest, GarbledFieldsReadAsZero) {
  In(0, 1);
  EXPECT_EQ(Main(kRv7321, "5,zz,0").count, 0);
  EXPECT_EQ(Main(kRv7321, "5,7,zz").count, 7) << "range number zz reads as 0, column 1 after Auto";
  // Huge range numbers are no range at all, and never overflow.
  In(5, 2);
  EXPECT_EQ(Main(kRv7361, "1,1,99999999999").count, 2000000);
  EXPECT_EQ(Main(kRv7361, "1,1,-99999999999").count, 2000000);
  EXPECT_EQ(IntegerOf("-42x"), -42);
  EXPECT_EQ(IntegerOf("99999999999"), INT32_MAX);
}

TEST_F(ReadingTest, TemperatureFullScales) {
  struct Case {
    int model, function;
    bool fahrenheit;
    const char* reply;
    std::u16string text, unit;
  };
  const Case cases[] = {
      {kRv7321, 8, false, "1000000,1000000,0", u"400.0", u"℃"},
      {kRv7321, 8, false, "-1000000,-1000000,0", u"-40.0", u"℃"},
      {kRv7361, 10, true, "1000000,1000000,0", u"1472.0", u"ºF"},
      {kRv7361, 10, false, "235,235,0", u"23.5", u"℃"},
  };
  for (const Case& c : cases) {
    SetUp();
    In(c.function, 0);
    data_.status[kStatusTemperatureUnit] = c.fahrenheit ? 1 : 0;
    const DecodedValue value = Main(c.model, c.reply);
    EXPECT_EQ(value.text, c.text) << c.reply;
    EXPECT_EQ(value.unit, c.unit) << c.reply;
  }
}

TEST_F(ReadingTest, RangeNumberAdjustments) {
  In(5, 2);  // RV736X ACDCV
  Main(kRv7361, "1,1,3");
  EXPECT_EQ(data_.fetchRangeIndex.load(), 2);

  In(3, 0);  // RV732X AutoV: the meter chose AC
  Main(kRv7321, "1234,1234,1");
  EXPECT_EQ(data_.fetchRangeIndex.load(), 0);
  EXPECT_EQ(names_.mainLabel, u"Main： Auto ACV");
  EXPECT_EQ(names_.mainLong, u"Auto ACV");
  Main(kRv7321, "1234,1234,0");
  EXPECT_EQ(names_.mainLabel, u"Main： Auto DCV");
  EXPECT_EQ(names_.mainShort, u"Auto DCV");

  In(1, 3);  // RV7341 DCV 60 V
  Main(kRv7341, "1,1,2");
  EXPECT_EQ(data_.fetchRangeIndex.load(), 3);
  EXPECT_FALSE(data_.mainBlank.load());
}

// A range number that lands on the "Auto" entry or outside the row's
// ranges places the reading in no range: it shows as blank, never as a
// count without its unit and decimals.
TEST_F(ReadingTest, AReadingInNoRangeShowsNothing) {
  struct Case {
    const char* what;
    int model, function, range;
    bool rel;
    std::string reply;
    std::u16string text, unit;
    int count;
  };
  const Case cases[] = {
      {"RV7361 DCV with the filter: its FILTER column is column 0", kRv7361, 4, 0, false, "14998,14998,-1", u"-----",
       u"", 2000000},
      {"RV7341 DCV, range number -1", kRv7341, 1, 0, false, "1234,1234,-1", u"----", u"", 2000000},
      {"RV732X ACV, range number -1", kRv7321, 0, 0, false, "1234,1234,-1", u"----", u"", 2000000},
      {"REL on, range number -1", kRv7361, 4, 3, true, "-123,55555,-1", u"-----", u"", 2000000},
      {"REL on, range number past the row", kRv7361, 4, 3, true, "-123,55555,50", u"-----", u"", 2000000},
      {"dBm shows its count whatever the range", kRv7361, 1, 0, false, "-1234,-1234,-1", u"-12.34", u"dBm", -1234},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    In(c.function, c.range);
    data_.status[kStatusRel] = c.rel ? 1 : 0;
    const DecodedValue value = Main(c.model, c.reply);
    EXPECT_EQ(value.text, c.text);
    EXPECT_EQ(value.unit, c.unit);
    EXPECT_EQ(value.count, c.count);
    EXPECT_EQ(data_.mainBlank.load(), c.count == 2000000 ? 1 : 0);
  }

  // The first case as the cycle meets it: FILTER on in DCV, whose FILTER
  // ranges have no place among its normal ones.
  SetUp();
  std::string status(24, '0');
  status[kStatusFilter] = '1';
  ListState lists;
  HeadlessControls controls;
  ApplyConfiguration(kRv7361, "DCV", "600", status, data_, lists, controls);
  ParseStatus(status, data_);
  ASSERT_EQ(data_.functionIndex.load(), 4);
  EXPECT_EQ(Main(kRv7361, "14998,14998,-1").text, u"-----");
}

TEST_F(ReadingTest, RelShowsTheDisplayTextInItsOwnRange) {
  In(4, 0);  // RV736X DCV on auto; the meter measured on 6 V
  data_.status[kStatusRel] = 1;
  const DecodedValue value = Main(kRv7361, "-123,55555,2");
  EXPECT_EQ(data_.fetchRangeIndex.load(), 3);
  EXPECT_EQ(value.text, u"-0.0123");
  EXPECT_EQ(value.count, -123) << "with REL the count is the shown difference";
  EXPECT_EQ(value.unit, u"V");
}

TEST_F(ReadingTest, PeakReplies) {
  In(0, 1);  // RV736X ACV in the 180 V PEAK range
  data_.status[kStatusPeak] = 1;
  const DecodedValue value = Main(kRv7361, "-17999");
  EXPECT_EQ(value.text, u"-179.99");
  EXPECT_EQ(value.unit, u"V");
  EXPECT_EQ(names_.mainLong, u"ACV PEAK max");
  EXPECT_EQ(names_.mainLabel, u"Main： PEAK max");
  EXPECT_EQ(names_.subLabel, u"Sub：  PEAK min");
}

TEST_F(ReadingTest, ErrorsAndTheSubDisplay) {
  In(0, 1);
  EXPECT_FALSE(Main(kRv7321, "CMD ERR").shown);
  EXPECT_EQ(Main(kRv7321, "CMD ERR").text, u"Error");

  data_.subRangeIndex = 1;  // RV732X frequency 1 kHz
  data_.subFunctionIndex = -1;
  DecodedValue sub = DecodeSubReading(kRv7321, "5000,5000,1", data_);
  EXPECT_TRUE(sub.shown);
  EXPECT_EQ(sub.text, u"500.0");
  EXPECT_EQ(sub.unit, u"Hz");
  EXPECT_EQ(data_.subPresent.load(), 1);

  sub = DecodeSubReading(kRv7321, "1000000,1000000,1", data_);
  EXPECT_EQ(sub.text, u"---.-");
  EXPECT_TRUE(data_.subOver.load());

  sub = DecodeSubReading(kRv7321, "CMD ERR", data_);
  EXPECT_FALSE(sub.shown);
  EXPECT_EQ(sub.text, u"");
  EXPECT_EQ(data_.subPresent.load(), 0);
  EXPECT_EQ(NamesAndLabels(kRv7321, data_).subLong, u"<none>");
}

TEST_F(ReadingTest, ConfigurationTexts) {
  EXPECT_EQ(MainConfigurationText(kRv7361, "DIODE,2", false, false), u"DIODE,1.8");
  EXPECT_EQ(MainConfigurationText(kRv7341, "ACV,60", false, true), u"ACV,120");
  EXPECT_EQ(MainConfigurationText(kRv7341, "DCV,600", false, true), u"DCV,1000");
  EXPECT_EQ(MainConfigurationText(kRv7361, "ACV,60", false, true), u"ACV,180");
  EXPECT_EQ(MainConfigurationText(kRv7324, "DCV,1000", false, false), u"DCV,1500");
  EXPECT_EQ(MainConfigurationText(kRv7325, "VDET,1", false, false), u"VDET,Hi");
  EXPECT_EQ(MainConfigurationText(kRv7323, "VDET,1", false, false), u"VDET,1");
  EXPECT_EQ(MainConfigurationText(kRv7361, "DC_4_20mA,60m", true, false), u"DC_0_20mA,60m");
  EXPECT_EQ(MainConfigurationText(kRv7321, "CLAMP,20", false, true), u"CLAMP,60");
  EXPECT_EQ(MainConfigurationText(kRv7321, "CMD ERR", false, false), u"<Error>");
  EXPECT_EQ(SubConfigurationText(kRv7361, "CMD ERR", false), u"<none>");
  EXPECT_EQ(SubConfigurationText(kRv7361, "ACV,6", false), u"ACV,6");
  EXPECT_EQ(SubConfigurationText(kRv7361, "ACV,6", true), u"ACV,18");
  EXPECT_EQ(SubConfigurationText(kRv7361, "DIODE,4", false), u"DIODE,4") << "only the PEAK group for the sub display";
}

TEST_F(ReadingTest, NamesAndLabels) {
  data_.functionIndex = 6;  // RV736X SEPV
  data_.subFunctionIndex = 6;
  data_.subPresent = 1;
  DisplayNames names = NamesAndLabels(kRv7361, data_);
  EXPECT_EQ(names.mainLong, u"DCV");
  EXPECT_EQ(names.mainLabel, u"Main： DCV");
  EXPECT_EQ(names.subLabel, u"Sub：  ACV");
  EXPECT_EQ(names.subShort, u"ACV");

  data_.functionIndex = 3;  // RV7341 ACV with a frequency sub display, PEAK on
  data_.subFunctionIndex = -1;
  data_.status[kStatusPeak] = 1;
  names = NamesAndLabels(kRv7341, data_);
  EXPECT_EQ(names.mainLong, u"ACV PEAK min");
  EXPECT_EQ(names.mainShort, u"ACV");
  EXPECT_EQ(names.subShort, u"Freq.");
  EXPECT_EQ(names.subLong, u"Frequency");

  data_.subFunctionIndex = 3;  // a function on the sub display names the main function
  names = NamesAndLabels(kRv7341, data_);
  EXPECT_EQ(names.subLong, u"ACV PEAK max");

  SetCatalogueLanguage(0);
  data_.status[kStatusPeak] = 0;
  names = NamesAndLabels(kRv7321, data_);
  EXPECT_EQ(names.subShort, u"周波数");
  EXPECT_FALSE(names.mainLabel.has_value()) << "the RV732X labels are not written here";
}

TEST_F(ReadingTest, ConfigurationError) {
  EXPECT_EQ(ConfigurationErrorText(kRv7361, data_), u"-----");
  EXPECT_EQ(ConfigurationErrorText(kRv7341, data_), u"----");
  EXPECT_EQ(data_.confError.load(), 1);
}

}  // namespace

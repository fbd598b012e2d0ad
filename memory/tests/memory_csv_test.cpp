// The memory's records and presence map as the meter sends them, and the
// CSV lines made of them: every field rule, in both languages, with either
// separator and decimal mark.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/models.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "memory/memory_csv.h"
#include "memory/tests/record_bytes.h"
#include "persistence/ansi_code_page.h"

namespace {

// RV736X rows.
constexpr int kAcv = 0, kDbm = 1, kClamp = 3, kDcv = 4, kAcdcv = 5, kSepv = 6, kCont = 7, kDiode = 8, kRes = 9,
              kTemp = 10, kDcua = 13, kCurrentLoop = 17;
constexpr int kEnglish = 1, kJapanese = 0;
constexpr int kHolds = 1, kFilter = 4, kRel = 8, kSlow = 16;

std::string Utf8(const std::u16string& text) { return Utf16ToUtf8(text); }

class MemoryCsv : public testing::Test {
 protected:
  void TearDown() override {
    SetCatalogueLanguage(1);
    SetZeroTo20mANaming(false);
  }
  std::string Line(const RecordFields& fields, int language = kEnglish, int temperatureUnit = 0, bool comma = false) {
    SetCatalogueLanguage(language);
    const MemoryCsvFormat format{comma ? u';' : u',', comma ? u"," : u".", temperatureUnit};
    return Utf8(MemoryCsvLine(7, MemoryRecord::Decode(RecordBytes(fields)), format));
  }
};

TEST(PresenceMap, OneBitPerMemoryNumberLowBitFirst) {
  PresenceMap map;
  map.SetByte(1, 0x01);
  EXPECT_EQ(map.Count(), 1);
  for (int number = 1; number <= 400; ++number) EXPECT_EQ(map.Present(number), number == 9) << number;

  map.SetByte(0, 0x80);   // memory 8
  map.SetByte(49, 0x80);  // memory 400
  EXPECT_TRUE(map.Present(8));
  EXPECT_TRUE(map.Present(400));
  EXPECT_FALSE(map.Present(1));
  EXPECT_EQ(map.Count(), 3);
  EXPECT_FALSE(map.Present(0));
  EXPECT_FALSE(map.Present(401));
  EXPECT_EQ(PresenceMap::All().Count(), 400);
}

TEST(MemoryRecordDecode, FieldsAreLittleEndianAndSigned) {
  const MemoryRecord r = MemoryRecord::Decode(RecordBytes({-123456, 17, 3, -2, 0x1D, 4, -98765, 2, 5, 1}));
  EXPECT_EQ(r.mainValue, -123456);
  EXPECT_EQ(r.FunctionRow(), 17);
  EXPECT_EQ(r.mainStatus, 3);
  EXPECT_EQ(r.range, -2);
  EXPECT_EQ(r.flags, 0x1D);
  EXPECT_TRUE(r.HoldsReading());
  EXPECT_TRUE(r.Peak());
  EXPECT_EQ(r.subValue, -98765);
  EXPECT_EQ(r.subStatus, 2);
  EXPECT_EQ(r.frequencyRange, 5);
  EXPECT_EQ(r.setting, 1);
  EXPECT_FALSE(MemoryRecord::Decode(RecordBytes({.flags = 0x1C})).HoldsReading());
}

TEST_F(MemoryCsv, HeaderNamesTheMeterAndTheDay) {
  const MemoryCsvMeter meter{kRv7362, "23120815", "1.04"};
  SetCatalogueLanguage(kEnglish);
  const std::vector<std::u16string> english = MemoryCsvHeader(meter, {2026, 1, 5, 9, 3, 7}, {u',', u".", 0});
  const std::vector<std::string> expected = {
      "Quorvia for RV7300s  Ver2.11",
      "---------------------------------------",
      "Memory Data",
      "Model:,VORNEK,RV7362,Ver 1.04",
      "S/N:,23120815",
      "Date:,2026/1/5",
      "",
      "No,Main Function,Main Measured Value,Main Unit,Main OVER,Sub Function,Sub Measured Value,Sub Unit,Sub OVER,"
      "MAX/MIN,REL,FILTER,SLOW,Sub Information"};
  ASSERT_EQ(english.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(Utf8(english[i]), expected[i]) << i;

  SetCatalogueLanguage(kJapanese);
  const std::vector<std::u16string> japanese = MemoryCsvHeader(meter, {2026, 12, 31, 0, 0, 0}, {u';', u",", 0});
  ASSERT_EQ(japanese.size(), expected.size());
  EXPECT_EQ(Utf8(japanese[2]), "メモリデータ");
  EXPECT_EQ(Utf8(japanese[3]), "モデル:;VORNEK;RV7362;Ver 1.04");
  EXPECT_EQ(Utf8(japanese[5]), "日付:;2026/12/31");
  EXPECT_EQ(Utf8(japanese[7]),
            "No;メインファンクション;メイン測定値;メイン単位;メインOVER;サブファンクション;サブ測定値;サブ単位;"
            "サブOVER;MAX/MIN;REL;FILTER;SLOW;サブ情報");
}

TEST_F(MemoryCsv, DecimalMarkAndSeparatorFollowTheSettings) {
  // ACV in its 60 mV range (three decimals), 50 Hz on the sub display.
  const RecordFields fields{.main = 5, .function = kAcv, .range = 0, .sub = 50000, .frequencyRange = 1};
  EXPECT_EQ(Line(fields), "7,ACV,0.005,mV,,Frequency,50.000,Hz,,,,,");
  EXPECT_EQ(Line(fields, kEnglish, 0, true), "7;ACV;0,005;mV;;Frequency;50,000;Hz;;;;;");
  EXPECT_EQ(Line({.main = -12, .function = kAcv, .range = 0}), "7,ACV,-0.012,mV,,Frequency,0.0000,Hz,,,,,");

  Settings settings;
  settings.decimalSymbol = 1;
  settings.listSeparator = 1;
  const MemoryCsvFormat format = MemoryCsvFormat::FromSettings(settings, 1);
  EXPECT_EQ(format.separator, u';');
  EXPECT_EQ(format.mark, u",");
  EXPECT_EQ(format.temperatureUnit, 1);
  EXPECT_EQ(MemoryCsvFormat::FromSettings(Settings{}, 0).separator, u',');
}

TEST_F(MemoryCsv, TemperaturesAreStoredInFahrenheitTenths) {
  struct Case {
    const char* what;
    RecordFields fields;
    int unit;
    const char* line;
  };
  const Case cases[] = {
      {"Celsius, truncated", {.main = 777, .function = kTemp}, 0, "7,Temp,25.3,Celsius,,,,,,,,,"},
      {"below freezing, toward zero", {.main = 310, .function = kTemp}, 0, "7,Temp,-0.5,Celsius,,,,,,,,,"},
      {"Fahrenheit as stored", {.main = 777, .function = kTemp}, 1, "7,Temp,77.7,Fahrenheit,,,,,,,,,"},
      {"REL: the difference, rounded; the reference as information",
       {.main = 977, .function = kTemp, .flags = kHolds | kRel, .sub = 777},
       0,
       "7,Temp,11.1,Celsius,,,,,,,REL,,,25.3Celsius"},
      {"REL rounds half away from zero",
       {.main = 772, .function = kTemp, .flags = kHolds | kRel, .sub = 777},
       0,
       "7,Temp,-0.3,Celsius,,,,,,,REL,,,25.3Celsius"},
      {"REL in Fahrenheit",
       {.main = 977, .function = kTemp, .flags = kHolds | kRel, .sub = 777},
       1,
       "7,Temp,20.0,Fahrenheit,,,,,,,REL,,,77.7Fahrenheit"},
      {"a marker is never converted",
       {.main = 1000000, .function = kTemp, .mainStatus = 3},
       0,
       "7,Temp,800.0,Celsius,OVER,,,,,,,,"},
      {"nor with REL",
       {.main = 3000000, .function = kTemp, .flags = kHolds | kRel, .sub = 777},
       0,
       "7,Temp,OPEN,Celsius,,,,,,,REL,,,25.3Celsius"},
  };
  for (const Case& c : cases) EXPECT_EQ(Line(c.fields, kEnglish, c.unit), c.line) << c.what;
  EXPECT_EQ(Line({.main = 777, .function = kTemp}, kJapanese, 0), "7,温度,25.3,℃,,,,,,,,,");
  EXPECT_EQ(Line({.main = 777, .function = kTemp}, kJapanese, 1), "7,温度,77.7,Fahrenheit,,,,,,,,,");
}

TEST_F(MemoryCsv, OverBlankAndOpen) {
  struct Case {
    const char* what;
    RecordFields fields;
    const char* line;
  };
  const Case cases[] = {
      {"dBm over: its own over text",
       {.main = 60000, .function = kDbm, .mainStatus = 3, .sub = 50000, .frequencyRange = 1, .setting = 15},
       "7,dBm,---.--,dBm,OVER,Frequency,50.000,Hz,,,,,,Standard Impedance 600Ohm"},
      {"the current loop likewise",
       {.main = 4000, .function = kCurrentLoop, .mainStatus = 3},
       "7,DC 4-20mA,---.--,%,OVER,,,,,,,,"},
      {"the over count shows full scale",
       {.main = 1000000, .function = kDcv, .mainStatus = 3, .range = 2},
       "7,DCV,6.0000,V,OVER,,,,,,,,"},
      {"an over status beside a count",
       {.main = 60001, .function = kDcv, .mainStatus = 3, .range = 2},
       "7,DCV,6.0001,V,OVER,,,,,,,,"},
      {"blank display", {.main = 0, .function = kDcv, .mainStatus = 1, .range = 2}, "7,DCV,-.----,V,,,,,,,,,"},
      {"open input is no over",
       {.main = 3000000, .function = kCont, .mainStatus = 3, .setting = 2},
       "7,Continuity,OPEN,Ohm,,,,,,,,,,Threshold 100Ohm"},
      {"sub over",
       {.main = 5, .function = kAcv, .sub = 1000000, .frequencyRange = 1},
       "7,ACV,0.005,mV,,Frequency,--.---,Hz,OVER,,,,"},
      {"sub over status",
       {.main = 5, .function = kAcv, .sub = 12, .subStatus = 3, .frequencyRange = 1},
       "7,ACV,0.005,mV,,Frequency,0.012,Hz,OVER,,,,"},
      {"sub blank",
       {.main = 5, .function = kAcv, .sub = 0, .subStatus = 2, .frequencyRange = 1},
       "7,ACV,0.005,mV,,Frequency,--.---,Hz,,,,,"},
      {"a sub over count without a sub display",
       {.main = 5, .function = kDcv, .range = 2, .sub = 1000000},
       "7,DCV,0.0005,V,,,,,OVER,,,,"},
  };
  for (const Case& c : cases) EXPECT_EQ(Line(c.fields), c.line) << c.what;
}

TEST_F(MemoryCsv, FunctionsRangesAndModes) {
  struct Case {
    const char* what;
    RecordFields fields;
    const char* line;
  };
  const Case cases[] = {
      {"ranges count from the first real one",
       {.main = 12345, .function = kRes, .range = 2},
       "7,Resistance,1.2345,kOhm,,,,,,,,,"},
      {"CLAMP has no Auto column", {.main = 123, .function = kClamp, .range = 3}, "7,Clamp,12.3,A,,,,,,,,,"},
      {"ACDCV numbers its ranges two higher",
       {.main = 12345, .function = kAcdcv, .range = 2, .frequencyRange = 2},
       "7,DC+ACV,1.2345,V,,Frequency,0.00,Hz,,,,,"},
      {"SEPV: DC on the main display, AC on the sub",
       {.main = 12345, .function = kSepv, .range = 2, .sub = 5000},
       "7,DCV,1.2345,V,,ACV,0.5000,V,,,,,"},
      {"peak hold: both peaks in the PEAK ranges",
       {.main = 1234, .function = kDcv, .range = 2, .hold = 4, .sub = -1234},
       "7,DCV PEAK max,1.234,V,,DCV PEAK min,-1.234,V,,,,,"},
      {"peak hold one range down",
       {.main = 1234, .function = kAcdcv, .range = 2, .hold = 4, .sub = 12},
       "7,DC+ACV PEAK max,1.234,V,,DC+ACV PEAK min,0.012,V,,,,,"},
      {"peak hold of the current rows",
       {.main = 1234, .function = kDcua, .range = 0, .hold = 4, .sub = 0},
       "7,DCuA PEAK max,123.4,uA,,DCuA PEAK min,0.0,uA,,,,,"},
      {"MAX and the mode flags",
       {.main = 5, .function = kAcv, .flags = kHolds | kFilter | kRel | kSlow, .hold = 1, .frequencyRange = 1},
       "7,ACV,0.005,mV,,Frequency,0.000,Hz,,MAX,REL,FILTER,SLOW"},
      {"MIN", {.main = 5, .function = kDcv, .range = 2, .hold = 2}, "7,DCV,0.0005,V,,,,,,MIN,,,"},
      {"the 0-20 mA scale", {.main = 1234, .function = kCurrentLoop, .setting = 1}, "7,0-20mA,12.34,%,,,,,,,,,"},
      {"the 4-20 mA scale", {.main = 1234, .function = kCurrentLoop, .setting = 0}, "7,DC 4-20mA,12.34,%,,,,,,,,,"},
      {"diode threshold", {.main = 512, .function = kDiode, .setting = 3}, "7,Diode,0.512,V,,,,,,,,,,Threshold 1.5V"},
      {"a setting outside its list", {.main = 512, .function = kDiode, .setting = 9}, "7,Diode,0.512,V,,,,,,,,,,9"},
      {"no sub information for REL outside TEMP",
       {.main = 5, .function = kDcv, .range = 2, .flags = kHolds | kRel},
       "7,DCV,0.0005,V,,,,,,,REL,,"},
  };
  for (const Case& c : cases) EXPECT_EQ(Line(c.fields), c.line) << c.what;

  // The record names its own loop scale, not the meter's present one.
  SetZeroTo20mANaming(true);
  EXPECT_EQ(Line({.main = 1234, .function = kCurrentLoop, .setting = 0}), "7,DC 4-20mA,12.34,%,,,,,,,,,");
  EXPECT_EQ(Line({.main = 12345, .function = kRes, .range = 2}, kJapanese), "7,抵抗,1.2345,kΩ,,,,,,,,,");
  EXPECT_EQ(Line({.main = 3000000, .function = kCont, .setting = 0}, kJapanese), "7,導通,OPEN,Ω,,,,,,,,,,しきい値 20Ω");
  EXPECT_EQ(Line({.main = 5, .function = kAcv, .range = 2, .hold = 4}, kJapanese),
            "7,ACV PEAK max,0.005,V,,ACV PEAK min,0.000,V,,,,,");
}

TEST_F(MemoryCsv, DamagedRecordsStillGiveALine) {
  for (const int function : {-2, -1, 20, 400}) {
    const std::string line = Line({.main = 42, .function = function, .range = -100, .hold = 4, .frequencyRange = 99});
    EXPECT_EQ(line.substr(0, 2), "7,") << function;
  }
}

TEST_F(MemoryCsv, LinesAreWrittenInTheAnsiCodePageWithCrLf) {
  constexpr int kWestern = 1252;
  EXPECT_EQ(EncodeMemoryCsvLine(u"メモリデータ", kJapaneseCodePage),
            "\x83\x81\x83\x82\x83\x8A\x83\x66\x81\x5B\x83\x5E\r\n");
  EXPECT_EQ(EncodeMemoryCsvLine(u"7,Temp,25.3", kJapaneseCodePage), "7,Temp,25.3\r\n");
  EXPECT_EQ(EncodeMemoryCsvLine(u"25.3℃", kWestern), "25.3?\r\n") << "CP1252 has no degree-Celsius sign";
  // The Japanese interface where the system's code page has no Japanese.
  SetCatalogueLanguage(kJapanese);
  EXPECT_EQ(EncodeMemoryCsvLine(u"メモリデータ,25.3℃", kWestern),
            "\x83\x81\x83\x82\x83\x8A\x83\x66\x81\x5B\x83\x5E,25.3\x81\x8E\r\n");
}

}  // namespace

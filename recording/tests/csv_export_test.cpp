// The CSV export of a recording: the header block, the column titles, one
// line per record, the code page and the file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/models.h"
#include "base/tests/environment.h"
#include "catalogue/catalogue.h"
#include "catalogue/value_format.h"
#include "persistence/ansi_code_page.h"
#include "persistence/file_exception.h"
#include "recording/csv_export.h"
#include "recording/tests/records.h"

namespace {

namespace fs = std::filesystem;

CDateTime At(int seconds) {
  return CDateTime::FromCalendar({2026, 1, 5, 9 + seconds / 3600, 3 + seconds / 60 % 60, 7 + seconds % 60});
}

_RECORD_DATA Record(int function, int count, int range, int seconds = 0) {
  return MakeRecord(function, count, range, At(seconds));
}

// RV7361 DC volts in the 6 V range: four decimals.
_RECORD_DATA DcVolts(int count) { return Record(4, count, 3); }

// The header items switched off: what stays is the fixed part.
Settings PlainSettings() {
  Settings settings;
  settings.companyOn = settings.titleOn = settings.dateOn = settings.operatorOn = 0;
  settings.tempHumidOn = settings.memoOn = 0;
  return settings;
}

class CsvExport : public testing::Test {
 protected:
  void SetUp() override {
    // CP932 holds every character these files use, so the lines come back
    // whole; the code page itself has a test of its own below.
    SetEnvironment("LC_ALL", "ja_JP.UTF-8");
    SetCatalogueLanguage(1);
  }
  void TearDown() override {
    UnsetEnvironment("LC_ALL");
    SetCatalogueLanguage(1);
    SetZeroTo20mANaming(false);
  }

  // The file as lines without their CR LF.  Each hand-over must be exactly
  // one line: the export never holds more than that.
  std::vector<std::u16string> Lines() {
    std::vector<std::string> handedOver;
    const CsvLosses losses =
        WriteRecordingCsv(store, meter, settings, [&](std::string_view bytes) { handedOver.emplace_back(bytes); });
    std::vector<std::u16string> lines;
    for (std::string_view bytes : handedOver) {
      EXPECT_TRUE(bytes.ends_with("\r\n")) << "every hand-over ends a line";
      bytes.remove_suffix(std::min<std::size_t>(bytes.size(), 2));
      lines.push_back(AnsiToUtf16(bytes, losses.codePage));
    }
    return lines;
  }
  // The lines after the column titles.
  std::vector<std::u16string> RecordLines() {
    std::vector<std::u16string> lines = Lines();
    const std::size_t records = store.Size();
    return {lines.end() - static_cast<std::ptrdiff_t>(std::min(records, lines.size())), lines.end()};
  }
  std::u16string OnlyRecordLine(const _RECORD_DATA& record) {
    store.RemoveAll();
    store.Append(record);
    const std::vector<std::u16string> lines = RecordLines();
    return lines.empty() ? u"<none>" : lines.back();
  }

  RecordStore store;
  CsvIdentity meter{kRv7361, u"12345678", u"1.04"};
  Settings settings = PlainSettings();
};

TEST_F(CsvExport, HeaderWithEveryItem) {
  settings.companyText = u"Acme";
  settings.titleText = u"Run 7";
  settings.dateText = u"2026/01/05";
  settings.operatorText = u"Kim";
  settings.temperatureText = u"23.5";
  settings.humidityText = u"45";
  settings.memoText = u"bench";
  settings.companyOn = settings.titleOn = settings.dateOn = settings.operatorOn = 1;
  settings.tempHumidOn = settings.memoOn = 1;
  settings.intervalMinutes = 1;
  settings.intervalSeconds = 30;
  store.maxMainFunction = 4;
  store.recordRangeText = u"6V";
  store.Append(DcVolts(12340));
  const std::vector<std::u16string> expected = {
      u"Quorvia for RV7300s  Ver2.11",
      u"---------------------------------------",
      u"Record Data",
      u"Model:,VORNEK,RV7361,Ver 1.04",
      u"S/N:,12345678",
      u"Company:,Acme",
      u"Title:,Run 7",
      u"Date:,2026/01/05",
      u"Operator:,Kim",
      u"Temp/Humid:,23.5Celsius/45%rh",
      u"Interval:,1m 30s",
      u"Function:,DCV",
      u"Range:,6V",
      u"Memo:,bench",
      u"",
      u"Buffer:,1",
      u"No,Date,Time,Main Function,Main Measured Value,Main Unit,Main OVER,Sub Function,Sub Measured Value,"
      u"Sub Unit,Sub OVER,REL,FILTER,SLOW,Sub Information",
      u"1,2026/1/5,09:03:07,DCV,1.2340,V,,,,,,,,",
  };
  EXPECT_EQ(Lines(), expected);
}

TEST_F(CsvExport, NoRecordsGiveTheHeaderAndTitlesOnly) {
  meter = {kRv7341, u"A1", u"2.00"};  // no SLOW column
  store.maxMainFunction = 1;
  const std::vector<std::u16string> expected = {
      u"Quorvia for RV7300s  Ver2.11",
      u"---------------------------------------",
      u"Record Data",
      u"Model:,VORNEK,RV7341,Ver 2.00",
      u"S/N:,A1",
      u"Interval:,1s",
      u"Function:,DCV",
      u"Range:,",
      u"",
      u"Buffer:,0",
      u"No,Date,Time,Main Function,Main Measured Value,Main Unit,Main OVER,Sub Function,Sub Measured Value,"
      u"Sub Unit,Sub OVER,REL,FILTER,Sub Information",
  };
  EXPECT_EQ(Lines(), expected);
}

TEST_F(CsvExport, Rv736xRecordLinesInEnglish) {
  auto with = [](_RECORD_DATA r, auto change) {
    change(r);
    return r;
  };
  const struct {
    const char* what;
    _RECORD_DATA record;
    std::u16string line;  // after "1,2026/1/5,09:03:07,"
  } cases[] = {
      {"Celsius spelt out", Record(10, 771, 0), u"Temp,77.1,Celsius,,,,,,,,"},
      {"Fahrenheit spelt out", with(Record(10, 771, 0), [](auto& r) { r.settingValue = 1; }),
       u"Temp,77.1,Fahrenheit,,,,,,,,"},
      {"ohms spelt out", Record(9, 12345, 3), u"Resistance,1.2345,kOhm,,,,,,,,"},
      {"PEAK max and min", with(WithSub(Record(0, 12345, 0), 0, -1234, 0), [](auto& r) { r.peakOn = 1; }),
       u"ACV PEAK max,12.345,V,,ACV PEAK min,-1.234,V,,,,"},
      {"separate volts", WithSub(Record(6, 12340, 1), 6, 5000, 1), u"DCV,1.2340,V,,ACV,0.5000,V,,,,"},
      {"frequency on the sub display", WithSub(Record(0, 12340, 3), -1, 5000, 0),
       u"ACV,1.2340,V,,Frequency,0.5000,Hz,,,,"},
      {"loop 0-20 by the record's setting", with(Record(17, 1234, 0), [](auto& r) { r.settingValue = 1; }),
       u"DC 0-20mA,12.34,%,,,,,,,,"},
      {"loop 4-20 by the record's setting", Record(17, 1234, 0), u"DC 4-20mA,12.34,%,,,,,,,,"},
      {"REL with main over",
       with(Record(4, -1000000, 3), [](auto& r) { r.flags = record_flag::kRel | record_flag::kMainOver; }),
       u"DCV,-6.0000,V,OVER,,,,,REL,,"},
      {"FILTER and SLOW", with(DcVolts(1), [](auto& r) { r.filterOn = r.slowOn = 1; }),
       u"DCV,0.0001,V,,,,,,,FILTER,SLOW"},
      {"continuity threshold", with(Record(7, 123, 0), [](auto& r) { r.settingValue = 0; }),
       u"Continuity,12.3,Ohm,,,,,,,,,Threshold 20Ohm"},
      {"diode threshold beyond the list", with(Record(8, 1234, 0), [](auto& r) { r.settingValue = 7; }),
       u"Diode,1.234,V,,,,,,,,,7"},
      {"dBm impedance", with(Record(1, 1234, 0), [](auto& r) { r.settingValue = 15; }),
       u"dBm,12.34,dBm,,,,,,,,,Standard Impedance 600Ohm"},
  };
  // The live naming of the current loop must not leak into old records.
  SetZeroTo20mANaming(true);
  for (const auto& c : cases) {
    EXPECT_EQ(OnlyRecordLine(c.record), u"1,2026/1/5,09:03:07," + c.line) << c.what;
  }
}

TEST_F(CsvExport, OverWithoutRelIsNotFlagged) {
  // The value still shows the formatter's over pattern.
  EXPECT_EQ(OnlyRecordLine(Record(4, -1000000, 3)), u"1,2026/1/5,09:03:07,DCV,-6.0000,V,,,,,,,,");
  EXPECT_EQ(OnlyRecordLine(Record(4, 1000000, 3)), u"1,2026/1/5,09:03:07,DCV,6.0000,V,OVER,,,,,,,");
  _RECORD_DATA subOver = DcVolts(0);
  subOver.subCount = 1000000;  // left by an earlier sub reading
  EXPECT_EQ(OnlyRecordLine(subOver), u"1,2026/1/5,09:03:07,DCV,0.0000,V,,,,,OVER,,,");
}

TEST_F(CsvExport, CommaMarkWithSemicolons) {
  settings.decimalSymbol = 1;
  settings.listSeparator = 1;
  store.Append(Record(4, 1250, 4));  // 60 V range: three decimals
  const std::vector<std::u16string> lines = Lines();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[3], u"Model:;VORNEK;RV7361;Ver 1.04");
  EXPECT_EQ(lines[11], u"1;2026/1/5;09:03:07;DCV;1,250;V;;;;;;;;");
}

TEST_F(CsvExport, RelativeTimeHasABaseTimeAndNoDates) {
  settings.timeDisplayMode = 1;
  store.firstRecordTime = At(0);
  store.Append(Record(4, 1, 3, 0));
  store.Append(Record(4, 2, 3, 3665));
  const std::vector<std::u16string> lines = Lines();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[8], u"Base Time:,2026/1/5,09:03:07");
  EXPECT_EQ(lines[9], u"");
  EXPECT_EQ(lines[12], u"1,,00:00:00,DCV,0.0001,V,,,,,,,,");
  EXPECT_EQ(lines[13], u"2,,01:01:05,DCV,0.0002,V,,,,,,,,");
}

TEST_F(CsvExport, Rv732xWithFrequencyInJapanese) {
  SetCatalogueLanguage(0);
  meter = {kRv7321, u"1", u"1.00"};
  store.Append(WithSub(Record(0, 1234, 1), 0, 5000, 0));
  const std::vector<std::u16string> lines = Lines();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[2], u"レコードデータ");
  EXPECT_EQ(lines[3], u"モデル:,VORNEK,RV7321,Ver 1.00");
  EXPECT_EQ(lines[10],
            u"No,日付,時間,メインファンクション,メイン測定値,メイン単位,メインOVER,サブファンクション,サブ測定値,"
            u"サブ単位,サブOVER,REL,FILTER,サブ情報");
  EXPECT_EQ(lines[11], u"1,2026/1/5,09:03:07,ACV,1.234,V,,周波数,50.00,Hz,,,");
}

TEST_F(CsvExport, Rv734xWithoutSlowAndPeakNamedOnTheSubOnly) {
  meter = {kRv7341, u"1", u"1.00"};
  _RECORD_DATA peak = WithSub(Record(3, 1234, 0), 3, -567, 0);  // ACV in its 120 V PEAK range
  peak.peakOn = 1;
  peak.slowOn = 1;
  EXPECT_EQ(OnlyRecordLine(peak), u"1,2026/1/5,09:03:07,ACV,123.4,V,,ACV PEAK min,-56.7,V,,,");
}

TEST_F(CsvExport, Rv736xDbmImpedanceInJapanese) {
  SetCatalogueLanguage(0);
  _RECORD_DATA dbm = Record(1, 1234, 0);
  dbm.settingValue = 15;
  EXPECT_EQ(OnlyRecordLine(dbm), u"1,2026/1/5,09:03:07,dBm,12.34,dBm,,,,,,,,,基準インピーダンス 600Ω");
  _RECORD_DATA ohms = Record(9, 12345, 3);
  EXPECT_EQ(OnlyRecordLine(ohms), u"1,2026/1/5,09:03:07,抵抗,1.2345,kΩ,,,,,,,,");
}

TEST_F(CsvExport, FieldsHoldingTheSeparatorAreQuoted) {
  settings.memoOn = 1;
  store.maxMainFunction = 6;  // named "DCV,ACV"
  const struct {
    int separator;
    std::u16string memo, memoLine, functionLine;
  } cases[] = {
      {0, u"say \"hi\", then go", u"Memo:,\"say \"\"hi\"\", then go\"", u"Function:,\"DCV,ACV\""},
      {0, u"two\r\nlines", u"Memo:,\"two\r\nlines\"", u"Function:,\"DCV,ACV\""},
      {1, u"a,b", u"Memo:;a,b", u"Function:;DCV,ACV"},
      {1, u"a;b", u"Memo:;\"a;b\"", u"Function:;DCV,ACV"},
  };
  for (const auto& c : cases) {
    settings.listSeparator = c.separator;
    settings.memoText = c.memo;
    const std::vector<std::u16string> lines = Lines();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[6], c.functionLine);
    EXPECT_EQ(lines[8], c.memoLine);
  }
}

// The Japanese interface writes CP932 also where the locale's code page
// has no Japanese (it wrote "?" for every Japanese character); what a code
// page still lacks is returned, for the user to be told.
TEST_F(CsvExport, BytesAreInACodePageThatHoldsTheInterfaceLanguage) {
  SetEnvironment("LC_ALL", "C");
  settings.memoOn = 1;
  settings.memoText = u"温度計 25ºF";
  struct Case {
    int language;
    std::string recordData, memo;
    int codePage;
    std::vector<std::u16string> lost;
  };
  const Case cases[] = {
      {0,
       "\x83\x8C\x83\x52\x81\x5B\x83\x68\x83\x66\x81\x5B\x83\x5E",  // レコードデータ
       "\x83\x81\x83\x82:,\x89\xB7\x93\x78\x8C\x76 25?F",
       932,
       {u"温度計 25ºF"}},
      {1,
       "Record Data",
       "Memo:,??? 25\xBA"
       "F",
       1252,
       {u"温度計 25ºF"}},
  };
  for (const Case& c : cases) {
    SetCatalogueLanguage(c.language);
    std::vector<std::string> lines;
    const CsvLosses losses =
        WriteRecordingCsv(store, meter, settings, [&](std::string_view bytes) { lines.emplace_back(bytes); });
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[2], c.recordData + "\r\n") << c.language;
    EXPECT_EQ(lines[8], c.memo + "\r\n") << c.language;
    EXPECT_EQ(losses.codePage, c.codePage);
    EXPECT_EQ(losses.texts, c.lost) << c.language;
  }
  settings.memoText = u"memo";
  EXPECT_TRUE(WriteRecordingCsv(store, meter, settings, [](std::string_view) {}).texts.empty());
}

TEST_F(CsvExport, BadRecordsStillGiveOneLineEach) {
  _RECORD_DATA bad;
  bad.mainFunction = 99;
  bad.mainRange = -5;
  bad.mainCount = INT_MIN;
  bad.subFunction = -7;
  bad.subRange = 1000;
  bad.subCount = INT_MAX;
  bad.hasSub = 1;
  bad.timeStatus = 7;
  bad.settingValue = -3;
  bad.flags = -1;
  store.Append(bad);
  store.Append(bad);
  store.maxMainFunction = -100;
  for (const int model : {-1, kRv7321, kRv7341, kRv7361, kNoModel, 1000}) {
    for (const int mode : {0, 1}) {
      meter.modelIndex = model;
      settings.timeDisplayMode = mode;
      EXPECT_EQ(Lines().size(), 13u + static_cast<unsigned>(mode)) << model;
    }
  }
}

TEST_F(CsvExport, ExportWritesTheSameBytesThroughAReplacedFile) {
  for (int i = 0; i < 5000; ++i) store.Append(Record(4, i * 7, 3, i));  // several output chunks
  std::string expected;
  WriteRecordingCsv(store, meter, settings, [&](std::string_view bytes) { expected += bytes; });
  ASSERT_GT(expected.size(), 3u * 64 * 1024);

  const fs::path folder = fs::temp_directory_path() / ("csv-export-" + std::to_string(getpid()));
  fs::create_directories(folder);
  const fs::path file = folder / "run.csv";
  std::ofstream(file) << "older contents";
  ExportRecordingCsv(file, store, meter, settings);
  std::string written;
  {  // closed before the folder goes: Windows keeps an open file from being removed
    std::ifstream in(file, std::ios::binary);
    written.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  EXPECT_TRUE(written == expected) << "sizes " << written.size() << " and " << expected.size();
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << "no temporary file left";

  EXPECT_THROW(ExportRecordingCsv(folder / "missing" / "run.csv", store, meter, settings), CFileException);
  fs::remove_all(folder);
}

}  // namespace

#include <cstring>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "base/models.h"
#include "persistence/archive_file.h"
#include "persistence/file_exception.h"
#include "recording/file/recording_file.h"

namespace {

_RECORD_DATA Record(int i) {
  _RECORD_DATA r;
  r.mainFunction = 4;
  r.mainCount = i % 7 == 0 ? 1000000 : i * 3 - 50;
  r.mainRange = i % 4;
  r.subFunction = -1;
  r.subCount = i % 5 == 0 ? 2000000 : i;
  r.subRange = 2;
  r.timeDate = 46000.5 + i / 86400.0;
  r.timeStatus = i == 1 ? 2 : 0;
  r.settingValue = 15;
  r.flags = i % 2;
  r.filterOn = 1;
  r.peakOn = i % 3 == 0;
  r.slowOn = 1;
  r.hasSub = i % 2;
  return r;
}

Recording Sample(int records) {
  Recording r;
  Settings& s = r.settings;
  s.intervalMode = 1;
  s.totalMode = 1;
  s.fastIntervalIndex = 3;
  s.timeDisplayMode = 1;
  s.intervalHours = 1;
  s.intervalMinutes = 2;
  s.intervalSeconds = 3;
  s.dataCount = 500;
  s.recordHours = 4;
  s.recordMinutes = 5;
  s.recordSeconds = 6;
  s.companyOn = 0;
  s.companyText = u"VORNEK 試験室";
  s.titleText = u"Title";
  s.operatorText = u"Operator";
  s.dateText = u"2026/12/10";
  s.temperatureText = u"23";
  s.humidityText = u"45";
  s.memoText = u"memo, with a comma";
  s.decimalSymbol = 1;
  s.listSeparator = 1;
  RecordStore& store = r.store;
  store.recordFirmware = u"1.04";
  store.recordSerial = u"23120815";
  store.runCount = records / 2;
  store.firstRecordTime = CDateTime(46000.5, CDateTime::valid);
  store.runStartTime = CDateTime(46000.6, CDateTime::valid);
  store.stopTime = CDateTime(46000.7, CDateTime::valid);
  store.maxMainTime = CDateTime(46000.8, CDateTime::valid);
  store.minMainTime = CDateTime(0, CDateTime::null);
  store.maxMainText = u"1.2345 V";
  store.minSubText = u"50.00 Hz";
  store.startTimeText = u"2026/12/10,12:00:00";
  store.stopTimeText = u"2026/12/10,12:10:00";
  store.maxMainFunction = 4;
  store.maxSubFunction = -1;
  store.recordFunction = 4;
  store.recordRangeText = u"6V";
  for (int i = 0; i < records; ++i) store.Append(Record(i));
  Graph& g = r.graph;
  g.mainChannel = {0, 1560, 1140, 2, 1500, 2, 1200, 2, 3, u"V", 1, 0};
  g.subChannel = {0, 7, -3, 1, 5, 1, 3, 1, 2, u"Hz", 1, 1};
  g.timeSpan = 20;
  g.baseInterval = 2;
  g.firstRecord = 3;
  g.subShown = 0;
  return r;
}

// With empty unit texts the graph's 26 values, which end the file, take
// 2 x (10 words + an empty text of 4 bytes) + 4 words.
constexpr std::size_t kGraphBytes = 2 * (10 * 4 + 4) + 4 * 4;
Recording WithoutUnits(int records) {
  Recording r = Sample(records);
  r.graph.mainChannel.unitText.clear();
  r.graph.subChannel.unitText.clear();
  return r;
}

std::vector<std::uint8_t> Write(Recording& recording, std::int32_t model = kRv7362) {
  MemoryFile file;
  CArchive archive(file, CArchive::Mode::store);
  SerializeRecording(archive, {recording.settings, recording.store, recording.graph}, model);
  archive.Close();
  return file.Bytes();
}

RecordingCheck Read(const std::vector<std::uint8_t>& bytes, Recording& into) {
  MemoryFile file(bytes);
  CArchive archive(file, CArchive::Mode::load);
  return SerializeRecording(archive, {into.settings, into.store, into.graph});
}

TEST(RecordingFile, EveryValueComesBackAsWritten) {
  Recording written = Sample(5000);
  const auto bytes = Write(written, 9);
  Recording read;
  ASSERT_EQ(Read(bytes, read), RecordingCheck::ok);
  const Settings& a = written.settings;
  const Settings& b = read.settings;
  EXPECT_EQ(
      std::tie(a.intervalMode, a.totalMode, a.fastIntervalIndex, a.timeDisplayMode, a.intervalHours, a.intervalMinutes,
               a.intervalSeconds, a.dataCount, a.recordHours, a.recordMinutes, a.recordSeconds, a.companyOn,
               a.companyText, a.titleOn, a.titleText, a.operatorOn, a.operatorText, a.dateOn, a.dateText, a.tempHumidOn,
               a.temperatureText, a.humidityText, a.memoOn, a.memoText, a.decimalSymbol, a.listSeparator),
      std::tie(b.intervalMode, b.totalMode, b.fastIntervalIndex, b.timeDisplayMode, b.intervalHours, b.intervalMinutes,
               b.intervalSeconds, b.dataCount, b.recordHours, b.recordMinutes, b.recordSeconds, b.companyOn,
               b.companyText, b.titleOn, b.titleText, b.operatorOn, b.operatorText, b.dateOn, b.dateText, b.tempHumidOn,
               b.temperatureText, b.humidityText, b.memoOn, b.memoText, b.decimalSymbol, b.listSeparator));
  EXPECT_EQ(b.language, Settings().language) << "other settings are not in the file";

  const RecordStore& s = written.store;
  const RecordStore& t = read.store;
  EXPECT_EQ(t.recordModel, kRv7362) << "the model index at the time of writing";
  EXPECT_EQ(std::tie(s.recordFirmware, s.recordSerial, s.runCount, s.firstRecordTime, s.runStartTime, s.stopTime,
                     s.maxMainTime, s.minMainTime, s.maxSubTime, s.minSubTime, s.maxMainText, s.minMainText,
                     s.maxSubText, s.minSubText, s.startTimeText, s.stopTimeText, s.maxMainFunction, s.maxSubFunction,
                     s.recordFunction, s.recordRangeText),
            std::tie(t.recordFirmware, t.recordSerial, t.runCount, t.firstRecordTime, t.runStartTime, t.stopTime,
                     t.maxMainTime, t.minMainTime, t.maxSubTime, t.minSubTime, t.maxMainText, t.minMainText,
                     t.maxSubText, t.minSubText, t.startTimeText, t.stopTimeText, t.maxMainFunction, t.maxSubFunction,
                     t.recordFunction, t.recordRangeText));
  ASSERT_EQ(t.Size(), s.Size());
  for (std::size_t i = 0; i < s.Size(); ++i) ASSERT_EQ(t.At(i), s.At(i)) << "record " << i;

  const Graph& g = written.graph;
  const Graph& h = read.graph;
  GraphChannel main = g.mainChannel, sub = g.subChannel;
  main.function = h.mainChannel.function;  // not stored
  sub.function = h.subChannel.function;
  EXPECT_EQ(h.mainChannel, main);
  EXPECT_EQ(h.subChannel, sub);
  EXPECT_EQ(std::tie(h.timeSpan, h.baseInterval, h.firstRecord, h.subShown),
            std::tie(g.timeSpan, g.baseInterval, g.firstRecord, g.subShown));
}

TEST(RecordingFile, ARecordIsStoredFieldByFieldWithTheTimesStatusFirst) {
  Recording one = WithoutUnits(0);
  _RECORD_DATA record = Record(1);  // status 2
  one.store.Append(record);
  const auto bytes = Write(one);
  ASSERT_GT(bytes.size(), kGraphBytes + 64);
  const std::uint8_t* at = bytes.data() + bytes.size() - kGraphBytes - 64;
  std::int32_t count = 0;
  std::memcpy(&count, at - 4, 4);
  EXPECT_EQ(count, 1);
  std::int32_t mainCount = 0, status = 0, hasSub = 0;
  double date = 0;
  std::memcpy(&mainCount, at + 4, 4);
  std::memcpy(&status, at + 24, 4);
  std::memcpy(&date, at + 28, 8);
  std::memcpy(&hasSub, at + 60, 4);
  EXPECT_EQ(mainCount, record.mainCount);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(date, record.timeDate);
  EXPECT_EQ(hasSub, record.hasSub);
}

// The signature as an old writer stored it: one byte per character.
std::vector<std::uint8_t> Header(std::string_view signature, std::int32_t version) {
  std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(signature.size())};
  for (const char c : signature) bytes.push_back(static_cast<std::uint8_t>(c));
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(version >> (8 * i)));
  return bytes;
}

TEST(RecordingFile, TheTwoChecksComeFirst) {
  Recording read;
  EXPECT_EQ(Read(Header("Quorvia for RV7300S", 211), read), RecordingCheck::notRecording) << "exact comparison";
  EXPECT_EQ(Read(Header("Quorvia for RV7300s", 8), read), RecordingCheck::incompatible);
  EXPECT_EQ(RecordingCheckMessage(RecordingCheck::incompatible, 1), u"Not compatible with the data format.");
  EXPECT_EQ(RecordingCheckMessage(RecordingCheck::notRecording, 0).substr(0, 6), u"このファイル");
  // A one-byte signature passes; the rest of the file then must be there.
  EXPECT_THROW(Read(Header("Quorvia for RV7300s", 9), read), CArchiveException);

  Recording written = Sample(3);
  std::vector<std::uint8_t> bytes = Header("Quorvia for RV7300s", 9);
  const auto full = Write(written);
  const std::size_t unicodeHeader = 4 + 19 * 2 + 4;  // marker and length, UTF-16, version
  bytes.insert(bytes.end(), full.begin() + unicodeHeader, full.end());
  ASSERT_EQ(Read(bytes, read), RecordingCheck::ok);
  EXPECT_EQ(read.store.Size(), 3u);
}

TEST(RecordingFile, AFileCutAnywhereFailsWithTheArchivesError) {
  Recording written = Sample(3);
  const auto full = Write(written);
  const std::size_t signatureEnd = 4 + 19 * 2;
  for (std::size_t length = 0; length < full.size(); ++length) {
    Recording read;
    const std::vector<std::uint8_t> cut(full.begin(), full.begin() + length);
    if (length < signatureEnd) {
      EXPECT_EQ(Read(cut, read), RecordingCheck::notRecording) << "cut at " << length;
    } else {
      EXPECT_THROW(Read(cut, read), CArchiveException) << "cut at " << length;
    }
  }
}

TEST(RecordingFile, AHugeRecordCountIsRefusedBeforeAnyAllocation) {
  Recording written = WithoutUnits(0);
  auto bytes = Write(written);
  std::uint8_t* count = bytes.data() + bytes.size() - kGraphBytes - 4;
  const std::int32_t huge = 0x7fffffff;
  std::int32_t stored = -1;
  std::memcpy(&stored, count, 4);
  ASSERT_EQ(stored, 0) << "found the record count";
  std::memcpy(count, &huge, 4);
  Recording read;
  EXPECT_THROW(Read(bytes, read), CArchiveException);
  const std::int32_t negative = -5;
  std::memcpy(count, &negative, 4);
  EXPECT_THROW(Read(bytes, read), CArchiveException);
}

TEST(RecordingFile, WritingReplacesTheFileWhole) {
  const auto folder = std::filesystem::temp_directory_path() / ("recording_file_test_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const auto file = folder / "run.vdmm";
  Recording written = Sample(10);
  WriteRecordingFile(file, {written.settings, written.store, written.graph}, 8);
  Recording read;
  ASSERT_EQ(ReadRecordingFile(file, read), RecordingCheck::ok);
  EXPECT_EQ(read.store.Size(), 10u);
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    EXPECT_EQ(entry.path().filename(), "run.vdmm") << "temporary file left behind";
  }
  // A damaged file's error names it.
  std::filesystem::resize_file(file, 100);
  try {
    ReadRecordingFile(file, read);
    ADD_FAILURE() << "a cut file was read";
  } catch (const CArchiveException& error) {
    EXPECT_EQ(error.path(), file);
  }
  EXPECT_THROW(ReadRecordingFile(folder / "missing.vdmm", read), CFileException);
  std::filesystem::remove_all(folder);
}

}  // namespace

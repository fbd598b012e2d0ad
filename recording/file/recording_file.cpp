#include "recording/file/recording_file.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#include "persistence/replace_file.h"
#include "text/ui_text.h"

static_assert(std::endian::native == std::endian::little, "records are copied as little-endian words");

namespace {

void TransferChannel(CArchive& archive, GraphChannel& c) {
  for (std::int32_t* value :
       {&c.top, &c.bottom, &c.range, &c.maxCount, &c.maxRange, &c.minCount, &c.minRange, &c.decimals}) {
    Transfer(archive, *value);
  }
  Transfer(archive, c.unitText);
  Transfer(archive, c.enabled);
  Transfer(archive, c.dirty);
}

// On disk a record's date-time has its status before its double, the
// reverse of memory; everything else is the 64 bytes as they are.
constexpr std::size_t kRecordSize = sizeof(_RECORD_DATA);
constexpr std::size_t kChunkRecords = 4096;

void RecordToDisk(const _RECORD_DATA& record, std::uint8_t* out) {
  std::memcpy(out, &record, kRecordSize);
  std::memcpy(out + 24, &record.timeStatus, 4);
  std::memcpy(out + 28, &record.timeDate, 8);
}

// In place: the date-time's status and double back in memory order.
void RecordFromDisk(_RECORD_DATA& record) {
  std::uint8_t bytes[kRecordSize];
  std::memcpy(bytes, &record, kRecordSize);
  std::memcpy(&record.timeStatus, bytes + 24, 4);
  std::memcpy(&record.timeDate, bytes + 28, 8);
}

void StoreRecords(CArchive& archive, const RecordStore& store) {
  const std::int32_t count = store.recordCount();
  archive << count;
  std::vector<std::uint8_t> chunk(kChunkRecords * kRecordSize);
  for (std::int32_t first = 0; first < count; first += kChunkRecords) {
    const std::int32_t n = std::min<std::int32_t>(kChunkRecords, count - first);
    for (std::int32_t i = 0; i < n; ++i) RecordToDisk(store.At(first + i), chunk.data() + i * kRecordSize);
    archive.Write(chunk.data(), n * kRecordSize);
  }
}

void LoadRecords(CArchive& archive, RecordStore& store) {
  std::int32_t count = 0;
  archive >> count;
  // A count the file cannot hold is refused before making room for it.
  if (count < 0 || static_cast<std::uint64_t>(count) * kRecordSize > archive.BytesLeft()) {
    throw CArchiveException(CArchiveException::Cause::endOfFile, {});
  }
  // Straight into the records' memory, a large block at a time.
  std::vector<_RECORD_DATA> records;
  try {
    records.resize(static_cast<std::size_t>(count));
  } catch (const std::bad_alloc&) {
    throw CArchiveException(CArchiveException::Cause::noMemory, {});
  }
  for (std::int32_t first = 0; first < count; first += kChunkRecords) {
    const std::int32_t n = std::min<std::int32_t>(kChunkRecords, count - first);
    archive.Read(records.data() + first, n * kRecordSize);
  }
  for (_RECORD_DATA& record : records) RecordFromDisk(record);
  store.Assign(std::move(records));
}

// The record and save settings, in file order.
template <typename Visit>
void ForEachRecordingSetting(Visit visit) {
  for (auto member :
       {&Settings::intervalMode, &Settings::totalMode, &Settings::fastIntervalIndex, &Settings::timeDisplayMode,
        &Settings::intervalHours, &Settings::intervalMinutes, &Settings::intervalSeconds, &Settings::dataCount,
        &Settings::recordHours, &Settings::recordMinutes, &Settings::recordSeconds}) {
    visit(member);
  }
  visit(&Settings::companyOn);
  visit(&Settings::companyText);
  visit(&Settings::titleOn);
  visit(&Settings::titleText);
  visit(&Settings::operatorOn);
  visit(&Settings::operatorText);
  visit(&Settings::dateOn);
  visit(&Settings::dateText);
  visit(&Settings::tempHumidOn);
  visit(&Settings::temperatureText);
  visit(&Settings::humidityText);
  visit(&Settings::memoOn);
  visit(&Settings::memoText);
  visit(&Settings::decimalSymbol);
  visit(&Settings::listSeparator);
}

}  // namespace

void AdoptRecordingSettings(Settings& into, const Settings& from) {
  ForEachRecordingSetting([&](auto member) { into.*member = from.*member; });
}

RecordingCheck SerializeRecording(CArchive& archive, RecordingParts recording, std::int32_t currentModel) {
  Settings& s = recording.settings;
  RecordStore& store = recording.store;
  if (archive.IsStoring()) {
    archive << std::u16string(kRecordingSignature) << kRecordingFileVersion;
  } else {
    std::u16string signature;
    std::int32_t version = 0;
    try {
      archive >> signature;
    } catch (const CArchiveException&) {
      return RecordingCheck::notRecording;  // not even a text where the signature belongs
    }
    if (signature != kRecordingSignature) return RecordingCheck::notRecording;
    archive >> version;
    if (version < kOldestRecordingFileVersion) return RecordingCheck::incompatible;
  }
  ForEachRecordingSetting([&](auto member) { Transfer(archive, s.*member); });

  if (archive.IsStoring()) {
    archive << currentModel;
  } else {
    archive >> store.recordModel;
  }
  Transfer(archive, store.recordFirmware);
  Transfer(archive, store.recordSerial);
  std::int32_t recordCount = store.recordCount();
  Transfer(archive, recordCount);  // the record block's own count is what the reader keeps
  Transfer(archive, store.runCount);
  for (CDateTime* time : {&store.firstRecordTime, &store.runStartTime, &store.stopTime, &store.maxMainTime,
                          &store.minMainTime, &store.maxSubTime, &store.minSubTime}) {
    Transfer(archive, *time);
  }
  for (std::u16string* text : {&store.maxMainText, &store.minMainText, &store.maxSubText, &store.minSubText,
                               &store.startTimeText, &store.stopTimeText}) {
    Transfer(archive, *text);
  }
  Transfer(archive, store.maxMainFunction);
  Transfer(archive, store.maxSubFunction);
  Transfer(archive, store.recordFunction);
  Transfer(archive, store.recordRangeText);
  if (archive.IsStoring()) {
    StoreRecords(archive, store);
  } else {
    LoadRecords(archive, store);
  }

  Graph& graph = recording.graph;
  TransferChannel(archive, graph.mainChannel);
  TransferChannel(archive, graph.subChannel);
  for (std::int32_t* value : {&graph.timeSpan, &graph.baseInterval, &graph.firstRecord, &graph.subShown}) {
    Transfer(archive, *value);
  }
  return RecordingCheck::ok;
}

std::u16string RecordingCheckMessage(RecordingCheck check, int language) {
  switch (check) {
    case RecordingCheck::notRecording:
      return std::u16string(Word(TextId::notRecordingFile, language));
    case RecordingCheck::incompatible:
      return std::u16string(Word(TextId::incompatibleFormat, language));
    case RecordingCheck::ok:
      break;
  }
  return {};
}

void WriteRecordingFile(const std::filesystem::path& file, RecordingParts recording, std::int32_t currentModel) {
  ReplaceFile(file, [&](CFile& output) {
    CArchive archive(output, CArchive::Mode::store);
    SerializeRecording(archive, recording, currentModel);
    archive.Close();
  });
}

RecordingCheck ReadRecordingFile(const std::filesystem::path& file, Recording& into) {
  CFile input(file, CFile::Mode::read);
  CArchive archive(input, CArchive::Mode::load);
  try {
    return SerializeRecording(archive, {into.settings, into.store, into.graph});
  } catch (const CArchiveException& error) {
    throw CArchiveException(error.cause(), file);  // name the file in the message
  }
}

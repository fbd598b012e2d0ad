#include "memory/memory_download.h"

#include "link/com_port.h"
#include "link/commands.h"
#include "link/identification.h"
#include "memory/memory_csv.h"
#include "persistence/archive_file.h"
#include "persistence/replace_file.h"

namespace {

constexpr auto kPollTurn = std::chrono::milliseconds(1);

// One raw reply of `bytes.size()` bytes to `command`; false when the
// command cannot be sent or a byte does not come (the port is then closed).
template <std::size_t N>
bool Exchange(const std::string& command, std::array<std::uint8_t, N>& bytes) {
  if (!ComWrite(command.c_str())) return false;
  for (std::uint8_t& byte : bytes) {
    unsigned char received = 0;
    if (ComReadByte(&received) != COM_OK) return false;
    byte = received;
  }
  return true;
}

bool ReadPresenceMap(PresenceMap& map) {
  std::array<std::uint8_t, command::kMemoryCheckBytes> bytes{};
  if (!Exchange(command::kMemoryCheck, bytes)) return false;
  for (int i = 0; i < command::kMemoryCheckBytes; ++i) map.SetByte(i, bytes[static_cast<std::size_t>(i)]);
  return true;
}

CalendarTime Today() { return CDateTime::Now().ToCalendar().value_or(CalendarTime{}); }

}  // namespace

MemoryDownload::~MemoryDownload() {
  Stop();
  if (reader_.joinable()) reader_.join();
  // The reader alone starts the writer, so after it has ended the writer's
  // handle no longer changes.
  if (writer_.joinable()) writer_.join();
}

MemoryDownload::StartResult MemoryDownload::Start(MemoryDownloadSetup setup) {
  if (Running()) return StartResult::busy;
  const std::optional<int> firmware = FirmwareNumber(setup.meter.firmwareVersion);
  if (!firmware || *firmware < kOldestSupportedFirmware) return StartResult::firmwareRefused;
  if (reader_.joinable()) reader_.join();
  if (writer_.joinable()) writer_.join();

  setup_ = std::move(setup);
  firmware_ = *firmware;
  stop_ = false;
  readerFinished_ = readerSucceeded_ = false;
  fileReady_ = fileFailed_ = writeFailed_ = false;
  writeError_.reset();
  outcome_ = MemoryOutcome::running;
  total_ = 0;
  fetched_ = 0;
  startTime_ = readerStartTime_ = Clock::now().time_since_epoch().count();
  readerEnded_ = false;
  reader_ = std::thread(&MemoryDownload::Read, this);
  return StartResult::started;
}

std::u16string MemoryDownload::WriteErrorText(int language) const {
  return writeError_ ? writeError_->Message(language) : std::u16string();
}

void MemoryDownload::Tell(int message, std::intptr_t parameter) {
  if (!stop_) dialog_.Send(message, parameter);
}

std::int64_t MemoryDownload::SecondsSince(const std::atomic<Clock::rep>& time) {
  const Clock::duration since = Clock::now().time_since_epoch() - Clock::duration(time.load());
  return std::chrono::duration_cast<std::chrono::seconds>(since).count();
}

void MemoryDownload::Read() {
  ring_.Clear();
  readerStartTime_ = Clock::now().time_since_epoch().count();

  PresenceMap map = PresenceMap::All();
  if (firmware_ >= kMemoryCheckFirmware) {
    // A map cut short says nothing reliable about the memories after it,
    // and the port is closed by then: the download fails as a whole.
    map = PresenceMap();
    if (!ReadPresenceMap(map)) {
      outcome_ = MemoryOutcome::readError;
      Tell(memory_message::kReaderEnd, 0);
      Tell(memory_message::kWriterEnd, 0);
      readerEnded_ = true;
      return;
    }
  }
  total_ = map.Count();
  if (total_ == 0) {
    outcome_ = MemoryOutcome::nothingStored;
    Tell(memory_message::kNothingSaved, 0);
    readerEnded_ = true;
    return;
  }

  writerEnded_ = false;
  writer_ = std::thread(&MemoryDownload::Write, this);
  while (!fileReady_ && !fileFailed_ && !stop_) std::this_thread::sleep_for(kPollTurn);
  if (fileFailed_) {
    outcome_ = MemoryOutcome::fileError;
    Tell(memory_message::kFileError, 0);
    readerEnded_ = true;
    return;
  }

  Tell(memory_message::kStart, total_);
  bool succeeded = true;
  for (int number = 1; number <= PresenceMap::kNumbers; ++number) {
    if (!map.Present(number)) continue;
    MemoryRing::Slot slot;
    slot.number = number;
    succeeded = !stop_ && !writeFailed_ && Exchange(command::MemoryData(number), slot.record);
    // Bytes that make no record end the download as a failed read: never
    // a line of nonsense, never "Completed" without every memory.
    if (succeeded) {
      const MemoryRecord record = MemoryRecord::Decode(slot.record);
      succeeded = !record.HoldsReading() || MemoryRecordDecodes(record);
    }
    if (!succeeded) break;
    std::optional<int> fill;
    while (!(fill = ring_.Put(slot)) && !stop_ && !writeFailed_) std::this_thread::sleep_for(kPollTurn);
    succeeded = fill.has_value();
    if (!succeeded) break;
    Tell(memory_message::kProgress, ++fetched_);
    Tell(memory_message::kRingFill, *fill);
  }
  readerSucceeded_ = succeeded;
  Tell(memory_message::kReaderEnd, succeeded ? 1 : 0);
  // Only now: the writer's end report must come after the reader's last one.
  readerFinished_ = true;
  readerEnded_ = true;
}

void MemoryDownload::Write() {
  // After a failed write the writer still empties the ring, so the reader
  // is never left waiting; it stops fetching when it sees the failure.
  auto fail = [&](const CFileException& error) {
    if (writeFailed_) return;
    writeError_.emplace(error.cause(), setup_.file, error.systemError());  // the user knows the file by its own name
    writeFailed_ = true;
  };
  // Thrown out of the replacement to leave the file that was there.
  struct KeepTheOldFile {};
  try {
    ReplaceFile(setup_.file, [&](CFile& file) {
      fileReady_ = true;
      auto write = [&](std::u16string_view line) {
        if (writeFailed_) return;
        const std::string bytes = EncodeMemoryCsvLine(line);
        try {
          file.Write(bytes.data(), bytes.size());
        } catch (const CFileException& error) {
          fail(error);
        }
      };
      for (const std::u16string& line : MemoryCsvHeader(setup_.meter, setup_.date.value_or(Today()), setup_.format)) {
        write(line);
      }
      for (;;) {
        if (auto taken = ring_.Take()) {
          Tell(memory_message::kRingFill, taken->second);
          const MemoryRecord record = MemoryRecord::Decode(taken->first.record);
          if (record.HoldsReading()) write(MemoryCsvLine(taken->first.number, record, setup_.format));
          continue;
        }
        // The reader may have put its last record between the look at the
        // ring and the look at its flag.
        if (readerFinished_ && ring_.Fill() == 0) break;
        if (stop_) break;
        std::this_thread::sleep_for(kPollTurn);
      }
      // A failed download still gives the memories fetched before the
      // failure; one that fetched nothing leaves what was there.
      if (writeFailed_ || stop_ || !(readerSucceeded_ || fetched_ > 0)) throw KeepTheOldFile{};
    });
  } catch (const KeepTheOldFile&) {
  } catch (const CFileException& error) {
    if (!fileReady_) {  // not even the temporary file could be made
      fileFailed_ = true;
      writerEnded_ = true;
      return;
    }
    fail(error);
  }

  outcome_ = writeFailed_       ? MemoryOutcome::writeError
             : readerSucceeded_ ? MemoryOutcome::complete
                                : MemoryOutcome::readError;
  Tell(memory_message::kWriterEnd, 0);
  writerEnded_ = true;
}

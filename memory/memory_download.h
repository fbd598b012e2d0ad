// Reading the meter's memory into a CSV file with two threads: a reader
// that fetches the stored records over the open port and a writer that
// turns them into lines, joined by a ring of ten slots.  Both report to
// the download dialog by sent messages (the sender waits until the dialog
// has handled one), so the dialog's controls follow the download.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "memory/memory_csv.h"
#include "memory/memory_ring.h"
#include "persistence/file_exception.h"
#include "window/window.h"

namespace memory_message {
inline constexpr int kStart = 15;         // parameter: how many memories are present
inline constexpr int kProgress = 16;      // parameter: how many have been fetched
inline constexpr int kRingFill = 17;      // parameter: the ring's fill count
inline constexpr int kReaderEnd = 18;     // parameter: 1 when every fetch succeeded
inline constexpr int kWriterEnd = 19;     // the download is over; Outcome() tells how
inline constexpr int kFileError = 20;     // the file cannot be created; nothing was fetched
inline constexpr int kNothingSaved = 21;  // the memory is empty; no file was written
}  // namespace memory_message

// Firmware from this version on answers the memory check; older firmware
// is taken to hold all 400 memories.
inline constexpr int kMemoryCheckFirmware = 104;  // "1.04"

struct MemoryDownloadSetup {
  std::filesystem::path file;
  MemoryCsvMeter meter;  // the connected meter's identity
  MemoryCsvFormat format;
  std::optional<CalendarTime> date;  // of the header; today when not given
};

enum class MemoryOutcome {
  running,
  complete,       // every present memory was fetched and written
  readError,      // a fetch failed; the file holds the memories fetched before it
  writeError,     // the file could not be written; what was there is kept
  fileError,      // the file could not be created
  nothingStored,  // the memory is empty
};

class MemoryDownload {
 public:
  // `dialog` receives the memory_message reports.
  explicit MemoryDownload(AppMessages& dialog) : dialog_(dialog) {}
  // Asks the threads to end and joins them.  Whoever handles the messages
  // must keep doing so until Running() is false first: a thread may be
  // waiting for its message to be handled.
  ~MemoryDownload();
  MemoryDownload(const MemoryDownload&) = delete;
  MemoryDownload& operator=(const MemoryDownload&) = delete;

  enum class StartResult { started, firmwareRefused, busy };
  // Starts the threads on the open port.  Firmware below 0.83 (or a version
  // that is no number) is refused.
  StartResult Start(MemoryDownloadSetup setup);
  bool Running() const { return !readerEnded_ || !writerEnded_; }
  // The threads end at their next turn and report nothing more; a file
  // not yet complete is dropped.
  void Stop() { stop_ = true; }

  MemoryOutcome Outcome() const { return outcome_; }
  // After a writeError: the error as the user is shown it (0 Japanese).
  std::u16string WriteErrorText(int language) const;
  int Total() const { return total_; }
  int Fetched() const { return fetched_; }
  // Whole seconds since Start(), and since the reader began fetching.
  std::int64_t SecondsSinceStart() const { return SecondsSince(startTime_); }
  std::int64_t SecondsSinceReaderStart() const { return SecondsSince(readerStartTime_); }

 private:
  using Clock = std::chrono::steady_clock;

  void Read();
  void Write();
  // A report to the dialog, unless the download is being abandoned.
  void Tell(int message, std::intptr_t parameter);
  static std::int64_t SecondsSince(const std::atomic<Clock::rep>& time);

  AppMessages& dialog_;
  MemoryDownloadSetup setup_;
  int firmware_ = 0;
  MemoryRing ring_;
  std::thread reader_;
  std::thread writer_;  // started by the reader once the memory holds something

  std::atomic<bool> stop_{false};
  std::atomic<bool> readerEnded_{true};
  std::atomic<bool> writerEnded_{true};
  std::atomic<bool> readerFinished_{false};  // its last report is handled
  std::atomic<bool> readerSucceeded_{false};
  std::atomic<bool> fileReady_{false};
  std::atomic<bool> fileFailed_{false};
  std::atomic<bool> writeFailed_{false};
  std::optional<CFileException> writeError_;  // set by the writer before its last report
  std::atomic<MemoryOutcome> outcome_{MemoryOutcome::running};
  std::atomic<int> total_{0};
  std::atomic<int> fetched_{0};
  std::atomic<Clock::rep> startTime_{0};
  std::atomic<Clock::rep> readerStartTime_{0};
};

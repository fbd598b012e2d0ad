// The recording journal: while a recording holds records that are not
// saved, they also go, a block at least once a second, into a journal file
// of our own, so that a crash, a kill or a power cut loses no more than the
// last second.  Each block carries the records since the one before (after
// dropping any newest records that were cleared) and the recording's state
// after them, as a recording file without records would hold it, under one
// checksum: a torn last write is found and dropped whole.  The format is
// described in docs/journal-format.md.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/identification.h"
#include "persistence/journal_file.h"
#include "recording/file/recording_file.h"
#include "recording/recording_engine.h"

inline constexpr char kJournalMagic[8] = {'Q', 'R', 'V', 'J', 'R', 'N', 'L', '1'};
inline constexpr std::string_view kJournalExtension = ".journal";
// The window's journal, in the settings folder.
inline constexpr const char* kJournalFileName = "recording.journal";

// Keeps the journal of the recording it is given (the window's, or the
// command line's) in step with it: the engine reports each change, the
// journal is made with the first unsaved record and goes when everything is
// saved or cleared.  Called on the recording's own thread; a thread of the
// journal's own writes and syncs the blocks.
class RecordingJournal : public UnsavedRecords {
 public:
  // `meter`: the connected meter, whose identity the state carries as a
  // saved recording would.
  RecordingJournal(std::filesystem::path file, RecordingParts recording, std::function<MeterIdentity()> meter);
  ~RecordingJournal() override;  // writes what is pending; the file stays

  void Changed() override;
  void AllSaved() override;

  // Writes what is pending and syncs it (a clean end keeps nothing pending).
  void Flush();
  // Ends the journal and removes its file (the user chose not to keep it).
  void Discard();
  const std::filesystem::path& File() const { return file_; }
  // A write or sync failed (a full disk): the recording goes on in memory.
  bool Failed() const;

 private:
  struct Pending {
    std::uint32_t dropped = 0;
    std::vector<_RECORD_DATA> records;
    std::vector<std::uint8_t> state;
  };
  void Open();
  void Close();
  void Run();
  void WriteBlock(Pending block);
  std::vector<std::uint8_t> StateImage();

  const std::filesystem::path file_;
  RecordingParts recording_;
  std::function<MeterIdentity()> meter_;
  std::size_t journaled_ = 0;  // the store's records the journal holds or will

  mutable std::mutex mutex_;  // what follows, but for the file's writing
  std::mutex writing_;        // the file, written by one thread at a time
  std::condition_variable wake_;
  std::unique_ptr<JournalFile> out_;
  Pending pending_;
  bool dirty_ = false;
  bool stop_ = false;
  bool failed_ = false;
  std::thread writer_;
};

// What a journal held.
struct RecoveredJournal {
  Recording recording;       // its records and its state after them
  std::int64_t dropped = 0;  // records of blocks that were torn or damaged
};

// Reads a journal whole; raises CFileException for a file that cannot be
// read, CArchiveException for one that is no journal or holds no whole
// block.
RecoveredJournal ReadJournal(const std::filesystem::path& file);

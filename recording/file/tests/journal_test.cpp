// The recording journal: what it holds comes back whole; a journal cut
// anywhere, or with a byte changed, gives back every whole block before the
// damage and counts the records after it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "persistence/archive_exception.h"
#include "persistence/tests/scratch_folder.h"
#include "recording/file/journal.h"
#include "recording/tests/records.h"

namespace fs = std::filesystem;

namespace {

MeterIdentity Meter() { return {201, 19200, 8, "23120815", "1.04"}; }

std::vector<std::uint8_t> Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes, std::size_t length) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(length));
}

class JournalTest : public testing::Test {
 protected:
  // A record whose count tells its place.
  void AppendOne() {
    store_.Append(MakeRecord(4, 15000 + static_cast<int>(store_.Size()), 1, CDateTime(46366.375, CDateTime::valid)));
    store_.runCount = static_cast<std::int32_t>(store_.Size());
  }
  // Appends `count` records, each reported, then writes a block.
  void Block(RecordingJournal& journal, int count) {
    for (int i = 0; i < count; ++i) {
      AppendOne();
      journal.Changed();
    }
    journal.Flush();
  }
  std::vector<std::int32_t> Counts(const RecordStore& store) const {
    std::vector<std::int32_t> counts;
    for (std::size_t i = 0; i < store.Size(); ++i) counts.push_back(store.At(i).mainCount);
    return counts;
  }

  ScratchFolder folder_;
  fs::path file_ = folder_ / "recording.journal";
  Settings settings_;
  RecordStore store_;
  Graph graph_;
  RecordingParts parts_{settings_, store_, graph_};
};

TEST_F(JournalTest, WhatWasJournaledComesBack) {
  settings_.memoText = u"unattended run";
  {
    RecordingJournal journal(file_, parts_, Meter);
    Block(journal, 3);
    store_.RemoveLast();  // "clear last 1 data"
    journal.Changed();
    Block(journal, 2);
    store_.maxMainText = u"DCV 1.5004 V";
    journal.Changed();
    journal.Flush();
    EXPECT_FALSE(journal.Failed());
  }  // ends as a crash would leave it: the file stays
  const RecoveredJournal recovered = ReadJournal(file_);
  EXPECT_EQ(recovered.dropped, 0);
  EXPECT_EQ(Counts(recovered.recording.store), Counts(store_));
  EXPECT_EQ(Counts(recovered.recording.store), (std::vector<std::int32_t>{15000, 15001, 15002, 15003}));
  EXPECT_EQ(recovered.recording.settings.memoText, u"unattended run");
  EXPECT_EQ(recovered.recording.store.recordSerial, u"23120815");
  EXPECT_EQ(recovered.recording.store.maxMainText, u"DCV 1.5004 V");
  EXPECT_EQ(recovered.recording.store.recordModel, 8);
}

TEST_F(JournalTest, SavingOrClearingEverythingRemovesIt) {
  RecordingJournal journal(file_, parts_, Meter);
  Block(journal, 2);
  EXPECT_TRUE(fs::exists(file_));
  journal.AllSaved();
  EXPECT_FALSE(fs::exists(file_));
  Block(journal, 1);  // the next unsaved record starts a new one, with every record
  EXPECT_EQ(ReadJournal(file_).recording.store.Size(), 3u);
}

TEST_F(JournalTest, ANameTakenByAnotherFileOrALinkIsNotWrittenThrough) {
  const std::vector<std::uint8_t> kept{'k', 'e', 'e', 'p'};
  WriteBytes(file_, kept, kept.size());
  {
    RecordingJournal journal(file_, parts_, Meter);
    Block(journal, 1);
    EXPECT_TRUE(journal.Failed());
  }
  EXPECT_EQ(Bytes(file_), kept);

  fs::remove(file_);
  const fs::path victim = folder_ / "victim";
  WriteBytes(victim, kept, kept.size());
  std::error_code error;
  fs::create_symlink(victim, file_, error);
  if (error) GTEST_SKIP() << "this system makes no symbolic links here: " << error.message();
  RecordingJournal journal(file_, parts_, Meter);
  Block(journal, 1);
  EXPECT_TRUE(journal.Failed());
  EXPECT_EQ(Bytes(victim), kept);
}

TEST_F(JournalTest, ADamagedJournalGivesBackTheWholeBlocksBeforeTheDamage) {
  std::vector<std::size_t> blockEnds;
  {
    RecordingJournal journal(file_, parts_, Meter);
    for (const int records : {2, 3, 4}) {
      Block(journal, records);
      blockEnds.push_back(fs::file_size(file_));
    }
  }
  const std::vector<std::uint8_t> whole = Bytes(file_);
  const fs::path damaged = folder_ / "damaged.journal";
  const std::size_t recordsBefore[] = {0, 2, 5, 9};
  auto wholeBlocks = [&](std::size_t length) {
    std::size_t blocks = 0;
    while (blocks < blockEnds.size() && blockEnds[blocks] <= length) ++blocks;
    return blocks;
  };
  // Cut at every length: the blocks that are whole come back.
  for (std::size_t length = 0; length < whole.size(); ++length) {
    WriteBytes(damaged, whole, length);
    const std::size_t blocks = wholeBlocks(length);
    if (blocks == 0) {
      EXPECT_THROW(ReadJournal(damaged), CArchiveException) << "cut at " << length;
      continue;
    }
    const RecoveredJournal recovered = ReadJournal(damaged);
    EXPECT_EQ(recovered.recording.store.Size(), recordsBefore[blocks]) << "cut at " << length;
    EXPECT_LE(recovered.dropped, static_cast<std::int64_t>(9 - recordsBefore[blocks])) << "cut at " << length;
  }
  // A changed byte in the second block: the first comes back, the seven
  // records of the second and third are counted as dropped.
  std::vector<std::uint8_t> flipped = whole;
  flipped[blockEnds[0] + 20] ^= 0x01;
  WriteBytes(damaged, flipped, flipped.size());
  const RecoveredJournal recovered = ReadJournal(damaged);
  EXPECT_EQ(recovered.recording.store.Size(), 2u);
  EXPECT_EQ(recovered.dropped, 7);
}

TEST_F(JournalTest, AFileThatIsNoJournalIsRefused) {
  WriteBytes(file_, {'Q', 'u', 'o', 'r', 'v', 'i', 'a', '!', 0, 0}, 10);
  EXPECT_THROW(ReadJournal(file_), CArchiveException);
  // A declared block length beyond the file allocates nothing for it.
  std::vector<std::uint8_t> huge(kJournalMagic, kJournalMagic + sizeof kJournalMagic);
  huge.insert(huge.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0});
  WriteBytes(file_, huge, huge.size());
  EXPECT_THROW(ReadJournal(file_), CArchiveException);
}

}  // namespace

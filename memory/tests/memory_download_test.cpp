// The download's reader and writer against the virtual meter on a
// pseudo-terminal: which memories are asked for, what reaches the file,
// the reports to the dialog and every way a download can end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>

#include "base/models.h"
#include "base/tests/environment.h"
#include "catalogue/catalogue.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "link/tests/temp_port_folder.h"
#include "live/headless_window.h"
#include "memory/memory_download.h"
#include "memory/tests/record_bytes.h"
#include "persistence/tests/scratch_folder.h"
#include "sim/pty_meter.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

constexpr int kPort = 201;
constexpr std::size_t kHeaderLines = 8;

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  for (std::size_t end; (end = text.find(separator, at)) != std::string::npos; at = end + separator.size()) {
    parts.push_back(text.substr(at, end - at));
  }
  parts.push_back(text.substr(at));
  return parts;
}

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MemoryDownloadTest : public testing::Test {
 protected:
  void SetUp() override {
    SetEnvironment("LC_ALL", "C");
    SetCatalogueLanguage(1);
    folder_ = ports_.Path() / "csv";
    fs::create_directory(folder_);
  }
  void TearDown() override {
    ComClose();
    UnsetEnvironment("LC_ALL");
  }

  void Serve(const std::string& firmware) {
    meter_ = std::make_unique<PtyMeter>(VirtualMeter({"RV7362", "23120815", firmware}), kPort);
    ComSetLine(19200);
    ASSERT_TRUE(ComOpen(kPort));
  }
  void Store(int number, const std::function<void(VirtualMeter&)>& state = {}) {
    meter_->WithMeter([&](VirtualMeter& m) {
      if (state) state(m);
      ASSERT_TRUE(m.StoreReading(number));
    });
  }

  // What the download folder holds.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().string());
    return names;
  }
  // Runs one download to its end, as the dialog's message loop would.
  MemoryOutcome Download(const fs::path& file, const std::string& firmware = "1.04") {
    MemoryDownload download(window_);
    MemoryDownloadSetup setup;
    setup.file = file;
    setup.meter = {kRv7362, "23120815", firmware};
    setup.date = CalendarTime{2026, 1, 5, 9, 0, 0};
    EXPECT_EQ(download.Start(setup), MemoryDownload::StartResult::started);
    EXPECT_TRUE(window_.PumpUntil([&] { return !download.Running(); }, 60s));
    total_ = download.Total();
    fetched_ = download.Fetched();
    return download.Outcome();
  }

  // The data lines of a file (after the header), without CR LF.
  std::vector<std::string> DataLines(const fs::path& file) {
    const std::string text = Contents(file);
    EXPECT_TRUE(text.ends_with("\r\n"));
    std::vector<std::string> lines = Split(text, "\r\n");
    lines.pop_back();
    EXPECT_GE(lines.size(), kHeaderLines);
    if (lines.size() < kHeaderLines) return {};
    return {lines.begin() + kHeaderLines, lines.end()};
  }
  std::vector<std::string> MemoryCommands() const {
    std::vector<std::string> commands;
    for (const HeardCommand& heard : meter_->Heard()) {
      if (heard.command.starts_with(":MEM:")) commands.push_back(heard.command);
    }
    return commands;
  }
  std::vector<int> Reports(int message) const {
    std::vector<int> parameters;
    for (const auto& [n, parameter] : window_.Received()) {
      if (n == message) parameters.push_back(static_cast<int>(parameter));
    }
    return parameters;
  }
  std::vector<int> ReportOrder() const {
    std::vector<int> order;
    for (const auto& [n, parameter] : window_.Received()) {
      if (n != memory_message::kProgress && n != memory_message::kRingFill) order.push_back(n);
    }
    return order;
  }

  TempPortFolder ports_;
  fs::path folder_;
  std::unique_ptr<PtyMeter> meter_;
  HeadlessWindow window_;
  int total_ = 0;
  int fetched_ = 0;
};

TEST_F(MemoryDownloadTest, OnlyPresentMemoriesAreFetched) {
  Serve("1.04");
  Store(9);
  const fs::path file = folder_ / "nine.csv";
  EXPECT_EQ(Download(file), MemoryOutcome::complete);
  EXPECT_EQ(MemoryCommands(), (std::vector<std::string>{":MEM:CHECK?", ":MEM:DATA? 9"}));
  const std::vector<std::string> lines = DataLines(file);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0].starts_with("9,DCV,")) << lines[0];
  EXPECT_EQ(Reports(memory_message::kStart), std::vector<int>{1});
  EXPECT_EQ(Reports(memory_message::kProgress), std::vector<int>{1});
  EXPECT_EQ(Reports(memory_message::kReaderEnd), std::vector<int>{1});
  EXPECT_EQ(ReportOrder(),
            (std::vector<int>{memory_message::kStart, memory_message::kReaderEnd, memory_message::kWriterEnd}));
  const std::vector<int> fills = Reports(memory_message::kRingFill);
  EXPECT_TRUE(std::all_of(fills.begin(), fills.end(), [](int fill) { return fill >= 0 && fill <= 10; }));
  EXPECT_EQ(Names(), std::set<std::string>{"nine.csv"}) << "no temporary file is left";
}

TEST_F(MemoryDownloadTest, ARecordWithoutItsReadingBitGivesNoLine) {
  Serve("1.04");
  meter_->WithMeter([](VirtualMeter& m) { m.StoreMemory(3, RecordBytes({.main = 5, .flags = 0})); });
  Store(4);
  const fs::path file = folder_ / "bit0.csv";
  EXPECT_EQ(Download(file), MemoryOutcome::complete);
  EXPECT_EQ(fetched_, 2) << "fetched all the same";
  const std::vector<std::string> lines = DataLines(file);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0].starts_with("4,")) << lines[0];
}

TEST_F(MemoryDownloadTest, FirmwareDecidesWhetherThePresenceMapIsAsked) {
  Serve("1.03");
  Store(2);
  Store(399);
  const fs::path file = folder_ / "old.csv";
  EXPECT_EQ(Download(file, "1.03"), MemoryOutcome::complete);
  const std::vector<std::string> commands = MemoryCommands();
  ASSERT_EQ(commands.size(), 400u) << "every number, no presence map";
  for (int number = 1; number <= 400; ++number) EXPECT_EQ(commands[number - 1], command::MemoryData(number));
  EXPECT_EQ(Reports(memory_message::kStart), std::vector<int>{400});
  const std::vector<std::string> lines = DataLines(file);
  ASSERT_EQ(lines.size(), 2u) << "the empty memories hold no reading";
  EXPECT_TRUE(lines[0].starts_with("2,"));
  EXPECT_TRUE(lines[1].starts_with("399,"));

  MemoryDownload download(window_);
  MemoryDownloadSetup refused;
  refused.file = folder_ / "refused.csv";
  for (const char* version : {"0.82", "x.yz", ""}) {
    refused.meter = {kRv7362, "1", version};
    EXPECT_EQ(download.Start(refused), MemoryDownload::StartResult::firmwareRefused) << version;
  }
  EXPECT_FALSE(download.Running());
  EXPECT_FALSE(fs::exists(refused.file));
}

TEST_F(MemoryDownloadTest, AFetchFailingMidwayKeepsWhatWasFetched) {
  Serve("1.04");
  for (int number = 1; number <= 6; ++number) Store(number);
  meter_->SetFault({LineFault::CutShort, command::MemoryData(4)});
  const fs::path file = folder_ / "cut.csv";
  std::ofstream(file) << "older contents\n";
  EXPECT_EQ(Download(file), MemoryOutcome::readError);
  EXPECT_EQ(total_, 6);
  EXPECT_EQ(fetched_, 3);
  EXPECT_EQ(Reports(memory_message::kReaderEnd), std::vector<int>{0});
  const std::vector<std::string> lines = DataLines(file);
  ASSERT_EQ(lines.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(lines[i].starts_with(std::to_string(i + 1) + ",")) << lines[i];
  EXPECT_FALSE(ComIsOpen()) << "the transport gave up on the port";
}

// A reply whose bytes make no record of the meter's is a failed read: the
// memories before it are kept, none after it is claimed, nothing is made up.
TEST_F(MemoryDownloadTest, ARecordThatDoesNotDecodeIsAReadError) {
  MemoryBytes noise;
  noise.fill(0xA5);
  const struct {
    const char* name;
    MemoryBytes record;
  } cases[] = {
      {"noise", noise},
      {"a function the meter has not", RecordBytes({.function = 20})},
      {"a range the function has not", RecordBytes({.function = 4, .range = 9})},
      {"a status word the meter never writes", RecordBytes({.mainStatus = 7})},
      {"a hold mode the meter never writes", RecordBytes({.hold = 3})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Serve("1.04");
    for (int number = 1; number <= 8; ++number) Store(number);
    meter_->WithMeter([&](VirtualMeter& m) { m.StoreMemory(5, c.record); });
    const fs::path file = folder_ / "noise.csv";
    EXPECT_EQ(Download(file), MemoryOutcome::readError);
    EXPECT_EQ(Reports(memory_message::kReaderEnd).back(), 0);
    const std::vector<std::string> lines = DataLines(file);
    ASSERT_EQ(lines.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(lines[i].starts_with(std::to_string(i + 1) + ",")) << lines[i];
    ComClose();
    meter_.reset();
  }
}

// A reply sent twice leaves its copy behind; the next memory is still its own.
TEST_F(MemoryDownloadTest, ARecordSentTwiceDoesNotShiftTheNext) {
  Serve("1.04");
  for (int number = 1; number <= 4; ++number) Store(number);
  meter_->WithMeter([](VirtualMeter& m) { m.StoreMemory(3, RecordBytes({.main = 12345})); });
  meter_->SetFault({LineFault::AnswerTwice, command::MemoryData(2), {}, 1});
  const fs::path file = folder_ / "twice.csv";
  EXPECT_EQ(Download(file), MemoryOutcome::complete);
  const std::vector<std::string> lines = DataLines(file);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(lines[2].starts_with("3,DCV,12.345,mV,")) << lines[2];
}

TEST_F(MemoryDownloadTest, FailuresBeforeAnythingWasFetchedLeaveTheOldFile) {
  struct Case {
    const char* what;
    LineFault fault;
    std::string command;
    MemoryOutcome outcome;
  };
  const Case cases[] = {
      {"the presence map does not come", LineFault::NoAnswer, command::kMemoryCheck, MemoryOutcome::readError},
      {"the first fetch fails", LineFault::CutShort, command::MemoryData(1), MemoryOutcome::readError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Serve("1.04");
    Store(1);
    meter_->SetFault({c.fault, c.command});
    const fs::path file = folder_ / "kept.csv";
    std::ofstream(file) << "older contents\n";
    EXPECT_EQ(Download(file), c.outcome);
    EXPECT_EQ(Contents(file), "older contents\n");
    EXPECT_EQ(Names(), std::set<std::string>{"kept.csv"}) << "no temporary file is left";
    meter_.reset();
  }
}

TEST_F(MemoryDownloadTest, AnEmptyMemoryWritesNoFile) {
  Serve("1.04");
  const fs::path file = folder_ / "empty.csv";
  EXPECT_EQ(Download(file), MemoryOutcome::nothingStored);
  EXPECT_EQ(ReportOrder(), std::vector<int>{memory_message::kNothingSaved});
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(MemoryCommands(), std::vector<std::string>{":MEM:CHECK?"});
}

TEST_F(MemoryDownloadTest, AFileThatCannotBeCreatedStopsBeforeTheFirstFetch) {
  Serve("1.04");
  Store(1);
  EXPECT_EQ(Download(folder_ / "no such folder" / "x.csv"), MemoryOutcome::fileError);
  EXPECT_EQ(ReportOrder(), std::vector<int>{memory_message::kFileError});
  EXPECT_EQ(MemoryCommands(), std::vector<std::string>{":MEM:CHECK?"});
}

TEST_F(MemoryDownloadTest, AFolderInTheFilesPlaceIsRefusedBeforeTheFirstFetch) {
  Serve("1.04");
  Store(1);
  const fs::path occupied = folder_ / "taken.csv";  // a folder by that name
  fs::create_directory(occupied);
  EXPECT_EQ(Download(occupied), MemoryOutcome::fileError);
  EXPECT_EQ(MemoryCommands(), std::vector<std::string>{":MEM:CHECK?"});
  EXPECT_TRUE(fs::is_directory(occupied));
  EXPECT_EQ(Names(), std::set<std::string>{"taken.csv"}) << "no temporary file is left";
}

TEST_F(MemoryDownloadTest, AFullDiskIsAWriteErrorAndLeavesWhatWasThere) {
  const fs::path mountPoint = folder_ / "disk";
  const SmallDisk disk(mountPoint, 16 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "mounting a small file system needs the privilege";
  Serve("1.03");  // every one of the 400 memories: more lines than the disk holds
  for (int number = 1; number <= 400; ++number) Store(number);
  const fs::path file = mountPoint / "full.csv";
  std::ofstream(file) << "older contents\n";
  disk.Fill();
  MemoryDownload download(window_);
  MemoryDownloadSetup setup;
  setup.file = file;
  setup.meter = {kRv7362, "1", "1.03"};
  ASSERT_EQ(download.Start(setup), MemoryDownload::StartResult::started);
  ASSERT_TRUE(window_.PumpUntil([&] { return !download.Running(); }, 60s));
  EXPECT_EQ(download.Outcome(), MemoryOutcome::writeError);
  EXPECT_NE(download.WriteErrorText(1).find(u"full.csv"), std::u16string::npos) << "named by its own name";
  EXPECT_EQ(Contents(file), "older contents\n");
}

// What the virtual meter stores from its readings reads back as the
// function, modes and settings it was in.
TEST_F(MemoryDownloadTest, RecordsOfTheVirtualMetersReadings) {
  Serve("1.04");
  auto configure = [](VirtualMeter& m, const char* function, const char* range) {
    ASSERT_EQ(m.Answer(command::Configure(function, range)).bytes, "OK\r\n") << function;
  };
  struct Case {
    std::function<void(VirtualMeter&)> state;
    std::vector<std::pair<std::size_t, std::string>> fields;  // index, text
    double value;                                             // the main value, when `tolerance` is not 0
    double tolerance;
  };
  const Case cases[] = {
      {[&](VirtualMeter& m) {
         configure(m, "DCV", "6");
         m.SetInput(0.5);
       },
       {{1, "DCV"}, {3, "V"}, {13, ""}},
       3.0,
       0.01},
      {[&](VirtualMeter& m) {
         configure(m, "TEMP", "800");
         m.SetInput(0.25);
       },
       {{1, "Temp"}, {3, "Celsius"}},
       200.0,
       0.5},
      {[&](VirtualMeter& m) {
         configure(m, "TEMP", "800");
         m.SetInput(0.25);
         ASSERT_TRUE(m.SetStatus(1, '1'));  // REL at about 200 degrees
         m.SetInput(0.3);
       },
       {{1, "Temp"}, {10, "REL"}},
       40.0,
       0.5},
      {[&](VirtualMeter& m) {
         configure(m, "dBm", "600");
         m.SetInput(0.5);
       },
       {{1, "dBm"}, {3, "dBm"}, {4, ""}, {5, "Frequency"}, {7, "Hz"}, {13, "Standard Impedance 600Ohm"}},
       0,
       0},
      {[&](VirtualMeter& m) {
         configure(m, "dBm", "600");
         m.SetInput(1.5);
       },
       {{2, "---.--"}, {4, "OVER"}},
       0,
       0},
      {[&](VirtualMeter& m) {
         configure(m, "CONT", "600");
         ASSERT_TRUE(m.SetStatus(18, '2'));
         m.SetOpenInput(true);
       },
       {{1, "Continuity"}, {2, "OPEN"}, {3, "Ohm"}, {4, ""}, {13, "Threshold 100Ohm"}},
       0,
       0},
      {[&](VirtualMeter& m) {
         m.SetOpenInput(false);
         configure(m, "DIODE", "4");
         ASSERT_TRUE(m.SetStatus(19, '3'));
       },
       {{1, "Diode"}, {13, "Threshold 1.5V"}},
       0,
       0},
      {[&](VirtualMeter& m) {
         configure(m, "DCV", "6");
         m.SetInput(0.25);
         ASSERT_EQ(m.Answer(command::kPeakOn).bytes, "OK\r\n");
       },
       {{1, "DCV PEAK max"}, {3, "V"}, {5, "DCV PEAK min"}, {7, "V"}},
       1.5,
       0.02},
      {[&](VirtualMeter& m) {
         ASSERT_EQ(m.Answer(command::kPeakOff).bytes, "OK\r\n");
         configure(m, "DC_4_20mA", "60m");
         ASSERT_TRUE(m.SetStatus(17, '1'));
       },
       {{1, "0-20mA"}, {3, "%"}},
       0,
       0},
      {[&](VirtualMeter& m) {
         configure(m, "SEPV", "6");
         m.SetInput(0.5);
       },
       {{1, "DCV"}, {5, "ACV"}, {7, "V"}},
       3.0,
       0.01},
      {[&](VirtualMeter& m) {
         configure(m, "ACV", "600");
         m.SetSignalFrequency(50);
         ASSERT_EQ(m.Answer(command::kFilterOn).bytes, "OK\r\n");
         ASSERT_EQ(m.Answer(command::kSlowOn).bytes, "OK\r\n");
       },
       {{1, "ACV"}, {5, "Frequency"}, {6, "50.000"}, {11, "FILTER"}, {12, "SLOW"}},
       0,
       0},
  };
  int number = 0;
  for (const Case& c : cases) Store(++number, c.state);

  const fs::path file = folder_ / "readings.csv";
  ASSERT_EQ(Download(file), MemoryOutcome::complete);
  const std::vector<std::string> lines = DataLines(file);
  ASSERT_EQ(lines.size(), std::size(cases));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    const std::vector<std::string> fields = Split(lines[i], ",");
    ASSERT_GE(fields.size(), 13u);
    EXPECT_EQ(fields[0], std::to_string(i + 1));
    for (const auto& [index, text] : cases[i].fields) {
      EXPECT_EQ(index < fields.size() ? fields[index] : std::string(), text) << "field " << index;
    }
    if (cases[i].tolerance != 0) {
      EXPECT_NEAR(std::stod(fields[2]), cases[i].value, cases[i].tolerance);
    }
  }
}

TEST(MemoryRing, PassesEveryRecordOnceInOrderBetweenTwoThreads) {
  MemoryRing ring;
  constexpr int kRecords = 2000;
  std::thread producer([&] {
    for (int number = 1; number <= kRecords; ++number) {
      MemoryRing::Slot slot;
      slot.number = number;
      slot.record.fill(static_cast<std::uint8_t>(number));
      while (!ring.Put(slot)) std::this_thread::sleep_for(1ms);
    }
  });
  int expected = 1;
  int largestFill = 0;
  while (expected <= kRecords) {
    const auto taken = ring.Take();
    if (!taken) {
      std::this_thread::sleep_for(1ms);
      continue;
    }
    ASSERT_EQ(taken->first.number, expected);
    ASSERT_EQ(taken->first.record[31], static_cast<std::uint8_t>(expected));
    largestFill = std::max(largestFill, taken->second + 1);
    ++expected;
  }
  producer.join();
  EXPECT_LE(largestFill, MemoryRing::kSlots);
  EXPECT_FALSE(ring.Take().has_value());
  EXPECT_EQ(ring.Fill(), 0);
}

}  // namespace

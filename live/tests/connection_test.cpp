// The live monitor end to end: the real acquisition thread and connection
// steps against the virtual meter on a pseudo-terminal, seen from the
// meter's side.
#include <algorithm>
#include <regex>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "catalogue/configuration.h"
#include "link/com_list.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "link/identification.h"
#include "link/tests/temp_port_folder.h"
#include "live/connection.h"
#include "live/tests/fake_window.h"
#include "sim/pty_meter.h"
#include "window/headless_controls.h"

using namespace std::chrono_literals;

namespace {

constexpr int kPort = 201;
const std::vector<std::string> kCycle = {":STAT?", ":SYST:BATT?",    ":FETCCNTDISP?",
                                         ":CONF?", ":FETCCNTDISP2?", ":CONF2?"};
const std::vector<std::string> kOpening = {":FACT:INIT", ":SYST:LLO", ":SYST:BLIT 0"};

std::vector<std::string> Commands(const PtyMeter& meter) {
  std::vector<std::string> commands;
  for (const HeardCommand& heard : meter.Heard()) commands.push_back(heard.command);
  return commands;
}

long Count(const std::vector<std::string>& commands, const std::string& command) {
  return std::count(commands.begin(), commands.end(), command);
}

class LiveMonitorTest : public testing::Test {
 protected:
  void SetUp() override {
    SetCatalogueLanguage(1);
    SetCurrentPort(1000);
    SetCurrentSpeed(19200);
    window_.onTimer = [this](int id) { controller_->OnTimer(id); };
    window_.onMessage = [this](int n, std::intptr_t parameter) { controller_->OnMessage(n, parameter); };
  }
  void TearDown() override {
    if (controller_ && controller_->Connected()) {
      controller_->Exit();
      window_.PumpUntil([&] { return window_.ended.load(); }, 5s);
    }
    controller_.reset();
    ComClose();
  }

  void StartMeter(const std::string& model) {
    meter_ = std::make_unique<PtyMeter>(VirtualMeter({model, "S-1", "1.04"}), kPort);
    EnumerateComPorts();
  }
  void MakeController(bool autoConnect) {
    autoConnect_ = autoConnect;
    controller_ = std::make_unique<ConnectionController>(
        ConnectionEnvironment{controls_, window_, window_, window_, window_, snapshot_, lists_, settings_, published_,
                              [this] { return autoConnect_.load(); }, [] { return ScanForMeter(); }});
  }
  // Connects with the Monitor button and waits for `cycles` full cycles.
  void Connect(const std::string& model, int cycles = 2) {
    StartMeter(model);
    MakeController(false);
    controller_->OnMonitorButton();
    ASSERT_TRUE(window_.PumpUntil([&] { return controller_->Connected(); }, 5s));
    WaitForCycles(cycles);
  }
  void WaitForCycles(int cycles) {
    const long start = Count(Commands(*meter_), ":STAT?");
    ASSERT_TRUE(window_.PumpUntil([&] { return Count(Commands(*meter_), ":STAT?") >= start + cycles; }, 10s));
  }
  void Disconnect() {
    controller_->OnMonitorButton();
    ASSERT_TRUE(window_.PumpUntil([&] { return !controller_->Connected(); }, 5s));
  }
  // The commands heard after the last occurrence of `marker`.
  std::vector<std::string> HeardSince(std::size_t from) {
    const std::vector<std::string> all = Commands(*meter_);
    return std::vector<std::string>(all.begin() + static_cast<long>(std::min(from, all.size())), all.end());
  }

  TempPortFolder folder_;
  std::unique_ptr<PtyMeter> meter_;
  HeadlessControls controls_;
  FakeWindow window_;
  MonitorSnapshot snapshot_;
  ListState lists_;
  SharedMeterSettings settings_;
  PublishedReading published_;
  std::atomic<bool> autoConnect_{false};
  std::unique_ptr<ConnectionController> controller_;
};

TEST_F(LiveMonitorTest, StoppingAThreadThatIsNotRunningLeavesItEnded) {
  std::atomic<int> lastLoop{-1};
  AcquisitionThread thread({8, snapshot_, lists_, settings_, controls_, window_, window_, published_, lastLoop});
  thread.RequestStop();
  EXPECT_TRUE(thread.Ended()) << "a waiting timer would never go on";
}

TEST_F(LiveMonitorTest, ConnectSendsTheOpeningCommandsThenCycles) {
  Connect("RV7361", 3);
  const std::vector<std::string> heard = Commands(*meter_);
  const auto opening = std::search(heard.begin(), heard.end(), kOpening.begin(), kOpening.end());
  ASSERT_NE(opening, heard.end()) << "no opening commands";
  std::vector<std::string> cycles(opening + 3, heard.end());
  ASSERT_GE(cycles.size(), 12u);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(cycles[i], kCycle[i % 6]) << i;

  EXPECT_EQ(controls_.Text(control::kMonitorButton), u"Stop Monitor");
  EXPECT_EQ(controls_.Text(control::kModelName), u"RV7361");
  EXPECT_EQ(controls_.Text(control::kPortText), u"COM201");
  EXPECT_TRUE(controls_.IsEnabled(control::kPeakButton));
  EXPECT_TRUE(controls_.IsEnabled(control::kSlowButton));
  EXPECT_FALSE(controls_.Text(control::kMainValue).empty());
  const Publication latest = published_.Latest();
  EXPECT_FALSE(latest.forRecording.text[_READING_TEXT::kMainValue].empty());
  EXPECT_EQ(latest.recordTemplate.mainFunction, snapshot_.Data().functionIndex.load());
}

TEST_F(LiveMonitorTest, PeakHoldQueriesDependOnTheModel) {
  struct Case {
    const char* model;
    const char* main;
    const char* sub;
  };
  const Case cases[] = {{"RV7341", ":CALC:PEAK:MIN?", ":CALC:PEAK:MAX?"},
                        {"RV7361", ":CALC:PEAK:MAX?", ":CALC:PEAK:MIN?"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    Connect(c.model);
    snapshot_.Raise(MonitorRequest::peak);
    WaitForCycles(3);
    const std::size_t from = Commands(*meter_).size();
    WaitForCycles(2);
    const std::vector<std::string> heard = HeardSince(from);
    EXPECT_GE(Count(heard, c.main), 1);
    EXPECT_GE(Count(heard, c.sub), 1);
    EXPECT_EQ(Count(heard, ":FETCCNTDISP?"), 0);
    EXPECT_EQ(Count(heard, ":CONF2?"), 0) << "no sub configuration while peak hold is on";
    Disconnect();
    controller_.reset();
    meter_.reset();
  }
}

TEST_F(LiveMonitorTest, TwoPressesBeforeACycleSendOneCommand) {
  Connect("RV7361");
  const std::size_t from = Commands(*meter_).size();
  snapshot_.Raise(MonitorRequest::slow);
  snapshot_.Raise(MonitorRequest::slow);
  WaitForCycles(2);
  EXPECT_EQ(Count(HeardSince(from), ":SYST:SLOW 1"), 1);
}

TEST_F(LiveMonitorTest, ARangeChangeSendsOneConfigureAndNoReading) {
  Connect("RV7361");
  const std::size_t from = Commands(*meter_).size();
  controls_.SelectListItem(control::kRangeList, 4);
  ASSERT_TRUE(OnRangeListSelection(snapshot_, lists_, controls_));
  WaitForCycles(2);
  const std::vector<std::string> heard = HeardSince(from);
  const auto configure =
      std::find_if(heard.begin(), heard.end(), [](const std::string& c) { return c.rfind(":CONF ", 0) == 0; });
  ASSERT_NE(configure, heard.end());
  EXPECT_EQ(std::count_if(heard.begin(), heard.end(), [](const std::string& c) { return c.rfind(":CONF ", 0) == 0; }),
            1);
  // The cycle of the command ends with it: the next command starts a new cycle.
  ASSERT_NE(configure + 1, heard.end());
  EXPECT_EQ(*(configure + 1), ":STAT?");
}

TEST_F(LiveMonitorTest, RelTogglesTheRangeListAndStopsARecording) {
  Connect("RV7361");
  window_.recording = true;
  snapshot_.Raise(MonitorRequest::rel);
  ASSERT_TRUE(window_.PumpUntil([&] { return snapshot_.Data().status[kStatusRel].load() == 1; }, 5s));
  WaitForCycles(1);
  EXPECT_FALSE(controls_.IsEnabled(control::kRangeList));
  EXPECT_GE(window_.recordingStops.load(), 1);
  snapshot_.Raise(MonitorRequest::rel);
  ASSERT_TRUE(window_.PumpUntil([&] { return snapshot_.Data().status[kStatusRel].load() == 0; }, 5s));
  WaitForCycles(1);
  EXPECT_TRUE(controls_.IsEnabled(control::kRangeList));
}

TEST_F(LiveMonitorTest, ZeroAdjustmentOfTheRv7341WaitsForItsLongReply) {
  Connect("RV7341");
  EXPECT_EQ(controls_.Text(control::kRelButton), u"0 ADJ");
  ASSERT_TRUE(controls_.IsEnabled(control::kPeakButton));
  snapshot_.Raise(MonitorRequest::rel);
  ASSERT_TRUE(window_.PumpUntil([&] { return !controls_.IsEnabled(control::kPeakButton); }, 3s));
  EXPECT_FALSE(controls_.IsEnabled(control::kFilterButton));
  // The meter takes longer than an ordinary reply may: no error follows.
  ASSERT_TRUE(window_.PumpUntil([&] { return controls_.IsEnabled(control::kPeakButton); }, 12s));
  WaitForCycles(2);
  EXPECT_EQ(Count(Commands(*meter_), ":SYST:ZEROADJ"), 1);
  EXPECT_TRUE(window_.Received().empty());
  EXPECT_TRUE(controller_->Connected());
  EXPECT_EQ(longReplyWait.load(), 0);
  // Zero adjusted is the RV7341's REL: the range stays where it is.
  EXPECT_EQ(snapshot_.Data().status[kStatusRel].load(), 1);
  EXPECT_FALSE(controls_.IsEnabled(control::kRangeList));
}

TEST_F(LiveMonitorTest, TheFirstCycleAdoptsTheMeterSettingsOfTheRv736x) {
  StartMeter("RV7362");
  meter_->WithMeter([](VirtualMeter& meter) {
    meter.Answer(":SYST:CONDUCT 2");
    meter.Answer(":SYST:DIODE 5");
    meter.Answer(":SYST:DBM 15");
  });
  MakeController(false);
  controller_->OnMonitorButton();
  ASSERT_TRUE(window_.PumpUntil([&] { return controller_->Connected(); }, 5s));
  WaitForCycles(2);
  EXPECT_EQ(settings_.continuity.load(), 2);
  EXPECT_EQ(settings_.diode.load(), 5);
  EXPECT_EQ(settings_.dbm.load(), 15);
  // The user's later choice is not overwritten by the meter's status.
  settings_.dbm = 3;
  WaitForCycles(2);
  EXPECT_EQ(settings_.dbm.load(), 3);
}

TEST_F(LiveMonitorTest, AMissingReplyEndsTheConnectionWithAMessage) {
  Connect("RV7361");
  meter_->SetFault({LineFault::NoAnswer, ":CONF?"});
  ASSERT_TRUE(window_.PumpUntil([&] { return !controller_->Connected(); }, 6s));
  const auto received = window_.Received();
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received.back(), (std::pair<int, std::intptr_t>{app_message::kCommunicationError, 1}));
  EXPECT_EQ(window_.Boxes(),
            std::vector<std::u16string>{u"Communication Error. No response!\n\nThe monitor is stopped."});
  EXPECT_EQ(controls_.Text(control::kMonitorButton), u"Monitor");
  EXPECT_EQ(controls_.Text(control::kMainValue), u"");
}

TEST_F(LiveMonitorTest, AnOverlongReplyIsABufferOverAndTheConnectionGoesOn) {
  Connect("RV7361");
  meter_->SetFault({LineFault::OverlongLine, ":SYST:BATT?"});
  ASSERT_TRUE(window_.PumpUntil([&] { return !window_.Boxes().empty(); }, 5s));
  meter_->SetFault({});
  WaitForCycles(2);
  EXPECT_TRUE(controller_->Connected());
  EXPECT_EQ(window_.Boxes().front(), u"Communication Error. Buffer over.");
}

// A meter that misbehaves mid-stream: after a single glitch the panel shows
// the meter's real reading again, or the connection ends with the error;
// at no moment does it show something the meter did not measure.
struct HostileCase {
  const char* name;
  FaultRule rule;
  bool staysConnected;
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

class HostileMeterTest : public LiveMonitorTest, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileMeterTest, NeverShowsAWrongReading) {
  const HostileCase& c = GetParam();
  Connect("RV7361");
  const std::regex reading(R"(-?\d\.\d{4})");  // the 6 V range's digits
  std::vector<std::string> shown;
  auto watch = [&] {
    const std::u16string value = controls_.Text(control::kMainValue);
    const std::string text(value.begin(), value.end());
    if (shown.empty() || shown.back() != text) shown.push_back(text);
  };
  meter_->SetFault(c.rule);
  if (c.staysConnected) {
    const long start = Count(Commands(*meter_), ":STAT?");
    window_.PumpUntil([&] { return watch(), Count(Commands(*meter_), ":STAT?") >= start + 4; }, 10s);
    EXPECT_TRUE(controller_->Connected());
    EXPECT_TRUE(window_.Boxes().empty()) << "one glitch is no error";
    const Publication latest = published_.Latest();
    EXPECT_EQ(latest.forRecording.text[_READING_TEXT::kMainFunction], u"DCV");
    EXPECT_NEAR(latest.main.count, 15000, 500) << "the input is a quarter of the 6 V range";
  } else {
    window_.PumpUntil([&] { return watch(), !controller_->Connected(); }, 10s);
    EXPECT_FALSE(controller_->Connected());
    ASSERT_FALSE(window_.Received().empty());
    EXPECT_EQ(window_.Received().back(), (std::pair<int, std::intptr_t>{app_message::kCommunicationError, 1}));
  }
  for (const std::string& value : shown) EXPECT_TRUE(value.empty() || std::regex_match(value, reading)) << value;
}

INSTANTIATE_TEST_SUITE_P(
    Glitches, HostileMeterTest,
    testing::Values(HostileCase{"StatusAnsweredTwiceOnce", {LineFault::AnswerTwice, ":STAT?", {}, 1}, true},
                    HostileCase{"GarbageOnce", {LineFault::Garbage, ":CONF?", {}, 1}, true},
                    HostileCase{"NulBytesOnce", {LineFault::NulBytes, ":FETCCNTDISP?", {}, 1}, true},
                    HostileCase{"TenKilobyteLineOnce", {LineFault::OverlongLine, ":FETCCNTDISP2?", {}, 1}, true},
                    HostileCase{"BatteryLevelOneCommandLate", {LineFault::LagOne, ":SYST:BATT?", {}, 1}, false},
                    HostileCase{"CommandErrorAlways", {LineFault::CommandError, "", {}, 0}, false}),
    [](const testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

TEST_F(LiveMonitorTest, APulledCableReconnectsByItselfWithAutomaticConnection) {
  StartMeter("RV7361");
  ASSERT_EQ(ScanForMeter(), 0);
  MakeController(true);
  controller_->StartRecheck();
  ASSERT_TRUE(window_.PumpUntil([&] { return controller_->Connected(); }, 5s));
  WaitForCycles(1);

  meter_->HangUp();
  EnumerateComPorts();  // the device change
  ASSERT_TRUE(window_.PumpUntil([&] { return !controller_->Connected(); }, 6s));
  meter_->PlugIn();
  EnumerateComPorts();
  ASSERT_TRUE(window_.PumpUntil([&] { return controller_->Connected(); }, 8s));
  WaitForCycles(2);
  EXPECT_TRUE(window_.Boxes().empty()) << "no message with automatic connection";
}

TEST_F(LiveMonitorTest, DisconnectAndExitSayGoToLocal) {
  Connect("RV7325");
  Disconnect();
  EXPECT_EQ(Commands(*meter_).back(), ":SYST:GTL");
  EXPECT_FALSE(controls_.IsEnabled(control::kRelButton));
  EXPECT_FALSE(ComIsOpen());

  controller_->OnMonitorButton();
  ASSERT_TRUE(window_.PumpUntil([&] { return controller_->Connected(); }, 5s));
  WaitForCycles(1);
  controller_->Exit();
  ASSERT_TRUE(window_.PumpUntil([&] { return window_.ended.load(); }, 5s));
  EXPECT_EQ(Commands(*meter_).back(), ":SYST:GTL");
}

TEST_F(LiveMonitorTest, TheMemoryPauseKeepsThePortOpen) {
  Connect("RV7362");
  const std::size_t from = Commands(*meter_).size();
  controller_->StartMemoryDownload();
  ASSERT_TRUE(window_.PumpUntil([&] { return window_.memoryDownloads.load() == 1; }, 5s));
  EXPECT_TRUE(ComIsOpen());
  WaitForCycles(2);
  const std::vector<std::string> heard = HeardSince(from);
  EXPECT_EQ(Count(heard, ":SYST:GTL"), 0);
  for (const std::string& opening : kOpening) EXPECT_EQ(Count(heard, opening), 0) << opening;
  EXPECT_TRUE(controller_->Connected());
}

}  // namespace

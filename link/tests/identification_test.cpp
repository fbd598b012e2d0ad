// Identification: the pure rules, then probes and scans against virtual meters.
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "base/models.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "link/identification.h"
#include "link/tests/temp_port_folder.h"
#include "sim/pty_meter.h"

using namespace std::chrono_literals;

namespace {

TEST(IdnReply, SerialNumberAndVersion) {
  struct Case {
    const char* reply;
    const char* serial;
    const char* version;
  };
  const Case cases[] = {
      {"RVTEK,RV7361,12345678, Ver 1.04", "12345678", "1.04"},
      {"RVTEK,RV7361,12345678,Ver 1.04", "12345678", "1.04"},  // no space: four characters skipped
      {"RVTEK,RV7361,12345678,VER:0.83", "12345678", "0.83"},
      {"RVTEK,RV7361,S,   1.10", "S", "10"},           // only one space is optional
      {"RVTEK,RV7361, Ver 1.04", "", "1.04"},          // two commas: no serial number
      {"RVTEK,RV7361,SN,, Ver 1.04", "SN", "r 1.04"},  // the skip counts from field 4
      {"RVTEK,RV7361,12345678901234567890123456789012345,x Ver 1.04", "1234567890123456789012345678901",  // 31 kept
       "r 1.04"},
      {"RVTEK,RV7361,S, Ver 1.04 build 2026 extra", "S", "1.04 build 202"},  // at most 14 characters
      {"", "", ""},
      {"no commas at all", "", ""},
  };
  for (const Case& c : cases) {
    const IdnFields fields = ParseIdnReply(c.reply);
    EXPECT_EQ(fields.serialNumber, c.serial) << c.reply;
    EXPECT_EQ(fields.firmwareVersion, c.version) << c.reply;
  }
}

TEST(Firmware, VersionCheckAppliesToTheRv736xOnly) {
  EXPECT_EQ(FirmwareNumber("1.04"), 104);
  EXPECT_EQ(FirmwareNumber("0.83"), 83);
  EXPECT_EQ(FirmwareNumber("1.0"), std::nullopt);
  EXPECT_EQ(FirmwareNumber("x.yz"), std::nullopt);

  const std::pair<const char*, bool> rv736x[] = {{"0.82", false}, {"0.83", true}, {"0.99", true}, {"1.04", true},
                                                 {"0.09", false}, {"", false},    {"?", false}};
  for (const int model : {kRv7361, kRv7362}) {
    for (const auto& [version, accepted] : rv736x) EXPECT_EQ(FirmwareSupported(model, version), accepted) << version;
  }
  for (int model = kRv7321; model <= kRv734x; ++model) {
    EXPECT_TRUE(FirmwareSupported(model, "0.10"));
    EXPECT_TRUE(FirmwareSupported(model, ""));
  }
}

TEST(ModelNames, ExactAndCaseSensitive) {
  for (int i = 0; i < kModelCount; ++i) EXPECT_EQ(ModelIndexOfName(kModelNames[i]), i);
  for (const char* other : {"rv7361", "RV7361 ", "RV736X", "", "CMD ERR"}) EXPECT_EQ(ModelIndexOfName(other), kNoModel);
}

TEST(Scan, StartsAtTheCurrentPortAndWraps) {
  const std::vector<_COM_LIST> list = {{u"a", 3}, {u"b", 5}, {u"c", 7}};
  struct Case {
    int currentPort;
    int foundOn;  // 0: nowhere
    std::vector<int> probed;
    int result;
  };
  const Case cases[] = {
      {5, 0, {5, 7, 3}, 1}, {5, 3, {5, 7, 3}, 0},
      {7, 7, {7}, 0},       {1000, 0, {3, 5, 7}, 1},  // no current port: from the top
      {4, 5, {3, 5}, 0},
  };
  for (const Case& c : cases) {
    std::vector<int> probed;
    const int result = ScanPorts(
        list, c.currentPort,
        [&](int port) {
          probed.push_back(port);
          return port == c.foundOn ? 0 : 1;
        },
        [] { return false; });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(probed, c.probed) << "current port " << c.currentPort;
  }
  EXPECT_EQ(ScanPorts(
                {}, 5, [](int) { return 0; }, [] { return false; }),
            1);
}

TEST(Scan, CancelStopsBeforeTheNextPort) {
  const std::vector<_COM_LIST> list = {{u"a", 3}, {u"b", 5}, {u"c", 7}};
  bool cancelled = false;
  std::vector<int> probed;
  const int result = ScanPorts(
      list, 3,
      [&](int port) {
        probed.push_back(port);
        cancelled = true;  // a device change arrives during this probe
        return 1;
      },
      [&] { return cancelled; });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(probed, std::vector<int>{3});
}

TEST(Scan, SpeedOrderFollowsTheCurrentSpeed) {
  EXPECT_EQ(ProbeSpeeds(19200), (std::array<int, 2>{19200, 9600}));
  EXPECT_EQ(ProbeSpeeds(9600), (std::array<int, 2>{9600, 19200}));
  EXPECT_EQ(ProbeSpeeds(38400), (std::array<int, 2>{9600, 19200}));
}

// Probes against meters served on pseudo-terminals.
class ProbeTest : public testing::Test {
 protected:
  void SetUp() override {
    SetCurrentPort(1000);
    SetCurrentSpeed(19200);
    SetModelIndex(kRv7361);
  }
  void TearDown() override { ComClose(); }
  static VirtualMeter Meter(const std::string& model, const std::string& serial = "S1",
                            const std::string& firmware = "1.04") {
    return VirtualMeter({model, serial, firmware});
  }
  TempPortFolder folder_;
};

TEST_F(ProbeTest, IdentifiesEveryModel) {
  for (int model = 0; model < kModelCount; ++model) {
    const std::string serial = "SN" + std::to_string(model);
    PtyMeter meter(Meter(std::string(kModelNames[model]), serial, "0.9" + std::to_string(model)), 20 + model);
    ASSERT_EQ(ProbePort(20 + model), 0) << kModelNames[model];
    const MeterIdentity identity = CurrentIdentity();
    EXPECT_EQ(identity.modelIndex, model);
    EXPECT_EQ(identity.currentPort, 20 + model);
    EXPECT_EQ(identity.currentSpeed, 19200);
    EXPECT_EQ(identity.serialNumber, serial);
    EXPECT_EQ(identity.firmwareVersion, "0.9" + std::to_string(model));
    EXPECT_FALSE(ComIsOpen()) << "a probe leaves the port closed";
  }
}

TEST_F(ProbeTest, TriesTheCurrentSpeedFirst) {
  struct Case {
    int currentSpeed;
    int meterSpeed;
    std::vector<int> speedsHeard;
  };
  // A meter at another speed hears garbled bytes; what the sim records is
  // the speed the client had set when each command arrived.
  const Case cases[] = {
      {9600, 9600, {9600, 9600, 9600}},
      {19200, 9600, {19200, 19200, 9600, 9600, 9600}},
      {9600, 19200, {9600, 9600, 19200, 19200, 19200}},
  };
  for (const Case& c : cases) {
    SetCurrentSpeed(c.currentSpeed);
    PtyMeter meter(Meter("RV7325"), 9, c.meterSpeed);
    ASSERT_EQ(ProbePort(9), 0);
    std::vector<int> speeds;
    for (const HeardCommand& heard : meter.Heard()) speeds.push_back(heard.speed);
    EXPECT_EQ(speeds, c.speedsHeard) << "current speed " << c.currentSpeed;
    EXPECT_EQ(CurrentIdentity().currentSpeed, c.meterSpeed);
    EXPECT_EQ(CurrentIdentity().modelIndex, 4);
  }
}

TEST_F(ProbeTest, UnknownModelFailsAndMarksTheModel) {
  PtyMeter meter(Meter("XY9999"), 9);
  SetCurrentPort(4);
  EXPECT_EQ(ProbePort(9), 1);
  const MeterIdentity identity = CurrentIdentity();
  EXPECT_EQ(identity.modelIndex, kNoModel);
  EXPECT_EQ(identity.currentPort, 4) << "a failed probe keeps the current port";
  // Both speeds were tried, and "*IDN?" never asked.
  for (const HeardCommand& heard : meter.Heard()) EXPECT_EQ(heard.command, command::kProductId);
  EXPECT_EQ(meter.Heard().size(), 4u);
}

TEST_F(ProbeTest, ProbeOfAMissingPortFails) { EXPECT_EQ(ProbePort(77), 1); }

TEST_F(ProbeTest, HangUpDuringIdentificationFailsWithoutHanging) {
  PtyMeter meter(Meter("RV7362"), 9);
  meter.SetFault({LineFault::HangUp, command::kIdentify});
  EXPECT_EQ(ProbePort(9), 1);
  EXPECT_EQ(CurrentIdentity().currentPort, 1000);
  EXPECT_FALSE(ComIsOpen());
}

TEST_F(ProbeTest, ScanFindsTheMeterAmongOtherPorts) {
  PtyMeter other1(Meter("XY1"), 3);
  PtyMeter real(Meter("RV7341", "Z-77"), 5);
  PtyMeter other2(Meter("XY2"), 7);
  EnumerateComPorts();
  SetCurrentPort(7);
  EXPECT_EQ(ScanForMeter(), 0);
  EXPECT_EQ(CurrentIdentity().currentPort, 5);
  EXPECT_EQ(CurrentIdentity().modelIndex, 6);
  EXPECT_EQ(CurrentIdentity().serialNumber, "Z-77");
  EXPECT_FALSE(other1.Heard().empty());
  EXPECT_FALSE(other2.Heard().empty());
}

TEST_F(ProbeTest, DeviceChangeCancelsARunningScanBeforeItsNextPort) {
  std::vector<std::unique_ptr<PtyMeter>> silent;
  for (const int port : {3, 5, 7}) {
    silent.push_back(std::make_unique<PtyMeter>(Meter("RV7361"), port));
    silent.back()->SetFault({LineFault::NoAnswer, {}});
  }
  EnumerateComPorts();
  std::thread deviceChange([] {
    std::this_thread::sleep_for(300ms);
    CancelScan();
  });
  EXPECT_EQ(ScanForMeter(), 1);
  deviceChange.join();
  EXPECT_FALSE(silent[0]->Heard().empty());
  EXPECT_TRUE(silent[1]->Heard().empty()) << "the scan went on after the cancel";
  EXPECT_TRUE(silent[2]->Heard().empty());
}

TEST_F(ProbeTest, ScanOfAnEmptyListFails) {
  EnumerateComPorts();
  EXPECT_EQ(ScanForMeter(), 1);
}

}  // namespace

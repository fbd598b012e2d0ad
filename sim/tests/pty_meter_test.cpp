// The virtual meter on its pseudo-terminal, seen through the real port code:
// registration, faults, hang-up and plug-in.
#include <chrono>

#include <gtest/gtest.h>

#include "link/com_list.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "link/tests/temp_port_folder.h"
#include "sim/pty_meter.h"

using namespace std::chrono_literals;

namespace {

constexpr int kPort = 201;

class PtyMeterTest : public testing::Test {
 protected:
  void SetUp() override {
    ComSetLine(19200);
    ASSERT_TRUE(ComOpen(kPort));
  }
  void TearDown() override { ComClose(); }
  int Query(const char* command, std::string& reply, std::size_t capacity = 32) {
    char buffer[128];
    const int result = ComQuery(command, buffer, capacity);
    reply = buffer;
    return result;
  }
  TempPortFolder folder_;
  PtyMeter meter_{VirtualMeter({"RV7361", "77", "1.04"}), kPort};
};

TEST_F(PtyMeterTest, RegistersWhereDiscoveryFindsIt) {
  const std::vector<_COM_LIST> expected = {{u"Virtual meter (COM201)", kPort}};
  EXPECT_EQ(ListVirtualPorts(), expected);
  std::string reply;
  EXPECT_EQ(Query(command::kProductId, reply), COM_OK);
  EXPECT_EQ(reply, "RV7361");
}

TEST_F(PtyMeterTest, AnotherServerCannotTakeTheSamePort) {
  EXPECT_THROW(PtyMeter(VirtualMeter(), kPort), std::runtime_error);
  std::string reply;
  EXPECT_EQ(Query(command::kProductId, reply), COM_OK) << "the first server is untouched";
}

TEST_F(PtyMeterTest, FaultsGiveTheirResults) {
  struct Case {
    LineFault fault;
    int result;
    std::string reply;
  };
  const Case cases[] = {
      {LineFault::CommandError, COM_OK, "CMD ERR"},
      {LineFault::OverlongLine, COM_OVERFLOW, std::string(31, '9')},
      {LineFault::Garbage, COM_OK, "\xfe\x80\xf8\x7f\xe0\xff"},  // control bytes filtered out
      {LineFault::None, COM_OK, "RV7361"},
  };
  // Asked with a command whose reply the exchange does not examine, so that
  // the faults' bytes come through as the meter sent them.
  for (const Case& c : cases) {
    meter_.SetFault({c.fault, {}});
    std::string reply;
    EXPECT_EQ(Query(command::kProductId, reply), c.result);
    EXPECT_EQ(reply, c.reply);
    ComClose();  // drop what an overflow left queued
    ASSERT_TRUE(ComOpen(kPort));
  }
}

TEST_F(PtyMeterTest, SilenceAndLateAnswersTimeOut) {
  for (const LineFault fault : {LineFault::NoAnswer, LineFault::LateAnswer}) {
    ASSERT_TRUE(ComIsOpen() || ComOpen(kPort));
    meter_.SetFault({fault, command::kStatus, 2500ms});
    std::string reply;
    EXPECT_EQ(Query(command::kStatus, reply), COM_TIMEOUT);
    EXPECT_FALSE(ComIsOpen());
  }
}

TEST_F(PtyMeterTest, FaultHitsOnlyItsCommand) {
  meter_.SetFault({LineFault::CommandError, command::kSubConfig});
  std::string reply;
  EXPECT_EQ(Query(command::kMainConfig, reply), COM_OK);
  EXPECT_EQ(reply, "DCV,6");
  EXPECT_EQ(Query(command::kBattery, reply), COM_OK);
  EXPECT_EQ(reply, "3");
}

// The command log of rv7300s-sim: every line, in order, even one the
// fault leaves unanswered.
TEST_F(PtyMeterTest, ListenerHearsEachCommandInOrder) {
  std::vector<std::string> heard;
  meter_.OnHeard([&heard](const HeardCommand& command) { heard.push_back(command.command); });
  meter_.SetFault({LineFault::NoAnswer, command::kBattery});
  std::string reply;
  EXPECT_EQ(Query(command::kMainConfig, reply), COM_OK);
  EXPECT_EQ(Query(command::kBattery, reply), COM_TIMEOUT);
  ASSERT_TRUE(ComOpen(kPort));
  EXPECT_EQ(Query(command::kGoToLocal, reply), COM_OK);
  const std::vector<std::string> expected = {command::kMainConfig, command::kBattery, command::kGoToLocal};
  EXPECT_EQ(heard, expected);
}

TEST_F(PtyMeterTest, HangUpEndsTheExchangeAndTheListingUntilPluggedIn) {
  meter_.SetFault({LineFault::HangUp, command::kMainReading});
  std::string reply;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Query(command::kMainReading, reply), COM_ERROR);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_FALSE(ComIsOpen());
  EXPECT_TRUE(ListVirtualPorts().empty());
  EXPECT_FALSE(ComOpen(kPort));

  meter_.SetFault({});
  meter_.PlugIn();
  EXPECT_EQ(ListVirtualPorts().size(), 1u);
  ASSERT_TRUE(ComOpen(kPort));
  EXPECT_EQ(Query(command::kProductId, reply), COM_OK);
}

TEST_F(PtyMeterTest, PulledCableBetweenExchangesFailsTheNextOne) {
  meter_.HangUp();
  std::string reply;
  const int result = Query(command::kStatus, reply);
  EXPECT_TRUE(result == COM_SENDFAIL || result == COM_ERROR) << result;
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "COM201"));
}

TEST_F(PtyMeterTest, ZeroAdjustNeedsTheLongWait) {
  PtyMeter rv7341(VirtualMeter({"RV7341", "1", "1.00"}), 5);
  ComClose();
  ASSERT_TRUE(ComOpen(5));
  longReplyWait = 1;
  std::string reply;
  EXPECT_EQ(Query(command::kZeroAdjust, reply), COM_OK);
  longReplyWait = 0;
  EXPECT_EQ(reply, "OK");
}

TEST_F(PtyMeterTest, MemoryBytesArriveOneByOne) {
  meter_.WithMeter([](VirtualMeter& meter) {
    VirtualMeter::MemoryRecord record{};
    record.fill(0x0A);  // line feeds: no line discipline may touch them
    meter.StoreMemory(7, record);
  });
  ASSERT_TRUE(ComWrite(command::MemoryData(7).c_str()));
  for (int i = 0; i < command::kMemoryRecordBytes; ++i) {
    unsigned char byte = 0;
    ASSERT_EQ(ComReadByte(&byte), COM_OK) << i;
    EXPECT_EQ(byte, 0x0A);
  }
}

}  // namespace

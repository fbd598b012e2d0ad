// The virtual meter's answers, command by command, without a line in between.
#include <gtest/gtest.h>

#include "link/commands.h"
#include "link/identification.h"
#include "sim/virtual_meter.h"

namespace {

std::string Answer(VirtualMeter& meter, std::string_view command) { return meter.Answer(command).bytes; }

TEST(VirtualMeter, IdentifiesItselfAsTheProbeExpects) {
  for (int model = 0; model < kModelCount; ++model) {
    VirtualMeter meter({std::string(kModelNames[model]), "A1B2", "0.83"});
    EXPECT_EQ(Answer(meter, command::kProductId), std::string(kModelNames[model]) + "\r\n");
    std::string idn = Answer(meter, command::kIdentify);
    ASSERT_EQ(idn.substr(idn.size() - 2), "\r\n");
    idn.resize(idn.size() - 2);
    const IdnFields fields = ParseIdnReply(idn);
    EXPECT_EQ(fields.serialNumber, "A1B2");
    EXPECT_EQ(fields.firmwareVersion, "0.83");
  }
}

TEST(VirtualMeter, AnswersTheAcquisitionQueries) {
  VirtualMeter meter({"RV7361", "1", "1.04"});
  EXPECT_EQ(Answer(meter, command::kStatus), std::string(24, '0') + "\r\n");
  EXPECT_EQ(Answer(meter, command::kBattery), "3\r\n");
  EXPECT_EQ(Answer(meter, command::kMainConfig), "DCV,6\r\n");
  EXPECT_EQ(Answer(meter, command::kSubConfig), "CMD ERR\r\n");
  EXPECT_EQ(Answer(meter, command::kSubReading), "CMD ERR\r\n");

  // Three comma-separated integer fields: display text, count, range number.
  const std::string reading = Answer(meter, command::kMainReading);
  int shown = 0, count = 0, range = 0;
  ASSERT_EQ(std::sscanf(reading.c_str(), "%d,%d,%d\r\n", &shown, &count, &range), 3) << reading;
  EXPECT_EQ(shown, count);
  EXPECT_NEAR(count, 15000, 2);
  EXPECT_EQ(range, 3);
  EXPECT_LE(reading.size() - 2, 31u);
}

TEST(VirtualMeter, ModeCommandsChangeTheStatus) {
  VirtualMeter meter;
  struct Case {
    const char* command;
    int position;
    char value;
  };
  const Case cases[] = {
      {command::kRelOn, 1, '1'},      {command::kRelOff, 1, '0'},      {command::kFilterOn500, 2, '1'},
      {command::kFilterOff100, 2, '0'}, {command::kSlowOn, 14, '1'},    {command::kSlowOff, 14, '0'},
      {command::kPeakOn, 15, '1'},    {command::kPeakOff, 15, '0'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Answer(meter, c.command), "OK\r\n") << c.command;
    EXPECT_EQ(meter.Status(c.position), c.value) << c.command;
    const std::string status = Answer(meter, command::kStatus);
    EXPECT_EQ(status[c.position], c.value) << c.command;
  }
}

TEST(VirtualMeter, PeakQueriesOnlyWhilePeakHoldIsOn) {
  VirtualMeter meter;
  EXPECT_EQ(Answer(meter, command::kPeakMax), "CMD ERR\r\n");
  Answer(meter, command::kPeakOn);
  for (int i = 0; i < 20; ++i) Answer(meter, command::kMainReading);
  const int max = std::stoi(Answer(meter, command::kPeakMax));
  const int min = std::stoi(Answer(meter, command::kPeakMin));
  EXPECT_LE(min, max);
  EXPECT_NEAR(max, 15000, 2);
}

TEST(VirtualMeter, ConfigureAndFactoryInit) {
  VirtualMeter meter;
  EXPECT_EQ(Answer(meter, command::Configure("ACV", "60")), "OK\r\n");
  EXPECT_EQ(Answer(meter, command::kMainConfig), "ACV,60\r\n");
  Answer(meter, command::kRelOn);
  EXPECT_EQ(Answer(meter, command::kFactoryInit), "OK\r\n");
  EXPECT_EQ(Answer(meter, command::kMainConfig), "DCV,6\r\n");
  EXPECT_EQ(meter.Status(1), '0');
}

TEST(VirtualMeter, RefusesWhatItDoesNotKnow) {
  VirtualMeter meter({"RV7361", "1", "1.04"});
  for (const std::string bad : {"", "HELLO", ":CONF ", ":CONF DCV", ":CONF ,6", ":SYST:DBM x", ":MEM:DATA? 0",
                                ":MEM:DATA? 401", ":SYST:ZEROADJ", "OK?", "qpid"}) {
    EXPECT_EQ(Answer(meter, bad), "CMD ERR\r\n") << bad;
  }
}

TEST(VirtualMeter, ZeroAdjustOnlyOnTheRv7341AndItTakesTime) {
  VirtualMeter meter({"RV7341", "1", "1.00"});
  const MeterReply reply = meter.Answer(command::kZeroAdjust);
  EXPECT_EQ(reply.bytes, "OK\r\n");
  EXPECT_GT(reply.delay, std::chrono::seconds(1)) << "longer than the normal wait would allow";
  EXPECT_EQ(meter.Status(1), '1');
  EXPECT_EQ(Answer(meter, command::kOkQuery), "OK\r\n");
}

TEST(VirtualMeter, MemoryRepliesAreRawBytes) {
  VirtualMeter meter({"RV7362", "1", "1.04"});
  VirtualMeter::MemoryRecord record{};
  record[0] = 0x42;
  record[31] = 0x0A;
  meter.StoreMemory(1, record);
  meter.StoreMemory(10, record);
  meter.StoreMemory(400, record);

  const std::string map = Answer(meter, command::kMemoryCheck);
  ASSERT_EQ(map.size(), 50u);
  EXPECT_EQ(static_cast<unsigned char>(map[0]), 0x01);  // slot 1: bit 0 of byte 0
  EXPECT_EQ(static_cast<unsigned char>(map[1]), 0x02);  // slot 10: bit 1 of byte 1
  EXPECT_EQ(static_cast<unsigned char>(map[49]), 0x80);  // slot 400: bit 7 of byte 49

  const std::string data = Answer(meter, command::MemoryData(10));
  EXPECT_EQ(data, std::string(record.begin(), record.end()));
  EXPECT_EQ(Answer(meter, command::MemoryData(2)), std::string(32, '\0'));

  // Firmware before 1.04 does not know the presence map; other families have no memory.
  VirtualMeter old({"RV7362", "1", "1.03"});
  EXPECT_EQ(Answer(old, command::kMemoryCheck), "CMD ERR\r\n");
  VirtualMeter handheld({"RV7321", "1", "1.04"});
  EXPECT_EQ(Answer(handheld, command::MemoryData(1)), "CMD ERR\r\n");
}

}  // namespace

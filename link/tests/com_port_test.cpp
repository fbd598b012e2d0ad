// The port functions against a pseudo-terminal whose far end the test plays
// byte by byte: the real termios and poll() code, no meter model in between.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "link/com_port.h"
#include "link/port_names.h"
#include "link/tests/temp_port_folder.h"

using namespace std::chrono_literals;

namespace {

constexpr int kPort = 42;

class ComPortTest : public testing::Test {
 protected:
  void SetUp() override {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    slavePath_ = ptsname(master_);
    std::filesystem::create_symlink(slavePath_, VirtualPortLink(kPort));
    ComSetLine(19200);
    ASSERT_TRUE(ComOpen(kPort));
  }
  void TearDown() override {
    ComClose();
    longReplyWait = 0;
    if (master_ >= 0) close(master_);
  }

  // What the meter says.
  void Say(const std::string& bytes) {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // What the meter heard, waiting up to a second for `size` bytes.
  std::string Heard(std::size_t size) {
    std::string heard;
    char chunk[256];
    while (heard.size() < size) {
      pollfd in{master_, POLLIN, 0};
      if (poll(&in, 1, 1000) <= 0) break;
      const ssize_t count = read(master_, chunk, sizeof chunk);
      if (count <= 0) break;
      heard.append(chunk, static_cast<std::size_t>(count));
    }
    return heard;
  }

  TempPortFolder folder_;
  int master_ = -1;
  std::string slavePath_;
};

struct LineCase {
  const char* name;
  std::string bytes;
  std::size_t capacity;
  int result;
  std::string text;
};

TEST_F(ComPortTest, ReadLineFiltersBytesAndKeepsCapacityRule) {
  const LineCase cases[] = {
      {"three letters and CR LF", "abc\r\n", 32, COM_OK, "abc"},
      {"control bytes dropped, high bytes kept", std::string("a\x01\x00\tb\x1f\x80\xff\x7f\r\n", 11), 32, COM_OK,
       "ab\x80\xff\x7f"},
      {"empty line", "\r\n", 32, COM_OK, ""},
      {"30 characters fit a 32-byte buffer", std::string(30, 'x') + "\n", 32, COM_OK, std::string(30, 'x')},
      {"31 characters overflow it", std::string(31, 'y') + "\n", 32, COM_OVERFLOW, std::string(31, 'y')},
      {"capacity 2 holds nothing but the line end", "\n", 2, COM_OK, ""},
      {"capacity 2 overflows on one character", "z\n", 2, COM_OVERFLOW, "z"},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(ComIsOpen());
    Say(c.bytes);
    std::string buffer(c.capacity, '#');
    EXPECT_EQ(ComReadLine(buffer.data(), c.capacity), c.result);
    EXPECT_EQ(std::string(buffer.c_str()), c.text);
    if (c.result == COM_OVERFLOW) {
      // The rest of the line stays queued for the next read.
      char rest[32];
      EXPECT_EQ(ComReadLine(rest, sizeof rest), COM_OK);
    }
  }
}

TEST_F(ComPortTest, OverflowLeavesTheRestOfTheLineQueued) {
  Say(std::string(31, 'a') + "bcd\r\nnext\r\n");
  char buffer[32];
  EXPECT_EQ(ComReadLine(buffer, sizeof buffer), COM_OVERFLOW);
  EXPECT_EQ(ComReadLine(buffer, sizeof buffer), COM_OK);
  EXPECT_STREQ(buffer, "bcd");
  EXPECT_EQ(ComReadLine(buffer, sizeof buffer), COM_OK);
  EXPECT_STREQ(buffer, "next");
  EXPECT_TRUE(ComIsOpen());
}

TEST_F(ComPortTest, QueryWritesCommandWithLineEndAndReadsReply) {
  std::thread meter([&] {
    EXPECT_EQ(Heard(8), ":STAT?\r\n");
    Say("000000000000000000000000\r\n");
  });
  char reply[32];
  EXPECT_EQ(ComQuery(":STAT?", reply, sizeof reply), COM_OK);
  meter.join();
  EXPECT_STREQ(reply, "000000000000000000000000");
}

TEST_F(ComPortTest, SilenceTimesOutAndClosesThePort) {
  // Only carriage returns: bytes arrive, but the line never completes.
  Say("\r\r\r");
  const auto start = std::chrono::steady_clock::now();
  char reply[32];
  EXPECT_EQ(ComReadLine(reply, sizeof reply), COM_TIMEOUT);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, 1s);
  EXPECT_LT(waited, 5s);  // generous: the limit is 2 s on a quiet machine
  EXPECT_STREQ(reply, "");
  EXPECT_FALSE(ComIsOpen());
  EXPECT_EQ(ComQuery(":STAT?", reply, sizeof reply), COM_SENDFAIL);
}

TEST_F(ComPortTest, TheLimitCountsFromTheStartNotTheLastByte) {
  std::atomic<bool> done{false};
  std::thread meter([&] {
    // A byte every 300 ms, never a line feed.
    for (int i = 0; i < 20 && !done; ++i) {
      Say("x");
      std::this_thread::sleep_for(300ms);
    }
  });
  const auto start = std::chrono::steady_clock::now();
  char reply[32];
  EXPECT_EQ(ComReadLine(reply, sizeof reply), COM_TIMEOUT);
  const auto waited = std::chrono::steady_clock::now() - start;
  done = true;
  meter.join();
  EXPECT_LT(waited, 5s);
  EXPECT_GE(std::string(reply).size(), 3u);
}

TEST_F(ComPortTest, LongReplyWaitOutlastsTheNormalLimit) {
  longReplyWait = 1;
  std::thread meter([&] {
    std::this_thread::sleep_for(3s);
    Say("OK\r\n");
  });
  char reply[32];
  EXPECT_EQ(ComReadLine(reply, sizeof reply), COM_OK);
  meter.join();
  EXPECT_STREQ(reply, "OK");
}

TEST_F(ComPortTest, HangUpMidExchangeIsAnErrorNotAHang) {
  std::thread meter([&] {
    Heard(8);
    close(master_);  // the cable is pulled
    master_ = -1;
  });
  const auto start = std::chrono::steady_clock::now();
  char reply[32];
  EXPECT_EQ(ComQuery(":CONF?", reply, sizeof reply), COM_ERROR);
  meter.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_FALSE(ComIsOpen());
}

TEST_F(ComPortTest, WriteToAVanishedDeviceFails) {
  close(master_);
  master_ = -1;
  char reply[32];
  EXPECT_EQ(ComQuery(":CONF?", reply, sizeof reply), COM_SENDFAIL);
}

TEST_F(ComPortTest, ReadByteTakesEveryValue) {
  const std::string raw("\x00\n\r\xff", 4);
  Say(raw);
  for (const char expected : raw) {
    unsigned char byte = 0x55;
    ASSERT_EQ(ComReadByte(&byte), COM_OK);
    EXPECT_EQ(byte, static_cast<unsigned char>(expected));
  }
  unsigned char byte;
  EXPECT_EQ(ComReadByte(&byte), COM_TIMEOUT);
  EXPECT_FALSE(ComIsOpen());
}

TEST_F(ComPortTest, OpenAppliesSpeedAndHoldsThePortExclusively) {
  ComClose();
  ComSetLine(9600);
  ASSERT_TRUE(ComOpen(kPort));
  const int other = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(other, 0);
  termios tio{};
  ASSERT_EQ(tcgetattr(other, &tio), 0);
  EXPECT_EQ(cfgetospeed(&tio), B9600);
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
  EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0) << "a second user could take the port";
  close(other);
}

TEST_F(ComPortTest, StaleBytesAreDroppedAtOpen) {
  Say("stale\r\n");
  ComClose();
  ASSERT_TRUE(ComOpen(kPort));
  Say("fresh\r\n");
  char reply[32];
  EXPECT_EQ(ComReadLine(reply, sizeof reply), COM_OK);
  EXPECT_STREQ(reply, "fresh");
}

// A meter that misbehaves mid-stream, played line by line: `answer` gets
// each command heard (and how many commands came before it) and gives the
// bytes to say.  The exchange must come back with the answer to its own
// command or with an error, never with another command's reply.
struct HostileCase {
  const char* name;
  std::function<std::string(const std::string& command, int index)> answer;
  const char* command;
  int expectedResult;
  const char* expectedReply;
  int expectedAsks;  // how often the command was written
};

const std::string kStatusLine = "000000000000000000000000\r\n";

TEST_F(ComPortTest, AQueryIsAnsweredOnlyByAReplyOfItsShape) {
  const HostileCase cases[] = {
      {"the previous status comes again before the battery level",
       [](const std::string&, int index) { return index == 0 ? kStatusLine + "3\r\n" : std::string("3\r\n"); },
       ":SYST:BATT?", COM_OK, "3", 2},
      {"garbage once", [](const std::string&, int index) { return index == 0 ? "#%&?!\r\n" : kStatusLine; }, ":STAT?",
       COM_OK, "000000000000000000000000", 2},
      {"NUL bytes make an empty line", [](const std::string&, int) { return std::string("\0\0\0\r\n", 5); }, ":STAT?",
       COM_MISMATCH, "", 2},
      {"a 10 kB line, then the answer",
       [](const std::string&, int index) { return index == 0 ? std::string(10240, 'x') + "\r\n" : "1,2,3\r\n"; },
       ":FETCCNTDISP?", COM_OK, "1,2,3", 2},
      {"CMD ERR to every command", [](const std::string&, int) { return std::string("CMD ERR\r\n"); }, ":STAT?",
       COM_MISMATCH, "", 2},
      {"CMD ERR is the sub display's own answer", [](const std::string&, int) { return std::string("CMD ERR\r\n"); },
       ":CONF2?", COM_OK, "CMD ERR", 1},
      {"a reading where the configuration belongs",
       [](const std::string&, int index) { return index == 0 ? "15000,15000,1\r\n" : "DCV,6\r\n"; }, ":CONF?", COM_OK,
       "DCV,6", 2},
      {"a setting takes any line", [](const std::string&, int) { return std::string("whatever\r\n"); }, ":SYST:REL 1",
       COM_OK, "whatever", 1},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(ComOpen(kPort));
    std::atomic<int> asks{0};
    std::atomic<bool> done{false};
    const std::string line = std::string(c.command) + "\r\n";
    std::thread meter([&] {
      while (!done) {
        if (Heard(line.size()) != line) continue;
        Say(c.answer(c.command, asks++));
      }
    });
    char reply[32];
    EXPECT_EQ(ComQuery(c.command, reply, sizeof reply), c.expectedResult);
    EXPECT_STREQ(reply, c.expectedReply);
    done = true;
    meter.join();
    EXPECT_EQ(asks, c.expectedAsks);
    EXPECT_TRUE(ComIsOpen()) << "a reply of the wrong shape leaves the port open";
  }
}

TEST_F(ComPortTest, InputWaitingBeforeAQueryIsDropped) {
  Say("stale line\r\n3\r\n");
  std::thread meter([&] {
    EXPECT_EQ(Heard(8), ":STAT?\r\n");
    Say(kStatusLine);
  });
  char reply[32];
  EXPECT_EQ(ComQuery(":STAT?", reply, sizeof reply), COM_OK);
  meter.join();
  EXPECT_STREQ(reply, "000000000000000000000000");
}

TEST(ComPortNumbers, OutOfRangeNumbersAreRefusedBeforeAnyDevice) {
  TempPortFolder folder;
  // Each refused number has a working device behind it; only the number
  // check can make the open fail.
  for (const int port : {0, 257, 1000, -1}) {
    std::filesystem::create_symlink("/dev/ptmx", VirtualPortLink(port));
    EXPECT_FALSE(ComOpen(port)) << port;
    EXPECT_FALSE(ComIsOpen());
  }
}

TEST(ComPortNumbers, DeviceNames) {
  EXPECT_EQ(WindowsDeviceName(1), "COM1");
  EXPECT_EQ(WindowsDeviceName(9), "COM9");
  EXPECT_EQ(WindowsDeviceName(10), "\\\\.\\COM10");
  EXPECT_EQ(WindowsDeviceName(12), "\\\\.\\COM12");

  TempPortFolder folder;
  EXPECT_EQ(LinuxDevicePath(1), "/dev/ttyUSB0");
  EXPECT_EQ(LinuxDevicePath(12), "/dev/ttyUSB11");
  std::filesystem::create_symlink("/dev/null", VirtualPortLink(12));
  EXPECT_EQ(LinuxDevicePath(12), folder.Path() / "COM12");
}

TEST(ComPortNumbers, ClosedPortQueriesFailWithoutReading) {
  ComClose();
  char reply[32] = "unchanged";
  EXPECT_EQ(ComQuery("QPID", reply, sizeof reply), COM_SENDFAIL);
  EXPECT_STREQ(reply, "unchanged");
  unsigned char byte;
  EXPECT_EQ(ComReadByte(&byte), COM_ERROR);
}

}  // namespace

#include "link/com_port.h"

#include <array>
#include <cstring>

#include "link/reply_shape.h"
#include "link/serial_device.h"

std::atomic<int> longReplyWait{0};

namespace {

LineSettings lineSettings;
PortRefusal openRefusal = PortRefusal::none;

// Bytes taken from the device but not yet handed out.  They stay here for
// the next read, so a line cut short by a full buffer loses nothing.
std::array<std::uint8_t, 4096> received;
std::size_t receivedHead = 0;
std::size_t receivedTail = 0;

constexpr auto kReplyLimit = std::chrono::seconds(2);
constexpr auto kLongReplyLimit = std::chrono::seconds(10);
// After a reply that does not answer its command, the line counts as quiet
// again when nothing has come for this long (a 32-byte line takes 17 ms at
// 19200 bit/s, 34 ms at 9600).
constexpr auto kQuietTime = std::chrono::milliseconds(60);

// Write time-out of the line: 2 ms a byte plus 2 s.
SerialClock::time_point WriteDeadline(std::size_t size) {
  return SerialClock::now() + std::chrono::milliseconds(2 * size + 2000);
}

// Hands out the next received byte, waiting for the device until `deadline`.
int NextByte(std::uint8_t& byte, SerialClock::time_point deadline) {
  if (receivedHead == receivedTail) {
    const ReadOutcome outcome = SerialRead(received.data(), received.size(), deadline);
    if (outcome.status == ReadStatus::Failed) {
      ComClose();
      return COM_ERROR;
    }
    if (outcome.status == ReadStatus::TimedOut) {
      ComClose();
      return COM_TIMEOUT;
    }
    receivedHead = 0;
    receivedTail = outcome.count;
  }
  byte = received[receivedHead++];
  return COM_OK;
}

// Drops what was received and not yet read: it answers no command still to
// be written.
void DiscardInput() {
  receivedHead = receivedTail = 0;
  SerialDiscardInput();
}

// Drops input until the line has been quiet for kQuietTime; false when it is
// still talking after the reply time limit.
bool DrainUntilQuiet() {
  DiscardInput();
  const auto limit = SerialClock::now() + kReplyLimit;
  std::array<std::uint8_t, 256> dropped;
  while (SerialClock::now() < limit) {
    const ReadOutcome outcome = SerialRead(dropped.data(), dropped.size(), SerialClock::now() + kQuietTime);
    if (outcome.status == ReadStatus::TimedOut) return true;
    if (outcome.status == ReadStatus::Failed) return false;
  }
  return false;
}

}  // namespace

void ComSetLine(int speed) { lineSettings.speed = speed; }

bool ComOpen(int port) {
  openRefusal = PortRefusal::none;
  if (port < kFirstComPort || port > kLastComPort) return false;
  ComClose();
  return SerialOpen(port, lineSettings, openRefusal);
}

PortRefusal ComOpenRefusal() { return openRefusal; }

void ComClose() {
  SerialClose();
  receivedHead = receivedTail = 0;
}

bool ComIsOpen() { return SerialIsOpen(); }

bool ComWrite(const char* command) {
  DiscardInput();
  static constexpr std::uint8_t kLineEnd[] = {'\r', '\n'};
  const std::size_t size = std::strlen(command);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(command);
  if (SerialWrite(bytes, size, WriteDeadline(size)) &&
      SerialWrite(kLineEnd, sizeof kLineEnd, WriteDeadline(sizeof kLineEnd))) {
    return true;
  }
  SerialPurgeOutput();
  return false;
}

int ComReadLine(char* buffer, std::size_t capacity) {
  // A buffer without room for one character and the terminator cannot hold
  // any reply; say so rather than write past it.
  if (capacity < 2) {
    if (capacity == 1) buffer[0] = '\0';
    return COM_OVERFLOW;
  }
  const auto deadline = SerialClock::now() + (longReplyWait ? kLongReplyLimit : kReplyLimit);
  std::size_t length = 0;
  int result;
  for (;;) {
    std::uint8_t byte;
    result = NextByte(byte, deadline);
    if (result != COM_OK) break;
    if (byte >= 0x20) {
      buffer[length++] = static_cast<char>(byte);
      if (length >= capacity - 1) {
        result = COM_OVERFLOW;
        break;
      }
    } else if (byte == '\n') {
      break;
    }
    // The limit counts from the start of the read, so a stream of bytes that
    // never ends a line cannot hold the reader past it.
    if (SerialClock::now() >= deadline) {
      ComClose();
      result = COM_TIMEOUT;
      break;
    }
  }
  buffer[length] = '\0';
  return result;
}

int ComReadByte(unsigned char* byte) { return NextByte(*byte, SerialClock::now() + kReplyLimit); }

int ComQuery(const char* command, char* reply, std::size_t capacity) {
  // A query is asked once more after a reply that does not answer it: one
  // stray line must not end a connection, nor shift every later reply.
  const int attempts = HasReplyShape(command) ? 2 : 1;
  int result = COM_SENDFAIL;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (!ComWrite(command)) return COM_SENDFAIL;
    result = ComReadLine(reply, capacity);
    if (result == COM_OK && !ReplyFits(command, reply)) result = COM_MISMATCH;
    if (result != COM_OVERFLOW && result != COM_MISMATCH) return result;
    if (!DrainUntilQuiet()) break;
  }
  // Never hand a reply that does not answer the command to the caller.
  if (result == COM_MISMATCH && capacity > 0) reply[0] = '\0';
  return result;
}

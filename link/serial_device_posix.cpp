// termios implementation of the port.  The descriptor is non-blocking and
// every wait is a poll() against a monotonic deadline: no spinning, and a
// reply is handed over the moment its bytes arrive.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "link/port_names.h"
#include "link/serial_device.h"

namespace {

int descriptor = -1;

speed_t SpeedConstant(int speed) {
  switch (speed) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return B0;
  }
}

// 8N1, raw bytes, no flow control of any kind.
bool ApplyLineSettings(int fd, const LineSettings& settings) {
  const speed_t speed = SpeedConstant(settings.speed);
  termios tio{};
  if (speed == B0 || tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CREAD | CLOCAL;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | IGNBRK | PARMRK);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  return cfsetispeed(&tio, speed) == 0 && cfsetospeed(&tio, speed) == 0 && tcsetattr(fd, TCSANOW, &tio) == 0;
}

// DTR held low, RTS high.  Pseudo-terminals have no modem lines; their
// refusal is not an error.
bool SetModemLines(int fd) {
  auto set = [fd](unsigned long request, int line) {
    return ioctl(fd, request, &line) == 0 || errno == ENOTTY || errno == EINVAL || errno == ENOTSUP;
  };
  return set(TIOCMBIC, TIOCM_DTR) && set(TIOCMBIS, TIOCM_RTS);
}

// Time left until `deadline`, never negative.
timespec TimeLeft(SerialClock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - SerialClock::now());
  if (left.count() <= 0) return {0, 0};
  return {static_cast<time_t>(left.count() / 1000000000), static_cast<long>(left.count() % 1000000000)};
}

enum class Ready { Yes, TimedOut, HungUp, Failed };

Ready WaitFor(short events, SerialClock::time_point deadline) {
  for (;;) {
    pollfd entry{descriptor, events, 0};
    const timespec left = TimeLeft(deadline);
    const int count = ppoll(&entry, 1, &left, nullptr);
    if (count < 0) {
      if (errno == EINTR) continue;
      return Ready::Failed;
    }
    if (count == 0) return Ready::TimedOut;
    if (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) return Ready::HungUp;
    return Ready::Yes;
  }
}

}  // namespace

bool SerialOpen(int port, const LineSettings& settings, PortRefusal& refusal) {
  refusal = PortRefusal::none;
  const int fd = open(LinuxDevicePath(port).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    // EBUSY: another program opened it for its own use (TIOCEXCL).
    if (errno == EACCES || errno == EPERM) refusal = PortRefusal::denied;
    if (errno == EBUSY) refusal = PortRefusal::busy;
    return false;
  }
  // Exclusive use, like a COM port opened without sharing.  A lock rather
  // than TIOCEXCL: that one outlives us on a pseudo-terminal kept open by
  // its server and would shut out the next user.
  const bool locked = isatty(fd) && flock(fd, LOCK_EX | LOCK_NB) == 0;
  if (!locked && errno == EWOULDBLOCK) refusal = PortRefusal::busy;
  const bool ready = locked && ApplyLineSettings(fd, settings) && SetModemLines(fd) && tcflush(fd, TCIOFLUSH) == 0;
  if (!ready) {
    close(fd);
    return false;
  }
  descriptor = fd;
  return true;
}

void SerialClose() {
  if (descriptor >= 0) close(descriptor);
  descriptor = -1;
}

bool SerialIsOpen() { return descriptor >= 0; }

bool SerialWrite(const std::uint8_t* data, std::size_t size, SerialClock::time_point deadline) {
  if (descriptor < 0) return false;
  while (size > 0) {
    const ssize_t written = write(descriptor, data, size);
    if (written > 0) {
      data += written;
      size -= static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno != EAGAIN) return false;
    if (WaitFor(POLLOUT, deadline) != Ready::Yes) return false;
  }
  return true;
}

void SerialPurgeOutput() {
  if (descriptor >= 0) tcflush(descriptor, TCOFLUSH);
}

void SerialDiscardInput() {
  if (descriptor >= 0) tcflush(descriptor, TCIFLUSH);
}

ReadOutcome SerialRead(std::uint8_t* buffer, std::size_t capacity, SerialClock::time_point deadline) {
  if (descriptor < 0) return {ReadStatus::Failed, 0};
  // A raw tty answers "nothing yet" with 0 rather than EAGAIN, so the end of
  // the device is learnt from poll(); what arrived before it is still read.
  bool hungUp = false;
  for (;;) {
    const ssize_t count = read(descriptor, buffer, capacity);
    if (count > 0) return {ReadStatus::Data, static_cast<std::size_t>(count)};
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && errno != EAGAIN) return {ReadStatus::Failed, 0};
    if (hungUp) return {ReadStatus::Failed, 0};
    switch (WaitFor(POLLIN, deadline)) {
      case Ready::Yes:
        break;
      case Ready::HungUp:
        hungUp = true;
        break;
      case Ready::TimedOut:
        return {ReadStatus::TimedOut, 0};
      case Ready::Failed:
        return {ReadStatus::Failed, 0};
    }
  }
}

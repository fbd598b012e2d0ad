#include "sim/pty_meter.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "link/commands.h"
#include "link/port_names.h"

namespace fs = std::filesystem;

namespace {

// What a client reads when its speed does not match the meter's, or when
// the line is noisy: framing garbage of every kind, then a line end.
// Longer than any reply buffer by far: ten kilobytes.
constexpr std::size_t kOverlongLine = 10 * 1024;
const std::string kGarbage("\xfe\x80\x00\x13\xf8\x7f\xe0\x1b\x11\xff\r\n", 12);
constexpr std::size_t kLongestCommand = 256;

int SpeedOf(speed_t constant) {
  switch (constant) {
    case B1200:
      return 1200;
    case B2400:
      return 2400;
    case B4800:
      return 4800;
    case B9600:
      return 9600;
    case B19200:
      return 19200;
    case B38400:
      return 38400;
    case B57600:
      return 57600;
    case B115200:
      return 115200;
    default:
      return 0;
  }
}

std::runtime_error SystemError(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

// Registers `device` as COM<port>; a link to a live device is somebody else's.
void Register(int port, const std::string& device) {
  // The virtual link would hide the real adapter of the same number.
  if (fs::exists("/dev/ttyUSB" + std::to_string(port - 1))) {
    throw std::runtime_error("COM" + std::to_string(port) + " belongs to a USB-serial adapter here");
  }
  const fs::path link = VirtualPortLink(port);
  fs::create_directories(link.parent_path());
  std::error_code error;
  if (fs::is_symlink(link, error)) {
    struct stat target;
    if (stat(link.c_str(), &target) == 0 && S_ISCHR(target.st_mode)) {
      throw std::runtime_error("COM" + std::to_string(port) + " is already served (" + link.string() + ")");
    }
    fs::remove(link);
  }
  fs::create_symlink(device, link);
}

}  // namespace

PtyMeter::PtyMeter(VirtualMeter meter, int port, int speed) : meter_(std::move(meter)), port_(port), speed_(speed) {
  if (port < 1 || port > 256) throw std::runtime_error("port number must be 1-256");
  Open();
}

PtyMeter::~PtyMeter() { Close(); }

std::string PtyMeter::DevicePath() const {
  std::lock_guard lock(mutex_);
  return devicePath_;
}

void PtyMeter::SetFault(FaultRule rule) {
  std::lock_guard lock(mutex_);
  rule_ = std::move(rule);
}

void PtyMeter::HangUp() { Close(); }

void PtyMeter::PlugIn() {
  Close();
  Open();
}

std::vector<HeardCommand> PtyMeter::Heard() const {
  std::lock_guard lock(mutex_);
  return heard_;
}

void PtyMeter::OnHeard(std::function<void(const HeardCommand&)> listener) {
  std::lock_guard lock(mutex_);
  listener_ = std::move(listener);
}

void PtyMeter::WithMeter(const std::function<void(VirtualMeter&)>& change) {
  std::lock_guard lock(mutex_);
  change(meter_);
}

void PtyMeter::Open() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) throw SystemError("posix_openpt");
  char name[128];
  if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
    const auto error = SystemError("pseudo-terminal");
    CloseDescriptors();
    throw error;
  }
  slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  wake_ = eventfd(0, EFD_CLOEXEC);
  termios tio{};
  if (slave_ < 0 || wake_ < 0 || tcgetattr(slave_, &tio) != 0) {
    const auto error = SystemError(name);
    CloseDescriptors();
    throw error;
  }
  cfmakeraw(&tio);
  tcsetattr(slave_, TCSANOW, &tio);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  {
    std::lock_guard lock(mutex_);
    devicePath_ = name;
  }
  try {
    Register(port_, name);
  } catch (...) {
    CloseDescriptors();
    throw;
  }
  server_ = std::thread(&PtyMeter::Serve, this);
}

void PtyMeter::Close() {
  if (server_.joinable()) {
    if (wake_ >= 0) {
      const std::uint64_t one = 1;
      [[maybe_unused]] auto ignored = write(wake_, &one, sizeof one);
    }
    server_.join();
  }
  Unplug();
  CloseDescriptors();
}

void PtyMeter::CloseDescriptors() {
  for (int* fd : {&master_, &slave_, &wake_}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
}

void PtyMeter::Unplug() {
  for (int* fd : {&master_, &slave_}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
  // Only our own link: after a hang-up another server may own the name.
  std::error_code error;
  const fs::path link = VirtualPortLink(port_);
  if (fs::read_symlink(link, error) == DevicePath()) fs::remove(link, error);
}

bool PtyMeter::Pause(std::chrono::milliseconds time) {
  pollfd wake{wake_, POLLIN, 0};
  return poll(&wake, 1, static_cast<int>(time.count())) == 0;
}

int PtyMeter::ClientSpeed() const {
  termios tio{};
  return tcgetattr(slave_, &tio) == 0 ? SpeedOf(cfgetospeed(&tio)) : 0;
}

void PtyMeter::Send(const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t count = write(master_, bytes.data() + sent, bytes.size() - sent);
    if (count > 0) {
      sent += static_cast<std::size_t>(count);
    } else if (count < 0 && errno == EINTR) {
      continue;
    } else if (count < 0 && errno == EAGAIN) {
      // The client is not reading; a real meter's output would be lost too.
      pollfd out[2] = {{master_, POLLOUT, 0}, {wake_, POLLIN, 0}};
      if (poll(out, 2, 1000) <= 0 || (out[1].revents & POLLIN)) return;
    } else {
      return;
    }
  }
}

void PtyMeter::Serve() {
  std::string line;
  char chunk[512];
  for (;;) {
    pollfd fds[2] = {{master_, POLLIN, 0}, {wake_, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents & POLLIN) return;
    if (!(fds[0].revents & POLLIN)) continue;
    const ssize_t count = read(master_, chunk, sizeof chunk);
    if (count <= 0) continue;
    for (ssize_t i = 0; i < count; ++i) {
      const char c = chunk[i];
      if (c == '\n') {
        HandleLine(line);
        line.clear();
        if (master_ < 0) return;  // hung up
      } else if (c != '\r' && line.size() < kLongestCommand) {
        line += c;
      }
    }
  }
}

void PtyMeter::HandleLine(const std::string& line) {
  const int clientSpeed = ClientSpeed();
  LineFault fault;
  std::chrono::milliseconds lateBy;
  MeterReply reply;
  {
    std::lock_guard lock(mutex_);
    heard_.push_back({line, clientSpeed});
    if (listener_) listener_(heard_.back());  // under the lock: heard in order
    const bool hits = rule_.onlyFor.empty() || rule_.onlyFor == line;
    fault = hits ? rule_.fault : LineFault::None;
    lateBy = rule_.lateBy;
    if (hits && rule_.times > 0 && --rule_.times == 0) rule_ = FaultRule{};
    if (clientSpeed == speed_ && fault != LineFault::CommandError) reply = meter_.Answer(line);
    // A held-back answer comes before whatever this command gets.
    if (fault == LineFault::LagOne) {
      std::swap(reply.bytes, lagged_);
    } else if (!lagged_.empty()) {
      reply.bytes.insert(0, lagged_);
      lagged_.clear();
    }
  }
  if (clientSpeed != speed_) {
    Send(kGarbage);
    return;
  }
  switch (fault) {
    case LineFault::None:
      if (Pause(reply.delay)) Send(reply.bytes);
      return;
    case LineFault::NoAnswer:
      return;
    case LineFault::LateAnswer:
      if (Pause(lateBy)) Send(reply.bytes);
      return;
    case LineFault::CommandError:
      Send(std::string(command::kCommandError) + "\r\n");
      return;
    case LineFault::OverlongLine:
      Send(std::string(kOverlongLine, '9') + "\r\n");
      return;
    case LineFault::Garbage:
      Send(kGarbage);
      return;
    case LineFault::CutShort:
      if (Pause(reply.delay)) Send(reply.bytes.substr(0, reply.bytes.size() / 2));
      return;
    case LineFault::AnswerTwice:
      if (Pause(reply.delay)) Send(reply.bytes + reply.bytes);
      return;
    case LineFault::LagOne:
      if (Pause(reply.delay)) Send(reply.bytes);
      return;
    case LineFault::NulBytes:
      Send(std::string(4, '\0') + "\r\n");
      return;
    case LineFault::HangUp:
      // The server thread pulls its own cable; the owner joins it later.
      Unplug();
      return;
  }
}

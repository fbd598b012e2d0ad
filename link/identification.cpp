#include "link/identification.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "link/com_port.h"
#include "link/commands.h"

namespace {

std::mutex identityMutex;
MeterIdentity identity;
std::optional<RefusedPort> refusedPort;  // under identityMutex

std::atomic<int> scanCancel{0};
// A check-window scan and a re-check scan that is still finishing must not
// use the port at the same time; the second waits for the first.
std::mutex scanMutex;

constexpr std::size_t kSerialLimit = 31;
constexpr std::size_t kVersionLimit = 14;
constexpr std::size_t kIdReplyCapacity = 72;

void ForgetRefusedPort() {
  std::lock_guard lock(identityMutex);
  refusedPort.reset();
}

// Keeps the scan's first refused port: the one the user is told of.
void NoteRefusedPort(int port, PortRefusal refusal) {
  RefusedPort refused = DescribeRefusedPort(port, refusal);
  std::lock_guard lock(identityMutex);
  if (!refusedPort) refusedPort = std::move(refused);
}

int ProbeUnlocked(int port) {
  char reply[kIdReplyCapacity] = {};
  const int currentSpeed = CurrentIdentity().currentSpeed;
  for (const int speed : ProbeSpeeds(currentSpeed)) {
    ComSetLine(speed);
    if (!ComOpen(port)) {
      if (ComOpenRefusal() == PortRefusal::none) continue;
      NoteRefusedPort(port, ComOpenRefusal());
      return 1;  // another speed would be refused alike
    }
    auto answered = [&](const char* command) {
      const int result = ComQuery(command, reply, sizeof reply);
      return result != COM_ERROR && result != COM_TIMEOUT;
    };
    // The first answer to "QPID" is not trusted; the second names the model.
    if (!answered(command::kProductId) || !answered(command::kProductId)) continue;
    const int model = ModelIndexOfName(reply);
    if (model == kNoModel) {
      SetModelIndex(kNoModel);
      ComClose();
      continue;
    }
    const int idn = ComQuery(command::kIdentify, reply, sizeof reply);
    ComClose();
    if (idn != COM_OK) {
      SetModelIndex(model);  // the name matched; only the identity is missing
      continue;
    }
    const IdnFields fields = ParseIdnReply(reply);
    std::lock_guard lock(identityMutex);
    identity.serialNumber = fields.serialNumber;
    identity.firmwareVersion = fields.firmwareVersion;
    identity.modelIndex = model;
    identity.currentPort = port;
    identity.currentSpeed = speed;
    return 0;
  }
  return 1;
}

}  // namespace

int ModelIndexOfName(std::string_view name) {
  const auto found = std::find(kModelNames.begin(), kModelNames.end(), name);
  return static_cast<int>(found - kModelNames.begin());
}

MeterIdentity CurrentIdentity() {
  std::lock_guard lock(identityMutex);
  return identity;
}

void SetCurrentPort(int port) {
  std::lock_guard lock(identityMutex);
  identity.currentPort = port;
}

void SetCurrentSpeed(int speed) {
  std::lock_guard lock(identityMutex);
  identity.currentSpeed = speed;
}

void SetModelIndex(int modelIndex) {
  std::lock_guard lock(identityMutex);
  identity.modelIndex = modelIndex;
}

IdnFields ParseIdnReply(std::string_view reply) {
  IdnFields fields;
  const auto commas = std::count(reply.begin(), reply.end(), ',');
  std::size_t at = 0;
  for (int field = 0; field < 2; ++field) {
    at = std::min(reply.find(',', at), reply.size());
    at = std::min(at + 1, reply.size());
  }
  if (commas >= 3) {
    const std::size_t end = std::min(reply.find(',', at), reply.size());
    fields.serialNumber = std::string(reply.substr(at, std::min(end - at, kSerialLimit)));
    at = std::min(end + 1, reply.size());
  }
  if (at < reply.size() && reply[at] == ' ') ++at;
  at = std::min(at + 4, reply.size());  // the version's prefix, e.g. "Ver "
  fields.firmwareVersion = std::string(reply.substr(at, kVersionLimit));
  return fields;
}

std::optional<int> FirmwareNumber(std::string_view version) {
  auto digit = [&](std::size_t i) -> std::optional<int> {
    if (i >= version.size() || version[i] < '0' || version[i] > '9') return std::nullopt;
    return version[i] - '0';
  };
  const auto major = digit(0), tenths = digit(2), hundredths = digit(3);
  if (!major || !tenths || !hundredths) return std::nullopt;
  return 100 * *major + 10 * *tenths + *hundredths;
}

bool FirmwareSupported(int modelIndex, std::string_view version) {
  if (!IsRv736x(modelIndex)) return true;
  const auto number = FirmwareNumber(version);
  return number && *number >= kOldestSupportedFirmware;
}

std::array<int, 2> ProbeSpeeds(int currentSpeed) {
  if (currentSpeed == 19200) return {19200, 9600};
  return {9600, 19200};
}

int ProbePort(int port) {
  std::lock_guard lock(scanMutex);
  ForgetRefusedPort();
  return ProbeUnlocked(port);
}

int ScanPorts(const std::vector<_COM_LIST>& list, int currentPort, const std::function<int(int)>& probe,
              const std::function<bool()>& cancelled) {
  const std::size_t count = list.size();
  const auto first =
      std::find_if(list.begin(), list.end(), [&](const _COM_LIST& entry) { return entry.port == currentPort; });
  const std::size_t start = first == list.end() ? 0 : static_cast<std::size_t>(first - list.begin());
  for (std::size_t i = 0; i < count; ++i) {
    if (cancelled()) return 1;
    if (probe(list[(start + i) % count].port) == 0) return 0;
  }
  return 1;
}

int ScanForMeter() {
  std::lock_guard lock(scanMutex);
  scanCancel = 0;
  ForgetRefusedPort();
  return ScanPorts(ComList(), CurrentIdentity().currentPort, ProbeUnlocked, [] { return scanCancel != 0; });
}

void CancelScan() { scanCancel = 1; }

std::optional<RefusedPort> LastRefusedPort() {
  std::lock_guard lock(identityMutex);
  return refusedPort;
}

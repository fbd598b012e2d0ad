// Which port the meter is on, at which speed it talks, what it is.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/models.h"
#include "link/com_list.h"
#include "link/port_refusal.h"

// Model names in ModelIndex order, as the meter answers "QPID".
inline constexpr std::array<std::string_view, kModelCount> kModelNames = {
    "RV7321", "RV7322", "RV7323", "RV7324", "RV7325", "RV7326", "RV7341", "RV734X", "RV7361", "RV7362"};

// The name of `model`, or `otherwise` for an index that names no model
// (kNoModel, or a number read from a file).
constexpr std::string_view ModelNameOr(int model, std::string_view otherwise) {
  return model >= 0 && model < kModelCount ? kModelNames[static_cast<std::size_t>(model)] : otherwise;
}

// ModelIndex of a name, kNoModel when it is none of them (exact, case-sensitive).
int ModelIndexOfName(std::string_view name);

// Process-wide identification state.
struct MeterIdentity {
  int currentPort = 1000;
  int currentSpeed = 19200;
  int modelIndex = kDefaultModel;
  std::string serialNumber;     // at most 31 characters
  std::string firmwareVersion;  // at most 14 characters
};
MeterIdentity CurrentIdentity();
void SetCurrentPort(int port);
void SetCurrentSpeed(int speed);
void SetModelIndex(int modelIndex);

// Fields 3 and 4 of an "*IDN?" reply.
struct IdnFields {
  std::string serialNumber;
  std::string firmwareVersion;
};
IdnFields ParseIdnReply(std::string_view reply);

// 100 x major + the two minor digits ("1.04" -> 104); nothing when the
// characters 0, 2 and 3 are not digits.
std::optional<int> FirmwareNumber(std::string_view version);
inline constexpr int kOldestSupportedFirmware = 83;
inline constexpr std::u16string_view kOldestSupportedVersion = u"0.83";  // as the messages name it
// The RV736X meters need firmware 0.83 or later; the others are always accepted.
bool FirmwareSupported(int modelIndex, std::string_view version);

// Speeds in the order a probe tries them: the current one first.
std::array<int, 2> ProbeSpeeds(int currentSpeed);

// Identifies a meter on `port`: 0 found (identity updated), 1 not.
int ProbePort(int port);

// Probes the COM list, starting at the current port: 0 found, 1 not or cancelled.
int ScanForMeter();
// Makes a running scan give up before its next port (device change).
void CancelScan();
// The first port that the last probe or scan found there but could not
// open (no right to it, or another program holds it); nothing when none.
std::optional<RefusedPort> LastRefusedPort();

// The scan's loop over `list`, with the probe and cancel flag supplied.
int ScanPorts(const std::vector<_COM_LIST>& list, int currentPort, const std::function<int(int)>& probe,
              const std::function<bool()>& cancelled);

// The list of candidate ports: the meters' USB-serial adapters the system
// knows of, then the virtual meters' ports.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct _COM_LIST {
  std::u16string name;  // friendly name, ending in "(COM" n ")"
  int port = 0;         // n
  bool operator==(const _COM_LIST&) const = default;
};

// What the operating system tells of one device.
struct DeviceRecord {
  std::u16string className;
  bool statusKnown = true;  // the device node status could be read
  int problemCode = 0;      // 22: disabled
  std::u16string friendlyName;
};

inline constexpr int kProblemDisabled = 22;

// Port number in a friendly name: the digits after "(COM", ")" ignored.
int PortNumberOfFriendlyName(const std::u16string& name);

// Keeps the present, enabled ports of the meters' adapter, in order.
std::vector<_COM_LIST> BuildComList(const std::vector<DeviceRecord>& devices);

// The devices of the system (platform implementation).
std::vector<DeviceRecord> ListSystemSerialDevices();
#ifndef _WIN32
// Serial devices as sysfs below `sysRoot` describes them.
std::vector<DeviceRecord> ListSerialDevices(const std::filesystem::path& sysRoot);
#endif

// Every "COM<n>" link of the virtual port folder whose target is a character
// device, in port order, named "Virtual meter (COM<n>)".
std::vector<_COM_LIST> ListVirtualPorts();

// Rebuilds the COM list from scratch.  A scan running meanwhile keeps the
// list it started with; it never sees a half-built one.
void EnumerateComPorts();
// The list as last built.
std::vector<_COM_LIST> ComList();

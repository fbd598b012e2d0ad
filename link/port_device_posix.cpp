#include <filesystem>

#include "link/port_device.h"
#include "link/port_names.h"

std::string PortDevice(int port) { return LinuxDevicePath(port).string(); }

bool PortExists(int port) {
  std::error_code error;
  return std::filesystem::exists(LinuxDevicePath(port), error);  // a link whose server has gone is no device
}

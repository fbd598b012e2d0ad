#include "link/port_names.h"

#include <cstdlib>

#include "base/decimal.h"
#include "link/com_port.h"

#ifndef _WIN32
#include <unistd.h>
#endif

std::string WindowsDeviceName(int port) {
  const std::string name = "COM" + std::to_string(port);
  return port <= 9 ? name : "\\\\.\\" + name;
}

std::filesystem::path VirtualPortFolder() {
  if (const char* dir = std::getenv("RV7300S_PORT_DIR"); dir && *dir) return dir;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    return std::filesystem::path(runtime) / "rv7300s" / "ports";
  }
#ifdef _WIN32
  return std::filesystem::temp_directory_path() / "rv7300s" / "ports";
#else
  return std::filesystem::path("/tmp") / ("rv7300s-" + std::to_string(getuid())) / "ports";
#endif
}

std::filesystem::path VirtualPortLink(int port) { return VirtualPortFolder() / ("COM" + std::to_string(port)); }

std::filesystem::path LinuxDevicePath(int port) {
  std::filesystem::path link = VirtualPortLink(port);
  std::error_code error;
  if (std::filesystem::is_symlink(link, error)) return link;
  return "/dev/ttyUSB" + std::to_string(port - 1);
}

std::optional<int> PortNumberOfLinkName(const std::string& name) {
  if (name.size() < 4 || name.compare(0, 3, "COM") != 0) return std::nullopt;
  const auto port = ParseDecimal(std::string_view(name).substr(3));
  if (!port || name[3] == '0' || *port < kFirstComPort || *port > kLastComPort) return std::nullopt;
  return port;
}

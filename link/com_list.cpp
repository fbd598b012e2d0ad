#include "link/com_list.h"

#include <algorithm>
#include <map>
#include <mutex>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "base/text_helpers.h"
#include "link/port_names.h"

namespace {
std::mutex listMutex;
std::vector<_COM_LIST> current;
}  // namespace

int PortNumberOfFriendlyName(const std::u16string& name) {
  const auto at = name.find(u"(COM");
  if (at == std::u16string::npos) return 0;
  int port = 0;
  for (std::size_t i = at + 4; i < name.size(); ++i) {
    const char16_t c = name[i];
    if (c == u')') continue;
    if (c < u'0' || c > u'9') break;
    port = port * 10 + (c - u'0');
    if (port > 100000) break;  // no COM port has such a number; stop before overflow
  }
  return port;
}

std::vector<_COM_LIST> BuildComList(const std::vector<DeviceRecord>& devices) {
  std::vector<_COM_LIST> list;
  for (const DeviceRecord& device : devices) {
    if (device.className.find(u"Ports") == std::u16string::npos) continue;
    if (!device.statusKnown || device.problemCode == kProblemDisabled) continue;
    if (device.friendlyName.find(u"(COM") == std::u16string::npos) continue;
    if (device.friendlyName.find(u"Prolific") == std::u16string::npos) continue;
    list.push_back({device.friendlyName, PortNumberOfFriendlyName(device.friendlyName)});
  }
  return list;
}

#ifdef _WIN32
// Virtual meters are served on Linux only.
std::vector<_COM_LIST> ListVirtualPorts() { return {}; }
#else
std::vector<_COM_LIST> ListVirtualPorts() {
  std::map<int, _COM_LIST> ports;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(VirtualPortFolder(), error)) {
    const auto port = PortNumberOfLinkName(entry.path().filename().string());
    if (!port || !entry.is_symlink(error)) continue;
    // A link left behind by a server that died points nowhere: not a port.
    struct stat target;
    if (stat(entry.path().c_str(), &target) != 0 || !S_ISCHR(target.st_mode)) continue;
    ports[*port] = {u"Virtual meter (COM" + NumberText(*port) + u")", *port};
  }
  std::vector<_COM_LIST> list;
  for (auto& [port, entry] : ports) list.push_back(std::move(entry));
  return list;
}
#endif

void EnumerateComPorts() {
  std::vector<_COM_LIST> fresh = BuildComList(ListSystemSerialDevices());
  for (_COM_LIST& entry : ListVirtualPorts()) fresh.push_back(std::move(entry));
  std::lock_guard lock(listMutex);
  current.swap(fresh);
}

std::vector<_COM_LIST> ComList() {
  std::lock_guard lock(listMutex);
  return current;
}

#include <windows.h>

#include "link/port_device.h"
#include "link/port_names.h"

std::string PortDevice(int port) { return WindowsDeviceName(port); }

// The DOS device "COMn" is defined while its driver serves the port (an
// unplugged USB adapter's name goes with it).
bool PortExists(int port) {
  const std::wstring name = L"COM" + std::to_wstring(port);
  wchar_t target[MAX_PATH];
  return QueryDosDeviceW(name.c_str(), target, MAX_PATH) != 0 || GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

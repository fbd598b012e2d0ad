// The system's serial devices through the device-setup API.
// windows.h first: the others use its types.
#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>

#include "link/com_list.h"

namespace {

// A string registry property of a device, or empty.
std::u16string DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA& info, DWORD property) {
  wchar_t text[256] = {};  // 512 bytes
  if (!SetupDiGetDeviceRegistryPropertyW(set, &info, property, nullptr, reinterpret_cast<PBYTE>(text),
                                         sizeof text - sizeof(wchar_t), nullptr)) {
    return {};
  }
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

}  // namespace

std::vector<DeviceRecord> ListSystemSerialDevices() {
  std::vector<DeviceRecord> records;
  const HDEVINFO set = SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
  if (set == INVALID_HANDLE_VALUE) return records;
  SP_DEVINFO_DATA info{};
  info.cbSize = sizeof info;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &info); ++i) {
    DeviceRecord record;
    record.className = DeviceProperty(set, info, SPDRP_CLASS);
    if (record.className.find(u"Ports") == std::u16string::npos) continue;
    ULONG status = 0, problem = 0;
    record.statusKnown = CM_Get_DevNode_Status(&status, &problem, info.DevInst, 0) == CR_SUCCESS;
    record.problemCode = static_cast<int>(problem);
    if (record.statusKnown && problem != kProblemDisabled) {
      record.friendlyName = DeviceProperty(set, info, SPDRP_FRIENDLYNAME);
    }
    records.push_back(std::move(record));
  }
  SetupDiDestroyDeviceInfoList(set);
  return records;
}

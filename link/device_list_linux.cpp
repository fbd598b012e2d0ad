// The meters' adapters as sysfs shows them.  Each ttyUSB<k> is port k+1; its
// friendly name is the one the adapter's driver gives it on the other
// platform, so that the same "Prolific" and "(COM n)" rules select it.
#include <algorithm>
#include <fstream>
#include <optional>

#include "base/decimal.h"
#include "base/utf16.h"
#include "link/com_list.h"

namespace fs = std::filesystem;

namespace {

std::string FirstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

struct SysfsTty {
  int index;  // k of ttyUSB<k>
  DeviceRecord record;
};

std::optional<SysfsTty> DescribeUsbSerial(const fs::directory_entry& tty) {
  const std::string name = tty.path().filename().string();
  if (name.rfind("ttyUSB", 0) != 0) return std::nullopt;
  const auto parsed = ParseDecimal(std::string_view(name).substr(6));
  if (!parsed || *parsed < 0) return std::nullopt;
  const int index = *parsed;
  std::error_code error;
  const fs::path device = fs::canonical(tty.path() / "device", error);
  if (error) return std::nullopt;  // gone while we looked
  const std::string driver = fs::read_symlink(device / "driver", error).filename().string();
  // device = the serial port; its parent the USB interface, then the USB device.
  const fs::path usbDevice = device.parent_path().parent_path();
  const bool disabled = FirstLine(usbDevice / "authorized") == "0";

  const std::string com = " (COM" + std::to_string(index + 1) + ")";
  std::string friendly;
  if (driver == "pl2303") {
    friendly = "Prolific USB-to-Serial Comm Port" + com;
  } else {
    friendly = driver + " USB Serial Port" + com;
  }
  return SysfsTty{index, {u"Ports", true, disabled ? kProblemDisabled : 0, Utf8ToUtf16(friendly)}};
}

}  // namespace

std::vector<DeviceRecord> ListSerialDevices(const fs::path& sysRoot) {
  std::vector<SysfsTty> found;
  std::error_code error;
  for (const auto& tty : fs::directory_iterator(sysRoot / "class" / "tty", error)) {
    if (auto described = DescribeUsbSerial(tty)) found.push_back(std::move(*described));
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.index < b.index; });
  std::vector<DeviceRecord> records;
  for (auto& tty : found) records.push_back(std::move(tty.record));
  return records;
}

std::vector<DeviceRecord> ListSystemSerialDevices() { return ListSerialDevices("/sys"); }

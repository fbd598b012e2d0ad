// Which devices become candidate ports, from the system's device records,
// from a sysfs tree, and from the virtual port folder.
#ifdef _WIN32
#include <initguid.h>  // defines the class GUIDs devguid.h declares
#include <windows.h>

#include <devguid.h>
#include <setupapi.h>
#endif

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "base/tests/environment.h"
#include "base/utf16.h"
#include "link/com_list.h"
#include "link/port_names.h"
#include "link/tests/temp_port_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(FriendlyName, PortNumberIsTheDigitsAfterCom) {
  const std::pair<std::u16string, int> cases[] = {
      {u"Prolific USB-to-Serial Comm Port (COM12)", 12},
      {u"Prolific USB-to-Serial Comm Port (COM3)", 3},
      {u"Port (COM)", 0},
      {u"Port (COM7) extra (COM9)", 7},
      {u"Port (COM))4)", 4},  // every ")" is removed before parsing
      {u"Port (COM12x3)", 12},
      {u"no port here", 0},
  };
  for (const auto& [name, port] : cases) EXPECT_EQ(PortNumberOfFriendlyName(name), port) << Utf16ToUtf8(name);
}

TEST(BuildComList, KeepsPresentEnabledProlificPortsInOrder) {
  const std::vector<DeviceRecord> devices = {
      {u"Ports", true, 0, u"Prolific USB-to-Serial Comm Port (COM12)"},
      {u"Ports", true, 0, u"USB Serial Port (COM4)"},  // another maker
      {u"Ports", true, kProblemDisabled, u"Prolific USB-to-Serial Comm Port (COM5)"},
      {u"Ports", false, 0, u"Prolific USB-to-Serial Comm Port (COM6)"},  // status unreadable
      {u"Mouse", true, 0, u"Prolific mouse (COM7)"},                     // not a port
      {u"Ports", true, 0, u"Prolific without a number"},
      {u"Ports", true, 10, u"Prolific USB-to-Serial Comm Port (COM3)"},  // other problems pass
  };
  const std::vector<_COM_LIST> expected = {
      {u"Prolific USB-to-Serial Comm Port (COM12)", 12},
      {u"Prolific USB-to-Serial Comm Port (COM3)", 3},
  };
  EXPECT_EQ(BuildComList(devices), expected);
}

#ifdef _WIN32
// A device node of the class Ports, made in the system's device set for
// the test's length and removed after it.
class RegisteredPort {
 public:
  RegisteredPort(const wchar_t* instance, const std::wstring& friendlyName)
      : set_(SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_PORTS, nullptr)) {
    info_.cbSize = sizeof info_;
    made_ = SetupDiCreateDeviceInfoW(set_, instance, &GUID_DEVCLASS_PORTS, nullptr, nullptr, 0, &info_) &&
            SetupDiRegisterDeviceInfo(set_, &info_, 0, nullptr, nullptr, nullptr) &&
            SetupDiSetDeviceRegistryPropertyW(set_, &info_, SPDRP_FRIENDLYNAME,
                                              reinterpret_cast<const BYTE*>(friendlyName.c_str()),
                                              static_cast<DWORD>((friendlyName.size() + 1) * sizeof(wchar_t)));
    error_ = made_ ? 0 : GetLastError();
  }
  ~RegisteredPort() {
    if (made_) SetupDiRemoveDevice(set_, &info_);
    SetupDiDestroyDeviceInfoList(set_);
  }
  RegisteredPort(const RegisteredPort&) = delete;
  RegisteredPort& operator=(const RegisteredPort&) = delete;
  bool Made() const { return made_; }
  DWORD Error() const { return error_; }

 private:
  HDEVINFO set_;
  SP_DEVINFO_DATA info_{};
  bool made_ = false;
  DWORD error_ = 0;
};

// The device set-up functions as the program calls them: the meter's
// adapter is listed with its port, another maker's is not.
TEST(WindowsDevices, TheMetersAdapterInTheDeviceSetIsListed) {
  RegisteredPort adapter(L"ROOT\\PORTS\\7300", L"Prolific USB-to-Serial Comm Port (COM17)");
  RegisteredPort other(L"ROOT\\PORTS\\7301", L"USB Serial Port (COM18)");
  if (!adapter.Made() || !other.Made()) {
    GTEST_SKIP() << "no right to add devices here (error " << adapter.Error() << " " << other.Error() << ")";
  }
  bool listedAdapter = false;
  for (const DeviceRecord& record : ListSystemSerialDevices()) {
    EXPECT_NE(record.className.find(u"Ports"), std::u16string::npos) << "only ports are listed";
    listedAdapter |= record.friendlyName == u"Prolific USB-to-Serial Comm Port (COM17)";
  }
  EXPECT_TRUE(listedAdapter);
  EnumerateComPorts();
  const std::vector<_COM_LIST> list = ComList();
  EXPECT_NE(std::find(list.begin(), list.end(), _COM_LIST{u"Prolific USB-to-Serial Comm Port (COM17)", 17}),
            list.end());
  for (const _COM_LIST& entry : list) EXPECT_NE(entry.port, 18) << "another maker's adapter";
}
#endif

#ifndef _WIN32  // sysfs and the virtual meter's port links are Linux's
// A sysfs tree as the kernel lays it out for USB-serial adapters.
class FakeSysfs {
 public:
  FakeSysfs() : root_(folder_.Path() / "sys") { fs::create_directories(root_ / "class" / "tty"); }

  void AddUsbSerial(const std::string& tty, const std::string& driver, bool authorized = true) {
    const fs::path usb = root_ / "devices" / ("usb-" + tty);
    const fs::path port = usb / "1-1:1.0" / tty;
    fs::create_directories(port);
    fs::create_directories(root_ / "bus" / "usb-serial" / "drivers" / driver);
    fs::create_directory_symlink(root_ / "bus" / "usb-serial" / "drivers" / driver, port / "driver");
    std::ofstream(usb / "authorized") << (authorized ? "1\n" : "0\n");
    AddTty(tty, port);
  }
  void AddTty(const std::string& tty, const fs::path& device) {
    const fs::path entry = root_ / "devices" / "virtual" / "tty" / tty;
    fs::create_directories(entry);
    if (!device.empty()) fs::create_directory_symlink(device, entry / "device");
    fs::create_directory_symlink(entry, root_ / "class" / "tty" / tty);
  }
  const fs::path& Root() const { return root_; }

 private:
  TempPortFolder folder_;
  fs::path root_;
};

TEST(LinuxDevices, UsbSerialAdaptersBecomeDeviceRecords) {
  FakeSysfs sys;
  sys.AddUsbSerial("ttyUSB1", "pl2303");
  sys.AddUsbSerial("ttyUSB0", "ftdi_sio");
  sys.AddUsbSerial("ttyUSB10", "pl2303", /*authorized=*/false);
  sys.AddTty("ttyS0", sys.Root() / "devices" / "platform" / "serial8250");
  sys.AddTty("tty1", {});

  const std::vector<DeviceRecord> records = ListSerialDevices(sys.Root());
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].friendlyName, u"ftdi_sio USB Serial Port (COM1)");
  EXPECT_EQ(records[1].friendlyName, u"Prolific USB-to-Serial Comm Port (COM2)");
  EXPECT_EQ(records[2].problemCode, kProblemDisabled);
  for (const DeviceRecord& record : records) EXPECT_EQ(record.className, u"Ports");

  const std::vector<_COM_LIST> expected = {{u"Prolific USB-to-Serial Comm Port (COM2)", 2}};
  EXPECT_EQ(BuildComList(records), expected);
}

TEST(LinuxDevices, MissingSysfsGivesNoDevices) { EXPECT_TRUE(ListSerialDevices("/nonexistent-sysfs").empty()); }

TEST(VirtualPorts, CharacterDeviceLinksAreListedInPortOrder) {
  TempPortFolder folder;
  const fs::path dir = folder.Path();
  fs::create_symlink("/dev/null", dir / "COM12");
  fs::create_symlink("/dev/null", dir / "COM3");
  fs::create_symlink("/dev/null", dir / "COM256");
  fs::create_symlink("/dev/null", dir / "COM0");  // not a port number
  fs::create_symlink("/dev/null", dir / "COM257");
  fs::create_symlink("/dev/null", dir / "COM04");
  fs::create_symlink("/dev/pts/nonexistent", dir / "COM5");  // its server is gone
  fs::create_symlink(dir, dir / "COM6");                     // not a device
  std::ofstream(dir / "COM7") << "a file";

  const std::vector<_COM_LIST> expected = {
      {u"Virtual meter (COM3)", 3}, {u"Virtual meter (COM12)", 12}, {u"Virtual meter (COM256)", 256}};
  EXPECT_EQ(ListVirtualPorts(), expected);

  // The friendly names parse back to their ports like any adapter's.
  for (const _COM_LIST& entry : expected) EXPECT_EQ(PortNumberOfFriendlyName(entry.name), entry.port);
}

TEST(VirtualPorts, EnumerationRebuildsTheListFromScratch) {
  TempPortFolder folder;
  fs::create_symlink("/dev/null", folder.Path() / "COM201");
  EnumerateComPorts();
  ASSERT_FALSE(ComList().empty());
  EXPECT_EQ(ComList().back(), (_COM_LIST{u"Virtual meter (COM201)", 201}));

  fs::remove(folder.Path() / "COM201");
  EnumerateComPorts();
  for (const _COM_LIST& entry : ComList()) EXPECT_NE(entry.port, 201);
}

TEST(VirtualPorts, FolderFollowsTheEnvironment) {
  TempPortFolder folder;
  EXPECT_EQ(VirtualPortFolder(), folder.Path());
  UnsetEnvironment("RV7300S_PORT_DIR");
  SetEnvironment("XDG_RUNTIME_DIR", "/run/user/1000");
  EXPECT_EQ(VirtualPortFolder(), fs::path("/run/user/1000/rv7300s/ports"));
}
#endif

}  // namespace

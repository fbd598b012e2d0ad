// A meter's port that is there but will not open: the probe and the scan
// tell why and who holds it, against a virtual meter whose port is really
// locked by another opener or really closed to the user.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "link/com_list.h"
#include "link/identification.h"
#include "link/port_names.h"
#include "link/tests/temp_port_folder.h"
#include "sim/pty_meter.h"

namespace {

constexpr int kPort = 201;
constexpr int kOtherPort = 202;
constexpr uid_t kNobody = 65534;

// The port opened and locked by someone else, as another instance of the
// program holds it.
class PortLock {
 public:
  explicit PortLock(const std::filesystem::path& device) : fd_(open(device.c_str(), O_RDWR | O_NOCTTY)) {
    if (fd_ < 0 || flock(fd_, LOCK_EX | LOCK_NB) != 0) throw std::runtime_error("cannot lock " + device.string());
  }
  ~PortLock() { close(fd_); }

 private:
  int fd_;
};

std::string OwnName() {
  std::ifstream comm("/proc/self/comm");
  std::string name;
  std::getline(comm, name);
  return name + " (pid " + std::to_string(getpid()) + ")";
}

// Runs `probe` as a user without a right to the port.  As root, on a
// thread of its own whose identity alone is changed (the raw system call,
// not the library's, which would change every thread); else with the
// device's permissions taken away.
void AsStranger(const std::string& device, const std::function<void()>& probe) {
  // The stranger must still reach the port's link (it keeps root's group).
  using std::filesystem::perms;
  std::filesystem::permissions(VirtualPortFolder(),
                               perms::group_read | perms::group_exec | perms::others_read | perms::others_exec,
                               std::filesystem::perm_options::add);
  if (geteuid() != 0) {
    ASSERT_EQ(chmod(device.c_str(), 0), 0);
    probe();
    return;
  }
  std::thread stranger([&] {
    ASSERT_EQ(syscall(SYS_setresuid, -1, kNobody, -1), 0);
    probe();
    ASSERT_EQ(syscall(SYS_setresuid, -1, 0, -1), 0);
  });
  stranger.join();
}

class PortRefusalTest : public testing::Test {
 protected:
  void SetUp() override {
    SetCurrentPort(1000);
    SetCurrentSpeed(19200);
  }
  TempPortFolder folder_;
  PtyMeter meter_{VirtualMeter({"RV7361", "S-1", "1.04"}), kPort};
};

TEST_F(PortRefusalTest, ALockedPortNamesItsHolderUntilItIsFree) {
  {
    PortLock other(VirtualPortLink(kPort));
    EXPECT_EQ(ProbePort(kPort), 1);
    EXPECT_EQ(LastRefusedPort(), (RefusedPort{kPort, PortRefusal::busy, meter_.DevicePath(), OwnName()}));
  }
  EXPECT_EQ(ProbePort(kPort), 0);
  EXPECT_EQ(LastRefusedPort(), std::nullopt);
}

TEST_F(PortRefusalTest, APortTheUserMayNotOpenIsDenied) {
  AsStranger(meter_.DevicePath(), [] { EXPECT_EQ(ProbePort(kPort), 1); });
  EXPECT_EQ(LastRefusedPort(), (RefusedPort{kPort, PortRefusal::denied, meter_.DevicePath(), ""}));
}

TEST_F(PortRefusalTest, AMissingDeviceIsNoRefusal) {
  EXPECT_EQ(ProbePort(7), 1);  // neither a virtual port nor /dev/ttyUSB6 here
  EXPECT_EQ(LastRefusedPort(), std::nullopt);
}

// A refused port must not hide a meter on the next one, and the scan still
// remembers the refusal for when no meter answers at all.
TEST_F(PortRefusalTest, TheScanGoesOnPastARefusedPort) {
  PortLock other(VirtualPortLink(kPort));
  auto second = std::make_unique<PtyMeter>(VirtualMeter({"RV7341", "S-2", "1.04"}), kOtherPort);
  EnumerateComPorts();
  EXPECT_EQ(ScanForMeter(), 0);
  EXPECT_EQ(CurrentIdentity().currentPort, kOtherPort);

  second.reset();
  EnumerateComPorts();
  EXPECT_EQ(ScanForMeter(), 1);
  const auto refused = LastRefusedPort();
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->port, kPort);
  EXPECT_EQ(refused->refusal, PortRefusal::busy);
}

}  // namespace

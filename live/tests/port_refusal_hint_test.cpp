// The meter's port there but refused: the hint names the port and the fix,
// and automatic connection tells it once, then connects when it is free.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "link/com_list.h"
#include "link/com_port.h"
#include "link/identification.h"
#include "link/port_names.h"
#include "link/tests/temp_port_folder.h"
#include "live/connection.h"
#include "live/port_refusal_hint.h"
#include "live/tests/fake_window.h"
#include "sim/pty_meter.h"

using namespace std::chrono_literals;

namespace {

constexpr int kPort = 201;
constexpr int kJapanese = 0;
constexpr int kEnglish = 1;

TEST(PortRefusalHint, NamesThePortAndTheFixInBothLanguages) {
  struct Case {
    PortRefusal refusal;
    const char* holder;
    std::vector<const char*> named;  // besides the device and the port
  };
  const Case cases[] = {
      {PortRefusal::denied, "", {"60-rv7300s.rules", "dialout"}},
      {PortRefusal::busy, "minicom (pid 4711)", {"minicom (pid 4711)"}},
      {PortRefusal::busy, "", {"ModemManager", "rv7300s-cli"}},
  };
  for (const Case& c : cases) {
    for (const int language : {kJapanese, kEnglish}) {
      const std::string hint = Utf16ToUtf8(PortRefusalHint({kPort, c.refusal, "/dev/ttyUSB0", c.holder}, language));
      SCOPED_TRACE(hint);
      EXPECT_NE(hint.find("/dev/ttyUSB0"), std::string::npos);
      EXPECT_NE(hint.find("COM201"), std::string::npos);
      for (const char* named : c.named) EXPECT_NE(hint.find(named), std::string::npos) << named;
      EXPECT_EQ(hint.find('%'), std::string::npos) << "a placeholder left unfilled";
    }
  }
  EXPECT_NE(PortRefusalHint({kPort, PortRefusal::denied, "/dev/ttyUSB0", ""}, kJapanese),
            PortRefusalHint({kPort, PortRefusal::denied, "/dev/ttyUSB0", ""}, kEnglish));
}

TEST(PortRefusalHint, AutomaticConnectionTellsOnceThenConnectsWhenThePortIsFree) {
  TempPortFolder folder;
  SetCatalogueLanguage(kEnglish);
  SetCurrentPort(1000);
  PtyMeter meter(VirtualMeter({"RV7361", "S-1", "1.04"}), kPort);
  EnumerateComPorts();
  // Another program holds the port as we would.
  const int other = open(VirtualPortLink(kPort).c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(other, 0);
  ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);

  FakeWindow window;
  HeadlessControls controls;
  MonitorSnapshot snapshot;
  ListState lists;
  SharedMeterSettings settings;
  PublishedReading published;
  ConnectionController controller({controls, window, window, window, window, snapshot, lists, settings, published,
                                   [] { return true; }, [] { return ScanForMeter(); }});
  window.onTimer = [&](int id) { controller.OnTimer(id); };
  window.onMessage = [&](int n, std::intptr_t parameter) { controller.OnMessage(n, parameter); };
  auto toldOfRefusal = [&] {
    const auto posted = window.Posted();
    return std::count(posted.begin(), posted.end(), std::pair<int, std::intptr_t>{app_message::kPortRefused, 0});
  };
  controller.StartRecheck();
  ASSERT_TRUE(window.PumpUntil([&] { return toldOfRefusal() > 0; }, 5s));
  window.PumpUntil([] { return false; }, 1s);  // ten more scans meet the same refusal
  EXPECT_EQ(toldOfRefusal(), 1);
  EXPECT_FALSE(controller.Connected());

  // The window shows what it was posted.
  controller.OnMessage(app_message::kPortRefused, 0);
  ASSERT_EQ(window.Boxes().size(), 1u);
  const std::string box = Utf16ToUtf8(window.Boxes()[0]);
  EXPECT_NE(box.find(meter.DevicePath()), std::string::npos) << box;
  EXPECT_NE(box.find("(pid " + std::to_string(getpid()) + ") is using it"), std::string::npos) << box;

  close(other);
  ASSERT_TRUE(window.PumpUntil([&] { return controller.Connected(); }, 5s));
  controller.Exit();
  EXPECT_TRUE(window.PumpUntil([&] { return window.ended.load(); }, 5s));
  ComClose();
}

}  // namespace

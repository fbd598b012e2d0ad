#include "cli/monitor_command.h"

#include <ctime>
#include <iostream>
#include <optional>

#include "base/decimal.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "cli/interruption.h"
#include "link/com_list.h"
#include "link/identification.h"
#include "live/connection.h"
#include "live/headless_shell.h"
#include "live/port_refusal_hint.h"
#include "window/headless_controls.h"

namespace {

int Usage(const std::string& problem) {
  std::cerr << "rv7300s-cli: " << problem << " (usage: rv7300s-cli monitor [--port N] [--count K] [--interval-ms M])\n";
  return 2;
}

std::string Flags(const Publication& p) {
  std::string flags;
  const _RECORD_DATA& r = p.recordTemplate;
  auto add = [&](bool on, const char* name) {
    if (on) flags += flags.empty() ? name : std::string(" ") + name;
  };
  add(r.peakOn, "PEAK");
  add(r.flags != 0, "REL");
  add(r.filterOn, "FILTER");
  add(r.slowOn, "SLOW");
  add(p.forRecording.value[_READING_TEXT::kMainOver], "OVER");
  add(p.forRecording.value[_READING_TEXT::kMainOpen], "OPEN");
  return flags.empty() ? "-" : flags;
}

void PrintLine(const Publication& p) {
  const auto& text = p.forRecording.text;
  auto shown = [](const std::u16string& value) { return value.empty() ? std::string("-") : Utf16ToUtf8(value); };
  const std::time_t now = std::time(nullptr);
  char clock[16];
  std::strftime(clock, sizeof clock, "%H:%M:%S", std::localtime(&now));
  std::cout << clock << '\t' << shown(text[_READING_TEXT::kMainValue]) << ' '
            << Utf16ToUtf8(text[_READING_TEXT::kMainUnit]) << '\t' << shown(text[_READING_TEXT::kSubValue]) << ' '
            << Utf16ToUtf8(text[_READING_TEXT::kSubUnit]) << '\t' << shown(text[_READING_TEXT::kMainFunction]) << '\t'
            << shown(text[_READING_TEXT::kMainRangeToken]) << '\t' << Flags(p) << std::endl;
}

}  // namespace

int MonitorCommand(const std::vector<std::string>& args) {
  std::optional<int> port;
  long count = -1;
  int intervalMs = 0;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage(args[i] + " needs a value");
    const auto value = ParseDecimal(args[i + 1]);
    if (args[i] == "--port" && value && *value >= 1 && *value <= 256) {
      port = value;
    } else if (args[i] == "--count" && value && *value > 0) {
      count = *value;
    } else if (args[i] == "--interval-ms" && value && *value >= 0) {
      intervalMs = *value;
    } else {
      return Usage("bad option " + args[i] + " " + args[i + 1]);
    }
  }
  SetCatalogueLanguage(1);
  EnumerateComPorts();

  HeadlessMonitor monitor([port] { return (port ? ProbePort(*port) : ScanForMeter()) == 0; });
  HeadlessShell& window = monitor.window;
  ConnectionController& controller = monitor.controller;
  PublishedReading& published = monitor.published;
  window.onBox = [](std::u16string_view text, MessageIcon) {
    std::cerr << "rv7300s-cli: " << Utf16ToUtf8(text) << '\n';
  };

  CatchInterruptions();
  controller.OnMonitorButton();
  window.PumpUntil([&] { return !window.TimerRunning(timer::kConnect) || Interrupted(); }, std::chrono::hours(1));
  if (!controller.Connected()) {
    const auto refused = LastRefusedPort();
    if (refused && !Interrupted()) {
      std::cerr << "rv7300s-cli: " << Utf16ToUtf8(PortRefusalHint(*refused, CatalogueLanguage())) << '\n';
    } else if (!Interrupted()) {
      std::cerr << "rv7300s-cli: no meter answered\n";
    }
    return 1;
  }

  std::uint64_t lastCycle = 0;
  long printed = 0;
  auto lastPrint = std::chrono::steady_clock::now() - std::chrono::hours(1);
  window.PumpUntil(
      [&] {
        if (Interrupted() || !controller.Connected() || (count > 0 && printed >= count)) return true;
        const Publication latest = published.Latest();
        const auto now = std::chrono::steady_clock::now();
        if (latest.cycle != lastCycle && now - lastPrint >= std::chrono::milliseconds(intervalMs)) {
          lastCycle = latest.cycle;
          lastPrint = now;
          PrintLine(latest);
          ++printed;
        }
        return false;
      },
      std::chrono::hours(24 * 365));

  if (controller.Connected()) {
    controller.Exit();
    window.PumpUntil([&] { return window.ended.load(); }, std::chrono::seconds(15));
  } else {
    window.PumpUntil([&] { return !window.TimerRunning(timer::kDisconnect); }, std::chrono::seconds(15));
  }
  return monitor.communicationError ? 1 : 0;
}

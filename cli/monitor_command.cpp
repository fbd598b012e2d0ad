#include "cli/monitor_command.h"

#include <ctime>
#include <iostream>
#include <optional>

#include "base/decimal.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "cli/help_command.h"
#include "cli/interruption.h"
#include "cli/json_output.h"
#include "link/com_list.h"
#include "link/identification.h"
#include "live/connection.h"
#include "live/headless_shell.h"
#include "live/port_refusal_hint.h"
#include "window/headless_controls.h"

namespace {

int Usage(const std::string& problem) { return UsageError("monitor", problem); }

std::vector<std::string> Flags(const Publication& p) {
  std::vector<std::string> flags;
  const _RECORD_DATA& r = p.recordTemplate;
  auto add = [&](bool on, const char* name) {
    if (on) flags.emplace_back(name);
  };
  add(r.peakOn, "PEAK");
  add(r.flags != 0, "REL");
  add(r.filterOn, "FILTER");
  add(r.slowOn, "SLOW");
  add(p.forRecording.value[_READING_TEXT::kMainOver], "OVER");
  add(p.forRecording.value[_READING_TEXT::kMainOpen], "OPEN");
  return flags;
}

void PrintLine(const Publication& p, bool json) {
  const auto& text = p.forRecording.text;
  auto utf8 = [&](int which) { return Utf16ToUtf8(text[which]); };
  const std::time_t now = std::time(nullptr);
  char clock[16];
  std::strftime(clock, sizeof clock, "%H:%M:%S", std::localtime(&now));
  const std::vector<std::string> flags = Flags(p);
  if (json) {
    std::vector<std::string> flagsJson;
    for (const std::string& flag : flags) flagsJson.push_back(JsonString(flag));
    std::cout << JsonObject()
                     .Add("time", JsonString(clock))
                     .Add("mainValue", JsonTextOrNull(utf8(_READING_TEXT::kMainValue)))
                     .Add("mainUnit", JsonTextOrNull(utf8(_READING_TEXT::kMainUnit)))
                     .Add("subValue", JsonTextOrNull(utf8(_READING_TEXT::kSubValue)))
                     .Add("subUnit", JsonTextOrNull(utf8(_READING_TEXT::kSubUnit)))
                     .Add("function", JsonTextOrNull(utf8(_READING_TEXT::kMainFunction)))
                     .Add("range", JsonTextOrNull(utf8(_READING_TEXT::kMainRangeToken)))
                     .Add("flags", JsonArray(flagsJson))
                     .Text()
              << std::endl;
    return;
  }
  auto shown = [&](int which) { return text[which].empty() ? std::string("-") : utf8(which); };
  std::string flagText;
  for (const std::string& flag : flags) flagText += (flagText.empty() ? "" : " ") + flag;
  std::cout << clock << '\t' << shown(_READING_TEXT::kMainValue) << ' ' << utf8(_READING_TEXT::kMainUnit) << '\t'
            << shown(_READING_TEXT::kSubValue) << ' ' << utf8(_READING_TEXT::kSubUnit) << '\t'
            << shown(_READING_TEXT::kMainFunction) << '\t' << shown(_READING_TEXT::kMainRangeToken) << '\t'
            << (flagText.empty() ? "-" : flagText) << std::endl;
}

}  // namespace

int MonitorCommand(std::vector<std::string> args) {
  const bool json = TakeJsonOption(args);
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
          PrintLine(latest, json);
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

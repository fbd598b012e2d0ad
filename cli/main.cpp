// rv7300s-cli: the program's core without its window.  Its commands, their
// options and exit codes are told in cli/command_help.cpp.
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "base/decimal.h"
#include "base/utf16.h"
#include "cli/command_help.h"
#include "cli/format_command.h"
#include "cli/help_command.h"
#include "cli/json_output.h"
#include "cli/memory_command.h"
#include "cli/monitor_command.h"
#include "cli/record_command.h"
#include "cli/recording_command.h"
#include "cli/recover_command.h"
#include "cli/settings_command.h"
#include "link/com_list.h"
#include "link/identification.h"
#include "link/port_device.h"
#include "live/port_refusal_hint.h"

namespace {

int Ports(std::vector<std::string> args) {
  const bool json = TakeJsonOption(args);
  if (!args.empty()) return UsageError("ports", "unknown option " + args[0]);
  EnumerateComPorts();
  const std::vector<_COM_LIST> ports = ComList();
  if (ports.empty()) std::cerr << "rv7300s-cli: no serial ports found\n";
  std::vector<std::string> objects;
  for (const _COM_LIST& entry : ports) {
    const std::string name = Utf16ToUtf8(entry.name);
    if (json) {
      objects.push_back(JsonObject()
                            .Add("port", std::to_string(entry.port))
                            .Add("name", JsonString(name))
                            .Add("device", JsonString(PortDevice(entry.port)))
                            .Text());
    } else {
      std::cout << entry.port << '\t' << name << '\t' << PortDevice(entry.port) << '\n';
    }
  }
  if (json) std::cout << JsonArray(objects) << '\n';
  return 0;
}

void PrintIdentity(const MeterIdentity& meter, bool json) {
  const std::string_view model = kModelNames[meter.modelIndex];
  if (json) {
    std::cout << JsonObject()
                     .Add("model", JsonString(model))
                     .Add("modelIndex", std::to_string(meter.modelIndex))
                     .Add("port", std::to_string(meter.currentPort))
                     .Add("speed", std::to_string(meter.currentSpeed))
                     .Add("serial", JsonString(meter.serialNumber))
                     .Add("firmware", JsonString(meter.firmwareVersion))
                     .Add("firmwareSupported",
                          FirmwareSupported(meter.modelIndex, meter.firmwareVersion) ? "true" : "false")
                     .Text()
              << '\n';
    return;
  }
  std::cout << "model: " << model << '\n'
            << "model-index: " << meter.modelIndex << '\n'
            << "port: " << meter.currentPort << '\n'
            << "speed: " << meter.currentSpeed << '\n'
            << "serial: " << meter.serialNumber << '\n'
            << "firmware: " << meter.firmwareVersion << '\n';
}

int Identify(std::vector<std::string> args) {
  const bool json = TakeJsonOption(args);
  auto usage = [](const std::string& problem) { return UsageError("identify", problem); };
  std::optional<int> port;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return usage(args[i] + " needs a value");
    const auto value = ParseDecimal(args[i + 1]);
    if (args[i] == "--port") {
      if (!value || *value < 1 || *value > 256) return usage("--port takes a number from 1 to 256");
      port = value;
    } else if (args[i] == "--speed") {
      if (!value || (*value != 9600 && *value != 19200)) return usage("--speed takes 9600 or 19200");
      SetCurrentSpeed(*value);
    } else {
      return usage("unknown option " + args[i]);
    }
  }
  // A port number with no device behind it is a mistake to name as such,
  // not a meter that keeps silent.
  if (port && !PortExists(*port)) {
    std::cerr << "rv7300s-cli: port COM" << *port << " does not exist: there is no " << PortDevice(*port) << '\n';
    return 1;
  }
  EnumerateComPorts();
  const int result = port ? ProbePort(*port) : ScanForMeter();
  if (result != 0) {
    if (const auto refused = LastRefusedPort()) {
      std::cerr << "rv7300s-cli: " << Utf16ToUtf8(PortRefusalHint(*refused, 1)) << '\n';  // in English
    } else {
      std::cerr << "rv7300s-cli: no meter answered" << (port ? " on COM" + std::to_string(*port) : "") << '\n';
    }
    return 1;
  }
  const MeterIdentity meter = CurrentIdentity();
  PrintIdentity(meter, json);
  if (!FirmwareSupported(meter.modelIndex, meter.firmwareVersion)) {
    std::cerr << "rv7300s-cli: firmware \"" << meter.firmwareVersion << "\" is not 0.83 or later; "
              << "the program cannot connect to this meter\n";
    return 1;
  }
  return 0;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return UsageError({}, "no command");
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "--help" || args[0] == "-h") return HelpCommand({});
  if (args[0] == "--version") return VersionCommand();
  if (args[0] == "help") return HelpCommand(rest);
  if (FindCommandHelp(args[0]) && AsksForHelp(rest)) return HelpCommand({args[0]});
  if (args[0] == "ports") return Ports(rest);
  if (args[0] == "identify") return Identify(rest);
  if (args[0] == "settings") return SettingsCommand(rest);
  if (args[0] == "format") return FormatCommand(rest);
  if (args[0] == "monitor") return MonitorCommand(rest);
  if (args[0] == "info") return InfoCommand(rest);
  if (args[0] == "export") return ExportCommand(rest);
  if (args[0] == "memory") return MemoryCommand(rest);
  if (args[0] == "record") return RecordCommand(rest);
  if (args[0] == "recover") return RecoverCommand(rest);
  return UsageError({}, "unknown command " + args[0]);
}

}  // namespace

int main(int argc, char** argv) {
  // The readers refuse a file they have no room for with its own message;
  // whatever else runs short ends the command with a message, not an abort.
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::bad_alloc&) {
    std::cerr << "rv7300s-cli: out of memory\n";
    return 1;
  }
}

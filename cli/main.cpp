// rv7300s-cli: the program's core without its window.
//   rv7300s-cli ports
//   rv7300s-cli identify [--port N] [--speed 9600|19200]
//   rv7300s-cli settings show [FILE]
//   rv7300s-cli format --model N --function F --range R --count C [...]
//   rv7300s-cli monitor [--port N] [--count K] [--interval-ms M]
//   rv7300s-cli info FILE.vdmm
//   rv7300s-cli export FILE.vdmm OUT.csv [--language en|ja] [--decimal .|,] [--separator ,|;] [--time real|relative]
//   rv7300s-cli memory OUT.csv [--port N] [--language en|ja] [--decimal .|,] [--separator ,|;]
//   rv7300s-cli record OUT.vdmm [--port N] [--interval SECONDS | --fast TENTHS] [--count N | --time HH:MM:SS]
//                      [--csv OUT.csv] [--reconnect]
//   rv7300s-cli recover JOURNAL [OUT.vdmm]
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "base/decimal.h"
#include "base/utf16.h"
#include "cli/format_command.h"
#include "cli/memory_command.h"
#include "cli/monitor_command.h"
#include "cli/record_command.h"
#include "cli/recording_command.h"
#include "cli/recover_command.h"
#include "cli/settings_command.h"
#include "link/com_list.h"
#include "link/identification.h"
#include "link/port_names.h"
#include "live/port_refusal_hint.h"

namespace {

constexpr int kUsageError = 2;

int Usage(const std::string& problem) {
  std::cerr
      << "rv7300s-cli: " << problem
      << " (usage: rv7300s-cli ports | identify [--port N] [--speed 9600|19200] | settings show [FILE] | "
         "format --model N --function F --range R --count C [...] | monitor [--port N] [--count K] [--interval-ms M] | "
         "info FILE.vdmm | export FILE.vdmm OUT.csv [...] | memory OUT.csv [...] | record OUT.vdmm [...] | "
         "recover JOURNAL [OUT.vdmm])\n";
  return kUsageError;
}

std::string DeviceOf(int port) {
#ifdef _WIN32
  return WindowsDeviceName(port);
#else
  return LinuxDevicePath(port).string();
#endif
}

int Ports() {
  EnumerateComPorts();
  for (const _COM_LIST& entry : ComList()) {
    std::cout << entry.port << '\t' << Utf16ToUtf8(entry.name) << '\t' << DeviceOf(entry.port) << '\n';
  }
  return 0;
}

int Identify(const std::vector<std::string>& args) {
  std::optional<int> port;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage(args[i] + " needs a value");
    const auto value = ParseDecimal(args[i + 1]);
    if (args[i] == "--port") {
      if (!value || *value < 1 || *value > 256) return Usage("--port takes a number from 1 to 256");
      port = value;
    } else if (args[i] == "--speed") {
      if (!value || (*value != 9600 && *value != 19200)) return Usage("--speed takes 9600 or 19200");
      SetCurrentSpeed(*value);
    } else {
      return Usage("unknown option " + args[i]);
    }
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
  std::cout << "model: " << kModelNames[meter.modelIndex] << '\n'
            << "model-index: " << meter.modelIndex << '\n'
            << "port: " << meter.currentPort << '\n'
            << "speed: " << meter.currentSpeed << '\n'
            << "serial: " << meter.serialNumber << '\n'
            << "firmware: " << meter.firmwareVersion << '\n';
  if (!FirmwareSupported(meter.modelIndex, meter.firmwareVersion)) {
    std::cerr << "rv7300s-cli: firmware \"" << meter.firmwareVersion << "\" is not 0.83 or later; "
              << "the program cannot connect to this meter\n";
    return 1;
  }
  return 0;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("no command");
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "ports") return rest.empty() ? Ports() : Usage("ports takes no arguments");
  if (args[0] == "identify") return Identify(rest);
  if (args[0] == "settings") return SettingsCommand(rest);
  if (args[0] == "format") return FormatCommand(rest);
  if (args[0] == "monitor") return MonitorCommand(rest);
  if (args[0] == "info") return InfoCommand(rest);
  if (args[0] == "export") return ExportCommand(rest);
  if (args[0] == "memory") return MemoryCommand(rest);
  if (args[0] == "record") return RecordCommand(rest);
  if (args[0] == "recover") return RecoverCommand(rest);
  return Usage("unknown command " + args[0]);
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

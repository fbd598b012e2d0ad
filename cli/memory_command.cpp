#include "cli/memory_command.h"

#include <iostream>
#include <optional>

#include "base/decimal.h"
#include "base/models.h"
#include "base/text_helpers.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "cli/help_command.h"
#include "link/com_list.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "link/identification.h"
#include "live/headless_window.h"
#include "memory/download_times.h"
#include "memory/memory_download.h"
#include "monitor/monitor_data.h"
#include "persistence/ansi_code_page.h"
#include "text/ui_text.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

int Usage(const std::string& problem) { return UsageError("memory", problem); }

// A message box's text on one line.
std::string OneLine(std::u16string_view text) {
  std::string line;
  for (const char c : Utf16ToUtf8(text)) {
    const char shown = c == '\n' ? ' ' : c;
    if (shown == ' ' && (line.empty() || line.back() == ' ')) continue;
    line += shown;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

void Say(std::u16string_view text) { std::cerr << "rv7300s-cli: " << OneLine(text) << '\n'; }

// The meter's temperature unit from its status (position 22); nothing when it does not answer.
std::optional<int> TemperatureUnit() {
  char reply[64] = {};
  if (ComQuery(command::kStatus, reply, sizeof reply) != COM_OK || command::IsCommandError(reply)) return std::nullopt;
  _MONITOR_DATA data;
  ParseStatus(reply, data);
  return data.status[kStatusTemperatureUnit] != 0 ? 1 : 0;
}

}  // namespace

int MemoryCommand(const std::vector<std::string>& args) {
  if (args.empty() || args[0].starts_with("--")) return Usage("memory takes the CSV file to write");
  std::optional<int> port;
  int language = JapaneseUserLocale() ? 0 : 1;
  int decimal = 0, separator = 0;
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage(args[i] + " needs a value");
    const std::string& value = args[i + 1];
    const auto number = ParseDecimal(value);
    if (args[i] == "--port" && number && *number >= kFirstComPort && *number <= kLastComPort) {
      port = number;
    } else if (args[i] == "--language" && (value == "en" || value == "ja")) {
      language = value == "ja" ? 0 : 1;
    } else if (args[i] == "--decimal" && (value == "." || value == ",")) {
      decimal = value == "," ? 1 : 0;
    } else if (args[i] == "--separator" && (value == "," || value == ";")) {
      separator = value == ";" ? 1 : 0;
    } else {
      return Usage("bad option " + args[i] + " " + value);
    }
  }
  if (decimal == 1 && separator == 0) {
    std::cerr << "rv7300s-cli: a comma cannot be both the decimal mark and the separator\n";
    return kUsageError;
  }
  SetCatalogueLanguage(language);

  EnumerateComPorts();
  if ((port ? ProbePort(*port) : ScanForMeter()) != 0) {
    std::cerr << "rv7300s-cli: no meter answered" << (port ? " on COM" + std::to_string(*port) : "") << '\n';
    return kFailure;
  }
  const MeterIdentity meter = CurrentIdentity();
  if (!IsRv736x(meter.modelIndex)) {
    std::cerr << "rv7300s-cli: the " << ModelNameOr(meter.modelIndex, "meter") << " keeps no readings in a memory\n";
    return kFailure;
  }
  ComSetLine(meter.currentSpeed);
  if (!ComOpen(meter.currentPort)) {
    std::cerr << "rv7300s-cli: COM" << meter.currentPort << " cannot be opened\n";
    return kFailure;
  }
  const std::optional<int> unit = TemperatureUnit();
  if (!unit) {
    ComClose();
    Say(Word(TextId::communicationError, language));
    return kFailure;
  }

  HeadlessWindow window;
  DownloadTimes times;
  std::u16string remaining, elapsed;
  MemoryDownload download(window);
  window.onMessage = [&](int n, std::intptr_t parameter) {
    if (n != memory_message::kProgress) return;
    const int fetched = static_cast<int>(parameter);
    times.Update(fetched, download.Total(), download.SecondsSinceReaderStart(), download.SecondsSinceStart(), 1,
                 remaining, elapsed);
    std::cerr << fetched << " / " << download.Total();
    if (!remaining.empty()) std::cerr << ", " << Utf16ToUtf8(remaining) << " remaining";
    std::cerr << '\n';
  };

  MemoryDownloadSetup setup;
  setup.file = args[0];
  setup.meter = {meter.modelIndex, meter.serialNumber, meter.firmwareVersion};
  Settings settings;
  settings.decimalSymbol = decimal;
  settings.listSeparator = separator;
  setup.format = MemoryCsvFormat::FromSettings(settings, *unit);
  times.Restart();
  if (download.Start(setup) != MemoryDownload::StartResult::started) {
    ComClose();
    Say(Filled(Word(TextId::firmwareNotSupported, language), kOldestSupportedVersion));
    return kFailure;
  }
  window.PumpUntil([&] { return !download.Running(); }, std::chrono::hours(1));
  ComClose();

  const std::u16string fileName = setup.file.filename().u16string();
  switch (download.Outcome()) {
    case MemoryOutcome::complete:
      Say(Word(TextId::readingCompleted, language));
      return 0;
    case MemoryOutcome::nothingStored:
      Say(Word(TextId::nothingSaved, language));
      return 0;
    case MemoryOutcome::readError:
      Say(Word(TextId::readError, language));
      break;
    case MemoryOutcome::writeError:
      Say(download.WriteErrorText(language));
      break;
    case MemoryOutcome::fileError:
      Say(Filled(Word(TextId::cannotOpen, language), fileName));
      break;
    case MemoryOutcome::running:
      break;
  }
  return kFailure;
}

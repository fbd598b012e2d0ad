#include "cli/recording_command.h"

#include <iostream>
#include <optional>

#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "cli/recording_statistics.h"
#include "cli/text_output.h"
#include "link/identification.h"
#include "persistence/ansi_code_page.h"
#include "persistence/file_exception.h"
#include "recording/csv_export.h"
#include "recording/file/recording_file.h"
#include "recording/record_rendering.h"

namespace {

constexpr int kUsageError = 2;

int Usage(const std::string& problem) {
  std::cerr << "rv7300s-cli: " << problem
            << " (usage: rv7300s-cli info FILE.vdmm | export FILE.vdmm OUT.csv [--language en|ja] [--decimal .|,] "
               "[--separator ,|;] [--time real|relative])\n";
  return kUsageError;
}

int UserLanguage() { return JapaneseUserLocale() ? 0 : 1; }

// The whole file, or nothing with the message the window would show.
std::optional<Recording> Read(const std::string& file, int language) {
  Recording recording;
  try {
    const RecordingCheck check = ReadRecordingFile(file, recording);
    if (check == RecordingCheck::ok) return recording;
    std::cerr << "rv7300s-cli: " << file << ": " << Utf16ToUtf8(RecordingCheckMessage(check, language)) << '\n';
  } catch (const CArchiveException& error) {
    std::cerr << "rv7300s-cli: " << Utf16ToUtf8(error.Message(language)) << '\n';
  } catch (const CFileException& error) {
    std::cerr << "rv7300s-cli: " << Utf16ToUtf8(error.Message(language)) << '\n';
  }
  return std::nullopt;
}

std::string ModelName(int model) {
  return model >= 0 && model < kModelCount ? std::string(kModelNames[model]) : "model " + std::to_string(model);
}

}  // namespace

int InfoCommand(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage("info takes one file");
  const int language = UserLanguage();
  SetCatalogueLanguage(language);
  const std::optional<Recording> read = Read(args[0], language);
  if (!read) return 1;
  const RecordStore& store = read->store;
  const Settings& s = read->settings;
  auto line = [](std::string_view name, const std::string& value) { std::cout << name << ": " << value << '\n'; };
  line("model", ModelName(store.recordModel));
  line("serial", Escaped(store.recordSerial));
  line("firmware", Escaped(store.recordFirmware));
  line("records", std::to_string(store.recordCount()));
  line("runRecords", std::to_string(store.runCount));
  line("function", Escaped(LongName(FamilyOf(store.recordModel), store.recordFunction)));
  line("range", Escaped(store.recordRangeText));
  line("start", Escaped(store.startTimeText));
  line("stop", Escaped(store.stopTimeText));
  line("mainMax", Escaped(store.maxMainText));
  line("mainMin", Escaped(store.minMainText));
  line("subMax", Escaped(store.maxSubText));
  line("subMin", Escaped(store.minSubText));
  for (const ReadingStatistics& readings : StatisticsOf(store, store.recordModel)) {
    const std::string display = readings.sub ? "sub" : "main";
    line(display + "Measurement", Escaped(readings.label));
    line(display + "Readings", std::to_string(readings.readings));
    line(display + "Mean", Escaped(readings.mean));
    line(display + "StdDev", Escaped(readings.standardDeviation));
  }
  line("duration", Escaped(DurationOf(store)));
  line("interval", Escaped(IntervalText(s)));
  line("company", Escaped(s.companyText));
  line("title", Escaped(s.titleText));
  line("operator", Escaped(s.operatorText));
  line("date", Escaped(s.dateText));
  line("temperature", Escaped(s.temperatureText));
  line("humidity", Escaped(s.humidityText));
  line("memo", Escaped(s.memoText));
  return 0;
}

int ExportCommand(const std::vector<std::string>& args) {
  if (args.size() < 2) return Usage("export takes a recording and a CSV file");
  std::optional<int> language, decimal, separator, time;
  for (std::size_t i = 2; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage(args[i] + " needs a value");
    const std::string& value = args[i + 1];
    if (args[i] == "--language" && (value == "en" || value == "ja")) {
      language = value == "ja" ? 0 : 1;
    } else if (args[i] == "--decimal" && (value == "." || value == ",")) {
      decimal = value == "," ? 1 : 0;
    } else if (args[i] == "--separator" && (value == "," || value == ";")) {
      separator = value == ";" ? 1 : 0;
    } else if (args[i] == "--time" && (value == "real" || value == "relative")) {
      time = value == "relative" ? 1 : 0;
    } else {
      return Usage("bad option " + args[i] + " " + value);
    }
  }
  const int shownLanguage = language.value_or(UserLanguage());
  SetCatalogueLanguage(shownLanguage);
  std::optional<Recording> read = Read(args[0], shownLanguage);
  if (!read) return 1;
  Settings& s = read->settings;
  s.decimalSymbol = decimal.value_or(s.decimalSymbol);
  s.listSeparator = separator.value_or(s.listSeparator);
  s.timeDisplayMode = time.value_or(s.timeDisplayMode);
  if (s.decimalSymbol == 1 && s.listSeparator == 0) {
    std::cerr << "rv7300s-cli: a comma cannot be both the decimal mark and the separator\n";
    return kUsageError;
  }
  const RecordStore& store = read->store;
  try {
    const CsvLosses losses =
        ExportRecordingCsv(args[1], store, {store.recordModel, store.recordSerial, store.recordFirmware}, s);
    // The file is written; what it could not hold is said, not hidden.
    if (!losses.texts.empty()) {
      std::cerr << "rv7300s-cli: " << Utf16ToUtf8(CsvLossesMessage(losses, shownLanguage)) << '\n';
    }
  } catch (const CFileException& error) {
    std::cerr << "rv7300s-cli: " << Utf16ToUtf8(error.Message(shownLanguage)) << '\n';
    return 1;
  }
  return 0;
}

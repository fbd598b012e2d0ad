#include "cli/recording_command.h"

#include <iostream>
#include <optional>

#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "cli/help_command.h"
#include "cli/json_output.h"
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
  const std::string other = "model " + std::to_string(model);
  return std::string(ModelNameOr(model, other));
}

// "name: value" lines, or the members of one JSON object.
class InfoOutput {
 public:
  explicit InfoOutput(bool json) : json_(json) {}

  void Text(std::string_view name, const std::u16string& value) {
    if (json_) {
      object_.Add(name, JsonString(Utf16ToUtf8(value)));
    } else {
      std::cout << name << ": " << Escaped(value) << '\n';
    }
  }
  void Number(std::string_view name, long long value) {
    if (json_) {
      object_.Add(name, std::to_string(value));
    } else {
      std::cout << name << ": " << value << '\n';
    }
  }
  // A line of each for text; one element of `measurements` for JSON.
  void Statistics(const ReadingStatistics& readings) {
    const std::string display = readings.sub ? "sub" : "main";
    if (json_) {
      measurements_.push_back(JsonObject()
                                  .Add("display", JsonString(display))
                                  .Add("measurement", JsonString(Utf16ToUtf8(readings.label)))
                                  .Add("readings", std::to_string(readings.readings))
                                  .Add("mean", JsonString(Utf16ToUtf8(readings.mean)))
                                  .Add("standardDeviation", JsonString(Utf16ToUtf8(readings.standardDeviation)))
                                  .Text());
      return;
    }
    Text(display + "Measurement", readings.label);
    Number(display + "Readings", readings.readings);
    Text(display + "Mean", readings.mean);
    Text(display + "StdDev", readings.standardDeviation);
  }
  void EndOfStatistics() {
    if (json_) object_.Add("measurements", JsonArray(measurements_));
  }
  void End() {
    if (json_) std::cout << object_.Text() << '\n';
  }

 private:
  const bool json_;
  JsonObject object_;
  std::vector<std::string> measurements_;
};

}  // namespace

int InfoCommand(std::vector<std::string> args) {
  InfoOutput out(TakeJsonOption(args));
  if (args.size() != 1) return UsageError("info", "info takes one file");
  const int language = UserLanguage();
  SetCatalogueLanguage(language);
  const std::optional<Recording> read = Read(args[0], language);
  if (!read) return 1;
  const RecordStore& store = read->store;
  const Settings& s = read->settings;
  out.Text("model", Utf8ToUtf16(ModelName(store.recordModel)));
  out.Text("serial", store.recordSerial);
  out.Text("firmware", store.recordFirmware);
  out.Number("records", store.recordCount());
  out.Number("runRecords", store.runCount);
  out.Text("function", LongName(FamilyOf(store.recordModel), store.recordFunction));
  out.Text("range", store.recordRangeText);
  out.Text("start", store.startTimeText);
  out.Text("stop", store.stopTimeText);
  out.Text("mainMax", store.maxMainText);
  out.Text("mainMin", store.minMainText);
  out.Text("subMax", store.maxSubText);
  out.Text("subMin", store.minSubText);
  for (const ReadingStatistics& readings : StatisticsOf(store, store.recordModel)) out.Statistics(readings);
  out.EndOfStatistics();
  out.Text("duration", DurationOf(store));
  out.Text("interval", IntervalText(s));
  out.Text("company", s.companyText);
  out.Text("title", s.titleText);
  out.Text("operator", s.operatorText);
  out.Text("date", s.dateText);
  out.Text("temperature", s.temperatureText);
  out.Text("humidity", s.humidityText);
  out.Text("memo", s.memoText);
  out.End();
  return 0;
}

int ExportCommand(const std::vector<std::string>& args) {
  auto usage = [](const std::string& problem) { return UsageError("export", problem); };
  if (args.size() < 2) return usage("export takes a recording and a CSV file");
  std::optional<int> language, decimal, separator, time;
  for (std::size_t i = 2; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return usage(args[i] + " needs a value");
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
      return usage("bad option " + args[i] + " " + value);
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

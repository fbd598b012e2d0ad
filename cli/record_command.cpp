#include "cli/record_command.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>

#include "base/decimal.h"
#include "base/text_helpers.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "catalogue/value_format.h"
#include "cli/headless_recorder.h"
#include "cli/help_command.h"
#include "cli/interruption.h"
#include "cli/status_line.h"
#include "link/com_list.h"
#include "link/identification.h"
#include "live/port_refusal_hint.h"
#include "persistence/ansi_code_page.h"
#include "persistence/archive_exception.h"
#include "persistence/file_exception.h"
#include "persistence/journal_file.h"
#include "recording/csv_export.h"
#include "recording/file/recording_file.h"
#include "recording/record_rendering.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kUsageError = 2;
constexpr int kPortLimit = 256;
constexpr int kSecondsPerMinute = 60;
constexpr int kSecondsPerHour = 3600;
constexpr int kFieldLimit = 99;  // each of the settings' hours, minutes and seconds
constexpr int kLongestInterval = kFieldLimit * kSecondsPerHour + kSecondsPerHour - 1;  // 99:59:59
constexpr int kMostRecords = 1048576;  // the settings' largest data count
constexpr int kFastSteps = 9;          // 0.1 s to 0.9 s
constexpr auto kForever = std::chrono::hours(24 * 365 * 10);

int Usage(const std::string& problem) { return UsageError("record", problem); }

struct RecordOptions {
  std::filesystem::path out;
  std::optional<std::filesystem::path> csv;
  std::optional<int> port;
  bool reconnect = false;
  Settings settings;  // the interval and the end of the run
};

std::int64_t RecordTimeSeconds(const Settings& s) {
  return std::int64_t{s.recordHours} * kSecondsPerHour + std::int64_t{s.recordMinutes} * kSecondsPerMinute +
         s.recordSeconds;
}

// "HH:MM:SS", each field as the settings hold it.
std::optional<std::array<int, 3>> ParseClock(const std::string& text) {
  std::array<int, 3> fields{};
  std::size_t at = 0;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t end = i + 1 < fields.size() ? text.find(':', at) : text.size();
    if (end == std::string::npos) return std::nullopt;
    const std::optional<int> field = ParseDecimal(std::string_view(text).substr(at, end - at));
    if (!field || *field < 0 || *field > kFieldLimit) return std::nullopt;
    fields[i] = *field;
    at = end + 1;
  }
  return fields;
}

// The options as the window's record settings: nothing given records every
// second until the largest count, or until stopped.
std::optional<RecordOptions> ParseOptions(const std::vector<std::string>& args) {
  RecordOptions options;
  Settings& s = options.settings;
  std::optional<int> interval, fast, count;
  std::optional<std::array<int, 3>> time;
  auto refuse = [](const std::string& problem) {
    Usage(problem);
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--reconnect") {
      options.reconnect = true;
      continue;
    }
    if (option.rfind("--", 0) != 0) {
      if (!options.out.empty()) return refuse("record writes one recording file");
      options.out = option;
      continue;
    }
    if (i + 1 >= args.size()) return refuse(option + " needs a value");
    const std::string& value = args[++i];
    const std::optional<int> number = ParseDecimal(value);
    if (option == "--port" && number && *number >= 1 && *number <= kPortLimit) {
      options.port = number;
    } else if (option == "--interval" && number && *number >= 1 && *number <= kLongestInterval) {
      interval = number;
    } else if (option == "--fast" && number && *number >= 1 && *number <= kFastSteps) {
      fast = number;
    } else if (option == "--count" && number && *number >= 1 && *number <= kMostRecords) {
      count = number;
    } else if (option == "--time") {
      time = ParseClock(value);
      if (!time) return refuse("--time takes HH:MM:SS, each from 0 to 99");
    } else if (option == "--csv" && !value.empty()) {
      options.csv = value;
    } else {
      return refuse("bad option " + option + " " + value);
    }
  }
  if (options.out.empty()) return refuse("record needs the recording file to write");
  if (interval && fast) return refuse("--interval and --fast exclude each other");
  if (count && time) return refuse("--count and --time exclude each other");
  // The record time counts whole intervals of seconds, as the window's does.
  if (fast && time) return refuse("--time goes with an interval in seconds; with --fast give --count");

  s.intervalMode = fast ? 1 : 0;
  if (fast) s.fastIntervalIndex = *fast - 1;
  if (interval) {
    s.intervalHours = *interval / kSecondsPerHour;
    s.intervalMinutes = *interval / kSecondsPerMinute % kSecondsPerMinute;
    s.intervalSeconds = *interval % kSecondsPerMinute;
  }
  s.totalMode = time ? 1 : 0;
  if (count) s.dataCount = *count;
  if (time) {
    s.recordHours = (*time)[0];
    s.recordMinutes = (*time)[1];
    s.recordSeconds = (*time)[2];
    if (RecordTimeSeconds(s) < RecordingIntervalSeconds(s)) return refuse("--time is shorter than the interval");
  }
  return options;
}

// A recording never goes over a file, nor its journal over one that an
// earlier run left with its records.
bool OutputsFree(const std::filesystem::path& out, const std::filesystem::path& journal) {
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(out, error))) {
    std::cerr << "rv7300s-cli: " << out.string() << " exists; record writes a new file only\n";
    return false;
  }
  if (std::filesystem::exists(std::filesystem::symlink_status(journal, error))) {
    if (JournalFile::HeldByAnother(journal)) {
      std::cerr << "rv7300s-cli: another recording into " << out.string() << " is running\n";
    } else {
      std::cerr << "rv7300s-cli: " << journal.string() << " is left from an earlier run; "
                << "rv7300s-cli recover " << journal.string() << " writes its records\n";
    }
    return false;
  }
  const std::filesystem::path folder = out.parent_path().empty() ? "." : out.parent_path();
  if (!std::filesystem::is_directory(folder, error)) {
    std::cerr << "rv7300s-cli: there is no folder " << folder.string() << '\n';
    return false;
  }
  return true;
}

std::function<int()> Scanner(std::optional<int> port) {
  if (port) return [port = *port] { return ProbePort(port); };
  // Adapters come and go while a recording waits for its meter.
  return [] {
    EnumerateComPorts();
    return ScanForMeter();
  };
}

enum class Ending { reached, interrupted, noMeter, lost, stoppedByMeter, otherMeter, notStarted };

// One recording from the first connection to its end, over reconnections.
class RecordRun {
 public:
  RecordRun(HeadlessRecorder& recorder, StatusLine& status, const RecordOptions& options)
      : recorder_(recorder), status_(status), options_(options) {}

  Ending Run();
  std::string StatusText() const;

 private:
  bool WaitForMeter();
  bool WaitForReading(std::uint64_t before);
  bool RestOfRun();
  long long ElapsedSeconds() const;
  void ShowStatus();

  HeadlessRecorder& recorder_;
  StatusLine& status_;
  const RecordOptions& options_;
  std::optional<Clock::time_point> started_;
  bool waiting_ = false;
  bool journalFailureTold_ = false;
};

Ending RecordRun::Run() {
  RecordingEngine& engine = recorder_.engine;
  recorder_.controller.OnMonitorButton();
  for (;;) {
    // No acquisition runs now: a later publication is the new connection's.
    const std::uint64_t before = recorder_.published.Latest().cycle;
    if (!WaitForMeter()) return Interrupted() ? Ending::interrupted : Ending::noMeter;
    if (recorder_.otherMeter) return Ending::otherMeter;
    if (WaitForReading(before)) {
      if (!RestOfRun()) return Ending::reached;
      engine.OnStart();
      if (!engine.IsRecording()) return Ending::notStarted;
      if (!started_) started_ = Clock::now();
      recorder_.PumpUntil(
          [&] {
            ShowStatus();
            return Interrupted() || !engine.IsRecording();
          },
          kForever);
    }
    if (Interrupted()) {
      engine.StopRecording();
      return Ending::interrupted;
    }
    if (recorder_.stoppedByMeter) return Ending::stoppedByMeter;
    if (!recorder_.communicationError && recorder_.controller.Connected()) return Ending::reached;
    if (!options_.reconnect) return Ending::lost;
    status_.Say("rv7300s-cli: the meter does not answer; waiting for it to answer again");
    recorder_.communicationError = false;
  }
}

// Until a meter is connected; without --reconnect only the first search.
bool RecordRun::WaitForMeter() {
  HeadlessRecorder& r = recorder_;
  waiting_ = true;
  r.PumpUntil(
      [&] {
        r.HandlePosted();
        ShowStatus();
        if (Interrupted()) return true;
        if (r.TimerRunning(timer::kDisconnect)) return false;  // the lost connection is still ending
        return r.controller.Connected() || (!options_.reconnect && !r.TimerRunning(timer::kConnect));
      },
      kForever);
  waiting_ = false;
  return !Interrupted() && r.controller.Connected();
}

// A run records what the meter shows: it starts with the connection's
// first reading, not with what the last connection left.
bool RecordRun::WaitForReading(std::uint64_t before) {
  HeadlessRecorder& r = recorder_;
  r.PumpUntil(
      [&] {
        return Interrupted() || r.communicationError || !r.controller.Connected() ||
               r.published.Latest().cycle > before;
      },
      kForever);
  return !Interrupted() && !r.communicationError && r.controller.Connected();
}

// The run goes by the options; after a reconnection by what is left of them
// (the engine counts each run from its start).  False when nothing is.
bool RecordRun::RestOfRun() {
  const Settings& whole = recorder_.settings;
  Settings& rest = recorder_.runSettings;
  if (whole.totalMode == 0) {
    rest.dataCount = whole.dataCount - recorder_.store.recordCount();
    return rest.dataCount > 0;
  }
  const long long left = RecordTimeSeconds(whole) - ElapsedSeconds();
  rest.recordHours = static_cast<std::int32_t>(left / kSecondsPerHour);
  rest.recordMinutes = static_cast<std::int32_t>(left / kSecondsPerMinute % kSecondsPerMinute);
  rest.recordSeconds = static_cast<std::int32_t>(left % kSecondsPerMinute);
  return left > 0;
}

long long RecordRun::ElapsedSeconds() const {
  return started_ ? std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - *started_).count() : 0;
}

std::string ClockOf(long long seconds) {
  return Utf16ToUtf8(ClockText(seconds / kSecondsPerHour, seconds / kSecondsPerMinute % kSecondsPerMinute,
                               seconds % kSecondsPerMinute));
}

// A stored reading as the record list shows it; an over reading, which
// shows the range's full scale, says so.
std::string ReadingText(const _RECORD_DATA& r, int model, bool sub) {
  const std::int32_t count = sub ? r.subCount : r.mainCount;
  const bool over = count == kOverCount || count == -kOverCount ||
                    (r.flags & (sub ? record_flag::kSubOver : record_flag::kMainOver)) != 0;
  return Utf16ToUtf8(StoredValueText(r, model, sub, u".") + u" " + StoredUnit(r, model, sub)) + (over ? " OVER" : "");
}

std::string RecordRun::StatusText() const {
  const RecordStore& store = recorder_.store;
  std::string text = "records " + std::to_string(store.recordCount());
  if (store.Size() > 0) {
    const _RECORD_DATA last = store.At(store.Size() - 1);
    text += "  last " + ReadingText(last, store.recordModel, false);
    if (last.hasSub) text += ", " + ReadingText(last, store.recordModel, true);
  }
  const long long elapsed = ElapsedSeconds();
  text += "  elapsed " + ClockOf(elapsed);
  const Settings& s = recorder_.settings;
  if (s.totalMode == 1) {
    text += "  remaining " + ClockOf(std::max(0LL, RecordTimeSeconds(s) - elapsed));
  } else {
    text += "  remaining " + std::to_string(s.dataCount - store.recordCount()) + " records";
  }
  if (waiting_) text += "  waiting for the meter";
  return text;
}

void RecordRun::ShowStatus() {
  if (!journalFailureTold_ && recorder_.journal.Failed()) {
    journalFailureTold_ = true;
    status_.Say("rv7300s-cli: cannot write " + recorder_.journal.File().string() +
                "; the records are kept in memory only until the end");
  }
  status_.Show(StatusText());
}

std::string EndingMessage(Ending ending) {
  switch (ending) {
    case Ending::noMeter:
      return "no meter answered";
    case Ending::stoppedByMeter:
      return "the meter's function, PEAK or REL changed: the run ended";
    case Ending::otherMeter:
      return "another meter answered; the recording belongs to the first";
    case Ending::notStarted:
      return "the meter's configuration is in error: no run started";
    default:
      return {};
  }
}

// The recording file (and the CSV), then the journal goes.  False when
// there is nothing to write or a file could not be written.
bool Save(HeadlessRecorder& r, const RecordOptions& options, StatusLine& status, int language) {
  RecordStore& store = r.store;
  if (store.recordCount() == 0) {
    status.Say("rv7300s-cli: no record was taken; " + options.out.string() + " is not written");
    return false;
  }
  auto failed = [&](const std::u16string& message) {
    status.Say("rv7300s-cli: " + Utf16ToUtf8(message));
    return false;
  };
  try {
    WriteRecordingFile(options.out, {r.settings, store, r.graph}, store.recordModel);
  } catch (const CFileException& error) {
    return failed(error.Message(language) + u"; the records stay in " + r.journal.File().u16string());
  } catch (const CArchiveException& error) {
    return failed(error.Message(language) + u"; the records stay in " + r.journal.File().u16string());
  }
  r.engine.TieToFile(options.out.filename().u16string());
  std::cout << "records: " << store.recordCount() << std::endl;
  if (!options.csv) return true;
  try {
    const CsvLosses losses = ExportRecordingCsv(
        *options.csv, store, {store.recordModel, store.recordSerial, store.recordFirmware}, r.settings);
    if (!losses.texts.empty()) status.Say("rv7300s-cli: " + Utf16ToUtf8(CsvLossesMessage(losses, language)));
  } catch (const CFileException& error) {
    return failed(error.Message(language));
  }
  return true;
}

}  // namespace

int RecordCommand(const std::vector<std::string>& args) {
  const std::optional<RecordOptions> options = ParseOptions(args);
  if (!options) return kUsageError;
  const std::filesystem::path journalFile = options->out.string() + std::string(kJournalExtension);
  if (!OutputsFree(options->out, journalFile)) return 1;
  const int language = JapaneseUserLocale() ? 0 : 1;
  SetCatalogueLanguage(language);
  Settings settings = options->settings;
  settings.language = language;
  EnumerateComPorts();

  HeadlessRecorder recorder(journalFile, settings, Scanner(options->port), options->reconnect);
  StatusLine status;
  recorder.onBox = [&](std::u16string_view text, MessageIcon) { status.Say("rv7300s-cli: " + Utf16ToUtf8(text)); };
  CatchInterruptions();

  RecordRun run(recorder, status, *options);
  const Ending ending = run.Run();
  status.Show(run.StatusText(), true);
  status.End();
  const std::optional<RefusedPort> refused = LastRefusedPort();
  const std::string message = ending == Ending::noMeter && refused
                                  ? Utf16ToUtf8(PortRefusalHint(*refused, CatalogueLanguage()))
                                  : EndingMessage(ending);
  if (!message.empty()) status.Say("rv7300s-cli: " + message);
  const bool saved = ending != Ending::noMeter && Save(recorder, *options, status, language);
  recorder.Finish();
  return saved && (ending == Ending::reached || ending == Ending::interrupted) ? 0 : 1;
}

// The user's settings and the settings file "RV7300s.ini" (an archive, not
// text), read once at start-up and written once at exit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "base/models.h"
#include "base/version.h"
#include "persistence/archive.h"

inline constexpr std::u16string_view kSettingsVersionText = kVersionText;
inline constexpr std::int32_t kSettingsVersionNumber = 21100;
// Oldest version number whose files share this layout.
inline constexpr std::int32_t kOldestSettingsVersionNumber = 10009;
inline constexpr const char* kSettingsFileName = "RV7300s.ini";
inline constexpr std::int32_t kNoComPortSetting = 1000;

// The fields in the order the file stores them (after the version text and
// number).  The initial values are those of a start without a settings file.
struct Settings {
  ArchiveRect windowRect;
  std::int32_t language = 1;  // 0 Japanese, 1 English
  std::int32_t comPort = kNoComPortSetting;
  std::int32_t ModelIndex = kDefaultModel;
  std::int32_t baudRate = 19200;
  std::int32_t baudIndex = 1;  // in 9600, 19200
  std::int32_t autoConnect = 1;
  std::int32_t intervalMode = 0;  // 0 hours/minutes/seconds, 1 fast list
  std::int32_t totalMode = 0;     // 0 data count, 1 record time
  std::int32_t fastIntervalIndex = 0;
  std::int32_t timeDisplayMode = 0;  // 0 real time, 1 relative
  std::int32_t intervalHours = 0;
  std::int32_t intervalMinutes = 0;
  std::int32_t intervalSeconds = 1;
  std::int32_t dataCount = 1048576;
  std::int32_t recordHours = 99;
  std::int32_t recordMinutes = 99;
  std::int32_t recordSeconds = 99;
  std::int32_t companyOn = 1;
  std::u16string companyText;
  std::int32_t titleOn = 1;
  std::u16string titleText;
  std::int32_t operatorOn = 1;
  std::u16string operatorText;
  std::int32_t dateOn = 1;
  std::u16string dateText;
  std::int32_t tempHumidOn = 1;
  std::u16string temperatureText;
  std::u16string humidityText;
  std::int32_t memoOn = 1;
  std::u16string memoText;
  std::int32_t dateMode = 0;       // 0 today's date, 1 typed text
  std::int32_t decimalSymbol = 0;  // 0 period, 1 comma
  std::int32_t listSeparator = 0;  // 0 comma, 1 semicolon
  std::u16string memFolder;
  std::u16string memFileName;
  std::int32_t excelTakeInMode = 1;  // 1 Return key, 0 interval
  std::int32_t excelUseRecordSetting = 0;
  std::int32_t excelIntervalIndex = 0;

  bool operator==(const Settings&) const = default;
};

// Calls visit(name, field) for every field, in file order.
template <typename S, typename Visit>
void ForEachSettingsField(S& s, Visit&& visit) {
  visit("windowRect", s.windowRect);
  visit("language", s.language);
  visit("comPort", s.comPort);
  visit("ModelIndex", s.ModelIndex);
  visit("baudRate", s.baudRate);
  visit("baudIndex", s.baudIndex);
  visit("autoConnect", s.autoConnect);
  visit("intervalMode", s.intervalMode);
  visit("totalMode", s.totalMode);
  visit("fastIntervalIndex", s.fastIntervalIndex);
  visit("timeDisplayMode", s.timeDisplayMode);
  visit("intervalHours", s.intervalHours);
  visit("intervalMinutes", s.intervalMinutes);
  visit("intervalSeconds", s.intervalSeconds);
  visit("dataCount", s.dataCount);
  visit("recordHours", s.recordHours);
  visit("recordMinutes", s.recordMinutes);
  visit("recordSeconds", s.recordSeconds);
  visit("companyOn", s.companyOn);
  visit("companyText", s.companyText);
  visit("titleOn", s.titleOn);
  visit("titleText", s.titleText);
  visit("operatorOn", s.operatorOn);
  visit("operatorText", s.operatorText);
  visit("dateOn", s.dateOn);
  visit("dateText", s.dateText);
  visit("tempHumidOn", s.tempHumidOn);
  visit("temperatureText", s.temperatureText);
  visit("humidityText", s.humidityText);
  visit("memoOn", s.memoOn);
  visit("memoText", s.memoText);
  visit("dateMode", s.dateMode);
  visit("decimalSymbol", s.decimalSymbol);
  visit("listSeparator", s.listSeparator);
  visit("memFolder", s.memFolder);
  visit("memFileName", s.memFileName);
  visit("excelTakeInMode", s.excelTakeInMode);
  visit("excelUseRecordSetting", s.excelUseRecordSetting);
  visit("excelIntervalIndex", s.excelIntervalIndex);
}

struct SettingsReadResult {
  bool settingsLoaded = false;          // fields 3-41 were read
  bool settingsVersionDiffers = false;  // the version text is not kSettingsVersionText
  std::u16string versionText;
  std::int32_t versionNumber = 0;
};

// Storing writes every field after the current version; loading applies the
// version rules and reads the fields when they allow it.  Archive errors
// propagate, leaving the fields read so far in `settings`.
SettingsReadResult SerializeSettings(CArchive& archive, Settings& settings);

// Start-up reading: a missing, empty, truncated or malformed file reads as
// no file at all, silently, and leaves `settings` untouched.
SettingsReadResult ReadSettingsFile(const std::filesystem::path& file, Settings& settings);

// Writes the file so that a failure part-way never destroys the previous
// one: a temporary file beside it, renamed over it once complete.  Raises
// CFileException on failure.
void WriteSettingsFile(const std::filesystem::path& file, const Settings& settings);

// Language from the program folder's "Languages/lang.txt": 0 when its first
// line is "Japanese", 1 for any other line, nothing without the file.
std::optional<std::int32_t> ReadLanguageFile(const std::filesystem::path& programFolder);

struct StartupContext {
  std::filesystem::path settingsFolder;
  std::filesystem::path programFolder;
  std::int32_t firstComPort = kNoComPortSetting;  // port of the COM list's first entry
  ArchiveRect ownWindowRect;                      // the window as created
  CalendarTime today{};
};

// Applies the start-up rules to what was (or was not) read.
void ApplyStartupSettings(Settings& settings, const SettingsReadResult& read, const StartupContext& context);

// Where the main window goes at start-up: the stored top-left when settings
// were read, else 80 pixels right and down of where it was created; the
// size is always the window's own.
ArchiveRect StartupWindowRect(const Settings& settings, bool settingsLoaded, const ArchiveRect& own);

// The recording interval of the settings, in seconds.
std::int64_t RecordingIntervalSeconds(const Settings& settings);

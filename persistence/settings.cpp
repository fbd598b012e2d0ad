#include "persistence/settings.h"

#include <fstream>

#include "base/text_helpers.h"
#include "persistence/file_exception.h"
#include "persistence/replace_file.h"

namespace {

void TransferFields(CArchive& archive, Settings& settings) {
  ForEachSettingsField(settings, [&](const char*, auto& field) { Transfer(archive, field); });
}

}  // namespace

SettingsReadResult SerializeSettings(CArchive& archive, Settings& settings) {
  SettingsReadResult result;
  if (archive.IsStoring()) {
    archive << std::u16string(kSettingsVersionText) << kSettingsVersionNumber;
    TransferFields(archive, settings);
    result.settingsLoaded = true;
    return result;
  }
  archive >> result.versionText >> result.versionNumber;
  result.settingsVersionDiffers = result.versionText != kSettingsVersionText;
  if (result.settingsVersionDiffers &&
      (result.versionNumber < kOldestSettingsVersionNumber || result.versionNumber > kSettingsVersionNumber)) {
    return result;
  }
  TransferFields(archive, settings);
  result.settingsLoaded = true;
  return result;
}

SettingsReadResult ReadSettingsFile(const std::filesystem::path& file, Settings& settings) {
  try {
    CFile input(file, CFile::Mode::read);
    if (input.Length() == 0) return {};
    CArchive archive(input, CArchive::Mode::load);
    Settings read = settings;
    SettingsReadResult result = SerializeSettings(archive, read);
    if (result.settingsLoaded) settings = std::move(read);
    return result;
  } catch (const CFileException&) {
    return {};
  } catch (const CArchiveException&) {
    return {};
  }
}

void WriteSettingsFile(const std::filesystem::path& file, const Settings& settings) {
  ReplaceFile(file, [&](CFile& output) {
    CArchive archive(output, CArchive::Mode::store);
    Settings copy = settings;
    SerializeSettings(archive, copy);
    archive.Close();
  });
}

std::optional<std::int32_t> ReadLanguageFile(const std::filesystem::path& programFolder) {
  std::ifstream file(programFolder / "Languages" / "lang.txt");
  if (!file) return std::nullopt;
  std::string line;
  std::getline(file, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();  // written on Windows
  return line == "Japanese" ? 0 : 1;
}

void ApplyStartupSettings(Settings& settings, const SettingsReadResult& read, const StartupContext& context) {
  if (!read.settingsLoaded) {
    settings.windowRect = context.ownWindowRect;
    settings.language = 1;
    settings.comPort = context.firstComPort;
    settings.baudIndex = 1;
    settings.baudRate = 19200;
    settings.excelTakeInMode = 1;
    settings.ModelIndex = kDefaultModel;
    settings.memFolder = context.settingsFolder.u16string();
    settings.memFileName.clear();
  }
  if (!read.settingsLoaded || read.settingsVersionDiffers) {
    if (const auto language = ReadLanguageFile(context.programFolder)) settings.language = *language;
  }
  if (settings.dateMode == 0) settings.dateText = DateText(context.today.year, context.today.month, context.today.day);
}

ArchiveRect StartupWindowRect(const Settings& settings, bool settingsLoaded, const ArchiveRect& own) {
  const std::int32_t width = own.right - own.left;
  const std::int32_t height = own.bottom - own.top;
  const std::int32_t left = settingsLoaded ? settings.windowRect.left : own.left + 80;
  const std::int32_t top = settingsLoaded ? settings.windowRect.top : own.top + 80;
  return {left, top, left + width, top + height};
}

std::int64_t RecordingIntervalSeconds(const Settings& settings) {
  // The file reader checks no ranges; a hostile file must not overflow this.
  return std::int64_t{settings.intervalHours} * 3600 + std::int64_t{settings.intervalMinutes} * 60 +
         settings.intervalSeconds;
}

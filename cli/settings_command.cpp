#include "cli/settings_command.h"

#include <iostream>

#include "base/utf16.h"
#include "cli/help_command.h"
#include "cli/text_output.h"
#include "persistence/ansi_code_page.h"
#include "persistence/file_exception.h"
#include "persistence/settings.h"
#include "persistence/settings_folder.h"

namespace {

std::string Shown(std::int32_t value) { return std::to_string(value); }
std::string Shown(const std::u16string& value) { return Escaped(value); }
std::string Shown(const ArchiveRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

int Show(const std::filesystem::path& file) {
  const int language = JapaneseUserLocale() ? 0 : 1;
  try {
    CFile input(file, CFile::Mode::read);
    CArchive archive(input, CArchive::Mode::load);
    Settings settings;
    const SettingsReadResult read = SerializeSettings(archive, settings);
    std::cout << "versionText: " << Escaped(read.versionText) << '\n'
              << "versionNumber: " << read.versionNumber << '\n';
    if (!read.settingsLoaded) {
      std::cerr << "rv7300s-cli: " << file.string() << ": version " << read.versionNumber
                << " is not one this program reads (10009-21100)\n";
      return 1;
    }
    ForEachSettingsField(
        settings, [](const char* name, const auto& field) { std::cout << name << ": " << Shown(field) << '\n'; });
    return 0;
  } catch (const CArchiveException& error) {
    std::cerr << "rv7300s-cli: " << Utf16ToUtf8(error.Message(language)) << '\n';
  } catch (const CFileException& error) {
    std::cerr << "rv7300s-cli: " << Utf16ToUtf8(error.Message(language)) << '\n';
  }
  return 1;
}

}  // namespace

int SettingsCommand(const std::vector<std::string>& args) {
  if (args.empty() || args[0] != "show" || args.size() > 2) {
    return UsageError("settings", "settings takes show and at most a file");
  }
  return Show(args.size() == 2 ? std::filesystem::path(args[1]) : DecideSettingsFolder() / kSettingsFileName);
}

#include "persistence/settings_folder.h"

#include <cstdlib>

namespace fs = std::filesystem;

fs::path DecideSettingsFolder() {
  // A folder of its own for a portable copy, a second instance or a test.
  const char* chosen = std::getenv("RV7300S_SETTINGS_DIR");
  const fs::path folder = chosen && *chosen ? fs::path(chosen) : SettingsFolderFor(ProgramFolder());
  std::error_code ignored;  // a folder that cannot be made shows at exit, when the settings cannot be saved
  fs::create_directories(folder, ignored);
  return folder;
}

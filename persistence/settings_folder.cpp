#include "persistence/settings_folder.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

// A folder of its own for a portable copy, a second instance or a test;
// empty when none is named.  Windows keeps the environment in UTF-16: a
// name outside the code page must come through whole.
fs::path ChosenFolder() {
#ifdef _WIN32
  const wchar_t* chosen = _wgetenv(L"RV7300S_SETTINGS_DIR");
#else
  const char* chosen = std::getenv("RV7300S_SETTINGS_DIR");
#endif
  return chosen && *chosen ? fs::path(chosen) : fs::path();
}

}  // namespace

fs::path DecideSettingsFolder() {
  fs::path folder = ChosenFolder();
  if (folder.empty()) folder = SettingsFolderFor(ProgramFolder());
  std::error_code ignored;  // a folder that cannot be made shows at exit, when the settings cannot be saved
  fs::create_directories(folder, ignored);
  return folder;
}

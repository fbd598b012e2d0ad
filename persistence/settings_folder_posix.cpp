// Linux: a program under /usr, /usr/local or /opt is installed system-wide and
// keeps its settings in $XDG_CONFIG_HOME/VORNEK/QM8000 (default
// ~/.config/VORNEK/QM8000); anywhere else, beside the program file.
#include <algorithm>
#include <cstdlib>

#include "persistence/settings_folder.h"

namespace fs = std::filesystem;

namespace {

bool IsUnder(const fs::path& folder, const fs::path& prefix) {
  auto [end, ignored] = std::mismatch(prefix.begin(), prefix.end(), folder.begin(), folder.end());
  return end == prefix.end();
}

fs::path UserConfigFolder() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return config;
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : "/tmp") / ".config";
}

}  // namespace

fs::path ProgramFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path() : program.parent_path();
}

fs::path SettingsFolderFor(const fs::path& programFolder) {
  for (const char* prefix : {"/usr", "/opt"}) {
    if (IsUnder(programFolder.lexically_normal(), prefix)) return UserConfigFolder() / "VORNEK" / "QM8000";
  }
  return programFolder;
}

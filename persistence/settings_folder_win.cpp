// Windows: a program inside %ProgramFiles% keeps its settings in
// %APPDATA%\VORNEK\QM8000; anywhere else, beside the program file.
#include <windows.h>

#include <string>

#include "persistence/settings_folder.h"

namespace fs = std::filesystem;

namespace {

std::wstring Expand(const wchar_t* text) {
  wchar_t expanded[MAX_PATH * 2] = {};
  ExpandEnvironmentStringsW(text, expanded, MAX_PATH * 2);
  return expanded;
}

}  // namespace

fs::path ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.rfind(L'\\'));
}

fs::path SettingsFolderFor(const fs::path& programFolder) {
  if (programFolder.wstring().find(Expand(L"%ProgramFiles%")) == std::wstring::npos) return programFolder;
  return fs::path(Expand(L"%APPDATA%\\VORNEK")) / L"QM8000";
}

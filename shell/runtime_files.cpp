#include "shell/runtime_files.h"

#include "persistence/settings_folder.h"

std::filesystem::path RuntimeFolder() {
  const std::filesystem::path program = ProgramFolder();
  std::error_code error;
  if (std::filesystem::is_directory(program / "Pictures", error)) return program;
  return program.parent_path() / "share" / "rv7300s";
}

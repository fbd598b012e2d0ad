// Where the program's files are and where its settings file lives.
#pragma once

#include <filesystem>
#include <optional>

// The folder of the program file.
std::filesystem::path ProgramFolder();

// The settings folder for a program installed in `programFolder`: beside the
// program, unless it is installed in the system's program area, where users
// may not write; then a folder of the user's own ("VORNEK/QM8000" in the
// per-user application data).  Nothing is created here.
std::filesystem::path SettingsFolderFor(const std::filesystem::path& programFolder);

// Decides the settings folder at start-up ($RV7300S_SETTINGS_DIR when set,
// else the rule above) and creates it when missing.
std::filesystem::path DecideSettingsFolder();

// rv7300s-cli settings show [FILE]
#pragma once

#include <string>
#include <vector>

int SettingsCommand(const std::vector<std::string>& args);

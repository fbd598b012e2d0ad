// rv7300s-cli settings show: every setting of a settings file (see
// cli/command_help.cpp).
#pragma once

#include <string>
#include <vector>

int SettingsCommand(const std::vector<std::string>& args);

// rv7300s-cli info and export: a recording file told, or exported as CSV
// (see cli/command_help.cpp).
#pragma once

#include <string>
#include <vector>

int InfoCommand(std::vector<std::string> args);
int ExportCommand(const std::vector<std::string>& args);

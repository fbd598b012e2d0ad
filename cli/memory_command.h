// rv7300s-cli memory: the meter's memory into a CSV file (see cli/command_help.cpp).
#pragma once

#include <string>
#include <vector>

int MemoryCommand(const std::vector<std::string>& args);

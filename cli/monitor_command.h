// rv7300s-cli monitor: live readings, a line a cycle (see cli/command_help.cpp).
#pragma once

#include <string>
#include <vector>

int MonitorCommand(std::vector<std::string> args);

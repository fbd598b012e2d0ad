// rv7300s-cli record: the window's recording, headless (see cli/command_help.cpp).
#pragma once

#include <string>
#include <vector>

int RecordCommand(const std::vector<std::string>& args);

// rv7300s-cli recover: a journal's records into a new recording file (see
// cli/command_help.cpp).
#pragma once

#include <string>
#include <vector>

int RecoverCommand(const std::vector<std::string>& args);

// rv7300s-cli format: the stored-value formatter on one count.
#pragma once

#include <string>
#include <vector>

int FormatCommand(const std::vector<std::string>& args);

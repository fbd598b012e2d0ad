// rv7300s-cli memory OUT.csv [--port N] [--language en|ja] [--decimal .|,] [--separator ,|;]
#pragma once

#include <string>
#include <vector>

int MemoryCommand(const std::vector<std::string>& args);

// rv7300s-cli info FILE.vdmm
// rv7300s-cli export FILE.vdmm OUT.csv [--language en|ja] [--decimal .|,] [--separator ,|;] [--time real|relative]
#pragma once

#include <string>
#include <vector>

int InfoCommand(const std::vector<std::string>& args);
int ExportCommand(const std::vector<std::string>& args);

// rv7300s-cli recover JOURNAL [OUT.vdmm]
#pragma once

#include <string>
#include <vector>

int RecoverCommand(const std::vector<std::string>& args);

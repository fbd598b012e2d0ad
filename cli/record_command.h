// rv7300s-cli record OUT.vdmm [--port N] [--interval SECONDS | --fast TENTHS] [--count N | --time HH:MM:SS]
//                             [--csv OUT.csv] [--reconnect]
#pragma once

#include <string>
#include <vector>

int RecordCommand(const std::vector<std::string>& args);

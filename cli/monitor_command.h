// rv7300s-cli monitor [--port N] [--count K] [--interval-ms M]
#pragma once

#include <string>
#include <vector>

int MonitorCommand(const std::vector<std::string>& args);

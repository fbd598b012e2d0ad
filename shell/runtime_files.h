// Where the run-time folders ("Pictures", "Manuals", "Languages") are:
// beside the program, or <prefix>/share/rv7300s when it is installed.
#pragma once

#include <filesystem>

std::filesystem::path RuntimeFolder();

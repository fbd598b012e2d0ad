// `help`, `--help`, `-h` and `--version`, and the usage error every command
// ends with: all told from the one help text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// help [COMMAND]; also the pages made from it: `help --man`, `help --markdown`.
int HelpCommand(const std::vector<std::string>& args);

// Whether `args` (after the command) ask for the command's help instead.
bool AsksForHelp(const std::vector<std::string>& args);

int VersionCommand();

// The problem and the use of `command` (of the program when empty) on
// standard error; the usage error's exit status.
int UsageError(std::string_view command, const std::string& problem);

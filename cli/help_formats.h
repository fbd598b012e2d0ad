// The command line's help in the shapes it is read in: on a terminal, as
// the man page, as the README's section.  All from CliHelp().
#pragma once

#include <string>
#include <string_view>

#include "cli/command_help.h"

// `rv7300s-cli --help`: the commands and what they do.
std::string TerminalHelp();
// `rv7300s-cli help COMMAND`: its use, options and exit codes.
std::string TerminalHelp(const CommandHelp& command);
// "rv7300s-cli identify [--port N] ...", as a usage error shows it.
std::string UsageLine(const CommandHelp& command);
// The page rv7300s-cli(1), in man's roff.
std::string ManPage(std::string_view version);
// The README's section on the command line, in Markdown.
std::string MarkdownSection();

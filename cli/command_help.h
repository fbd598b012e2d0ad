// The command line's help as data: the one text that `--help`,
// `help COMMAND`, the man page and the README's section are all made from,
// so that none of them can tell another story.  Texts mark literals
// (commands, options, files) with backticks.
#pragma once

#include <string_view>
#include <vector>

// A word and what it means: an option, a file, a variable.
struct HelpTerm {
  std::string_view term;
  std::string_view text;
};

struct ExitStatus {
  int code = 0;
  std::string_view meaning;
};

struct CommandHelp {
  std::string_view name;       // as typed: "identify"
  std::string_view arguments;  // what follows the name: "[--port N] [--json]"
  std::string_view summary;    // its line in the list of commands
  std::vector<std::string_view> paragraphs{};
  std::vector<HelpTerm> options{};
  std::vector<ExitStatus> exits{};
};

// What follows the commands: ports, files, environment, an example.
struct HelpSection {
  std::string_view title;
  std::vector<std::string_view> paragraphs{};
  std::vector<HelpTerm> terms{};
  std::vector<std::string_view> example{};  // shell lines
};

struct ProgramHelp {
  std::string_view name;         // "rv7300s-cli"
  std::string_view title;        // of the README's section
  std::string_view purpose;      // the man page's NAME line
  std::string_view package;      // the man page's source, before the version
  std::string_view pageDate;     // when the text last changed
  std::string_view relatedPage;  // SEE ALSO
  std::vector<std::string_view> paragraphs{};
  std::vector<CommandHelp> commands;
  std::vector<HelpSection> sections;
};

const ProgramHelp& CliHelp();

// The command typed as `name`; null when there is none.
const CommandHelp* FindCommandHelp(std::string_view name);

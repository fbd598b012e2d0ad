#include "cli/help_command.h"

#include <algorithm>
#include <iostream>

#include "base/utf16.h"
#include "base/version.h"
#include "cli/help_formats.h"

namespace {

constexpr int kUsageError = 2;

}  // namespace

int HelpCommand(const std::vector<std::string>& args) {
  if (args.size() > 1) return UsageError("help", "help takes one command");
  const std::string topic = args.empty() ? std::string() : args[0];
  if (topic.empty()) {
    std::cout << TerminalHelp();
  } else if (topic == "--man") {
    std::cout << ManPage(Utf16ToUtf8(kVersionText));
  } else if (topic == "--markdown") {
    std::cout << MarkdownSection();
  } else if (const CommandHelp* command = FindCommandHelp(topic)) {
    std::cout << TerminalHelp(*command);
  } else {
    return UsageError("help", "no command " + topic);
  }
  return 0;
}

bool AsksForHelp(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(), [](const std::string& arg) { return arg == "--help" || arg == "-h"; });
}

int VersionCommand() {
  std::cout << CliHelp().name << ' ' << Utf16ToUtf8(kVersionText) << '\n';
  return 0;
}

int UsageError(std::string_view command, const std::string& problem) {
  const std::string_view program = CliHelp().name;
  std::cerr << program << ": " << problem << '\n';
  if (const CommandHelp* help = FindCommandHelp(command)) {
    std::cerr << "usage: " << UsageLine(*help) << '\n';
  } else {
    std::cerr << "'" << program << " --help' lists the commands\n";
  }
  return kUsageError;
}

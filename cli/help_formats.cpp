#include "cli/help_formats.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kTerminalWidth = 79;
constexpr std::size_t kMarkdownWidth = 76;  // as the rest of the README
constexpr std::size_t kRoffWidth = 78;
constexpr std::size_t kWidestTermColumn = 26;  // a longer term has its meaning on the next line
constexpr std::size_t kTermGap = 2;
constexpr std::string_view kIndent = "  ";
constexpr std::string_view kProgramArguments = "COMMAND [OPTIONS]";
constexpr std::string_view kVersionOption = "--version";
constexpr std::size_t kExampleIndent = 4;

using Lines = std::vector<std::string>;
using Terms = std::vector<std::pair<std::string, std::string>>;

// The words of `text` between spaces; with `keepGroups`, a bracketed group
// of a synopsis ("[--port N]") is one word, so that no line breaks it.
std::vector<std::string_view> Words(std::string_view text, bool keepGroups = false) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  int depth = 0;
  for (std::size_t at = 0; at <= text.size(); ++at) {
    const char c = at < text.size() ? text[at] : ' ';
    if (keepGroups && c == '[') ++depth;
    if (keepGroups && c == ']') --depth;
    if (c != ' ' || depth > 0) continue;
    if (at > start) words.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  return words;
}

// Words in lines of at most `width` (a longer word stands alone).  A word
// that `mayStartLine` refuses stays at the end of the line before it, where
// it cannot be read as markup.
Lines Wrap(const std::vector<std::string_view>& words, std::size_t width,
           bool (*mayStartLine)(std::string_view) = nullptr) {
  Lines lines;
  for (const std::string_view word : words) {
    const bool fits = !lines.empty() && lines.back().size() + 1 + word.size() <= width;
    if (lines.empty() || (!fits && (!mayStartLine || mayStartLine(word)))) {
      lines.emplace_back(word);
    } else {
      lines.back() += ' ';
      lines.back() += word;
    }
  }
  return lines;
}

// Each line after its prefix: `first` before the first line, `rest` before the others.
std::string Joined(const Lines& lines, std::string_view first, std::string_view rest) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out += i == 0 ? first : rest;
    out += lines[i] + '\n';
  }
  return out;
}

std::string UsageText(const CommandHelp& command) {
  std::string text = std::string(command.name);
  if (!command.arguments.empty()) text += ' ' + std::string(command.arguments);
  return text;
}

std::string ExitSentence(const CommandHelp& command) {
  std::string text = "Exit status:";
  for (std::size_t i = 0; i < command.exits.size(); ++i) {
    text += (i == 0 ? " " : "; ") + std::to_string(command.exits[i].code) + ' ' + std::string(command.exits[i].meaning);
  }
  return text + '.';
}

// --- Terminal ---

// Literals are plain on a terminal.
std::string Plain(std::string_view text) {
  std::string out;
  std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](char c) { return c != '`'; });
  return out;
}

std::string Paragraphs(const std::vector<std::string_view>& paragraphs) {
  std::string out;
  for (const std::string_view paragraph : paragraphs)
    out += '\n' + Joined(Wrap(Words(Plain(paragraph)), kTerminalWidth), "", "");
  return out;
}

// Terms in a column, their meanings beside them.
std::string TermList(const Terms& terms) {
  std::size_t widest = 0;
  for (const auto& term : terms) widest = std::max(widest, term.first.size());
  const std::size_t column = std::min(kIndent.size() + widest + kTermGap, kWidestTermColumn);
  const std::string hanging(column, ' ');
  std::string out;
  for (const auto& [term, meaning] : terms) {
    std::string first = std::string(kIndent) + term;
    first =
        first.size() + kTermGap <= column ? first + std::string(column - first.size(), ' ') : first + '\n' + hanging;
    out += Joined(Wrap(Words(Plain(meaning)), kTerminalWidth - column), first, hanging);
  }
  return out;
}

// --- Man page ---

std::string RoffEscaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";  // a minus that can be typed back, as options are
    } else {
      out += c;
    }
  }
  return out;
}

// Literals in bold.
std::string RoffText(std::string_view text) {
  std::string out;
  bool literal = false;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t mark = std::min(text.find('`', at), text.size());
    out += RoffEscaped(text.substr(at, mark - at));
    if (mark < text.size()) {
      out += literal ? "\\fR" : "\\fB";
      literal = !literal;
    }
    at = mark + 1;
  }
  return out;
}

// Source lines; one that would begin with a control character is kept as text.
std::string RoffLines(const std::string& roff) {
  std::string out;
  for (const std::string& line : Wrap(Words(roff), kRoffWidth)) {
    out += (line.front() == '.' || line.front() == '\'' ? "\\&" : "") + line + '\n';
  }
  return out;
}

// Words to type in bold, the ones to replace (FILE, N) in italics; no line
// breaks a bracketed group.
std::string RoffSynopsis(std::string_view text) {
  constexpr std::string_view kPunctuation = " []|";
  std::string out;
  int depth = 0;
  for (std::size_t at = 0; at < text.size();) {
    if (kPunctuation.find(text[at]) != std::string_view::npos) {
      depth += text[at] == '[' ? 1 : text[at] == ']' ? -1 : 0;
      out += text[at] == ' ' && depth > 0 ? "\\ " : std::string(1, text[at]);
      ++at;
      continue;
    }
    const std::size_t end = std::min(text.find_first_of(kPunctuation, at), text.size());
    const std::string_view word = text.substr(at, end - at);
    out += (std::isupper(static_cast<unsigned char>(word.front())) ? "\\fI" : "\\fB") + RoffEscaped(word) + "\\fR";
    at = end;
  }
  return out;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
  return out;
}

// Paragraphs, each after a break but the first of a section.
std::string RoffParagraphs(const std::vector<std::string_view>& paragraphs) {
  std::string out;
  for (std::size_t i = 0; i < paragraphs.size(); ++i)
    out += (i == 0 ? "" : ".PP\n") + RoffLines(RoffText(paragraphs[i]));
  return out;
}

// --- Markdown ---

// A word that would open a list, a heading, a quote or a table at the start of a line.
bool MayStartMarkdownLine(std::string_view word) {
  if (std::string_view("-+*#>|=").find(word.front()) != std::string_view::npos) return false;
  const std::size_t digits = word.find_first_not_of("0123456789");
  return !(digits > 0 && digits != std::string_view::npos && digits + 1 == word.size() &&
           (word.back() == '.' || word.back() == ')'));
}

std::string MarkdownParagraph(std::string_view text) {
  return '\n' + Joined(Wrap(Words(text), kMarkdownWidth, MayStartMarkdownLine), "", "");
}

std::string MarkdownTerms(const std::vector<HelpTerm>& terms) {
  std::string out = "\n";
  for (const HelpTerm& term : terms) {
    const std::string item = "`" + std::string(term.term) + "`: " + std::string(term.text);
    out += Joined(Wrap(Words(item), kMarkdownWidth - kIndent.size(), MayStartMarkdownLine), "- ", kIndent);
  }
  return out;
}

std::string ShellBlock(const std::vector<std::string>& lines) {
  std::string out = "\n```sh\n";
  for (const std::string& line : lines) out += line + '\n';
  return out + "```\n";
}

}  // namespace

std::string UsageLine(const CommandHelp& command) { return std::string(CliHelp().name) + ' ' + UsageText(command); }

std::string TerminalHelp() {
  const ProgramHelp& help = CliHelp();
  const std::string name(help.name);
  const std::string indent(std::string_view("usage: ").size(), ' ');
  std::string out = "usage: " + name + ' ' + std::string(kProgramArguments) + '\n';
  if (const CommandHelp* helpCommand = FindCommandHelp("help")) out += indent + UsageLine(*helpCommand) + '\n';
  out += indent + name + ' ' + std::string(kVersionOption) + '\n';
  out += Paragraphs(help.paragraphs);
  Terms commands;
  for (const CommandHelp& command : help.commands) commands.emplace_back(command.name, command.summary);
  return out + "\nCommands:\n" + TermList(commands);
}

std::string TerminalHelp(const CommandHelp& command) {
  const std::string first = "usage: " + std::string(CliHelp().name) + ' ' + std::string(command.name) + ' ';
  std::string out = Joined(Wrap(Words(command.arguments, true), kTerminalWidth - first.size()), first,
                           std::string(first.size(), ' '));
  out += Paragraphs(command.paragraphs);
  if (!command.options.empty()) {
    Terms options;
    for (const HelpTerm& option : command.options) options.emplace_back(option.term, option.text);
    out += "\nOptions:\n" + TermList(options);
  }
  Terms exits;
  for (const ExitStatus& exit : command.exits) exits.emplace_back(std::to_string(exit.code), exit.meaning);
  return out + "\nExit status:\n" + TermList(exits);
}

std::string ManPage(std::string_view version) {
  const ProgramHelp& help = CliHelp();
  const std::string synopsis = ".SY " + RoffEscaped(help.name) + '\n';
  std::string out = ".TH " + Upper(help.name) + " 1 \"" + std::string(help.pageDate) + "\" \"" +
                    std::string(help.package) + ' ' + std::string(version) + "\" \"User Commands\"\n";
  out += ".nh\n.ad l\n";  // paths and options are not to be hyphenated or stretched
  out += ".SH NAME\n" + RoffEscaped(help.name) + " \\- " + RoffText(help.purpose) + '\n';
  out += ".SH SYNOPSIS\n";
  for (const CommandHelp& command : help.commands) out += synopsis + RoffSynopsis(UsageText(command)) + "\n.YS\n";
  out += synopsis + RoffSynopsis(kVersionOption) + "\n.YS\n";
  out += ".SH DESCRIPTION\n" + RoffParagraphs(help.paragraphs);
  out += ".SH COMMANDS\n";
  for (const CommandHelp& command : help.commands) {
    out += ".SS " + std::string(command.name) + '\n' + RoffParagraphs(command.paragraphs);
    for (const HelpTerm& option : command.options) {
      out += ".TP\n" + RoffSynopsis(option.term) + '\n' + RoffLines(RoffText(option.text));
    }
    out += ".PP\n" + RoffLines(RoffText(ExitSentence(command)));
  }
  for (const HelpSection& section : help.sections) {
    out += ".SH " + Upper(section.title) + '\n' + RoffParagraphs(section.paragraphs);
    for (const HelpTerm& term : section.terms) {
      out += ".TP\n\\fB" + RoffEscaped(term.term) + "\\fR\n" + RoffLines(RoffText(term.text));
    }
    if (!section.example.empty()) {
      out += ".PP\n.RS " + std::to_string(kExampleIndent) + "\n.nf\n";
      for (const std::string_view line : section.example) out += "\\&" + RoffEscaped(line) + '\n';
      out += ".fi\n.RE\n";
    }
  }
  return out + ".SH SEE ALSO\n.BR " + std::string(help.relatedPage) + " (1)\n";
}

std::string MarkdownSection() {
  const ProgramHelp& help = CliHelp();
  std::string out = "## " + std::string(help.title) + '\n';
  for (const std::string_view paragraph : help.paragraphs) out += MarkdownParagraph(paragraph);
  std::vector<std::string> synopses;
  for (const CommandHelp& command : help.commands) synopses.push_back(UsageLine(command));
  synopses.push_back(std::string(help.name) + ' ' + std::string(kVersionOption));
  out += ShellBlock(synopses);
  for (const CommandHelp& command : help.commands) {
    out += "\n### `" + std::string(help.name) + ' ' + std::string(command.name) + "`\n";
    for (const std::string_view paragraph : command.paragraphs) out += MarkdownParagraph(paragraph);
    if (!command.options.empty()) out += MarkdownTerms(command.options);
    out += MarkdownParagraph(ExitSentence(command));
  }
  for (const HelpSection& section : help.sections) {
    out += "\n### " + std::string(section.title) + '\n';
    for (const std::string_view paragraph : section.paragraphs) out += MarkdownParagraph(paragraph);
    if (!section.terms.empty()) out += MarkdownTerms(section.terms);
    if (!section.example.empty()) out += ShellBlock({section.example.begin(), section.example.end()});
  }
  return out;
}

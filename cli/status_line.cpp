#include "cli/status_line.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr auto kTerminalPeriod = std::chrono::milliseconds(200);
constexpr auto kPlainPeriod = std::chrono::seconds(5);
constexpr const char* kClearLine = "\r\033[K";

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace

StatusLine::StatusLine() : terminal_(StandardErrorIsTerminal()) {}

void StatusLine::Show(const std::string& text, bool now) {
  const auto time = std::chrono::steady_clock::now();
  text_ = text;
  if (!now && last_ && time - *last_ < (terminal_ ? kTerminalPeriod : kPlainPeriod)) return;
  last_ = time;
  Draw();
}

void StatusLine::Draw() {
  if (terminal_) {
    std::cerr << kClearLine << text_ << std::flush;
    drawn_ = true;
  } else {
    std::cerr << text_ << std::endl;
  }
}

void StatusLine::Say(const std::string& message) {
  if (drawn_) std::cerr << kClearLine;
  std::cerr << message << std::endl;
  drawn_ = false;
  if (terminal_ && !text_.empty()) Draw();
}

void StatusLine::End() {
  if (drawn_) std::cerr << '\n';
  drawn_ = false;
}

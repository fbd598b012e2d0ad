// A progress line on standard error: redrawn in place on a terminal; to a
// file or a pipe a plain line now and then, so that a day's log stays short.
#pragma once

#include <chrono>
#include <optional>
#include <string>

class StatusLine {
 public:
  StatusLine();

  // Shows `text` once the last showing is long enough ago, or at once when
  // `now` is set.
  void Show(const std::string& text, bool now = false);
  // A message on a line of its own; the status is drawn again below it.
  void Say(const std::string& message);
  // The last status stays on its own line.
  void End();

 private:
  void Draw();

  const bool terminal_;
  std::string text_;
  bool drawn_ = false;  // on a terminal: the cursor stands at the end of the status
  std::optional<std::chrono::steady_clock::time_point> last_;
};

// Application messages, message boxes and the 100 ms timers over Qt: a
// sent message is handled on the window's thread while the sender waits.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>

#include "window/window.h"

class QtWindowServices : public AppMessages, public MessageBoxes, public WindowTimers {
 public:
  explicit QtWindowServices(QWidget* window) : window_(window) {}

  std::function<void(int, std::intptr_t)> onMessage;
  std::function<void(int)> onTimer;
  std::function<QString()> boxTitle;
  // When set, answers message boxes instead of the user (tests).
  std::function<MessageAnswer(std::u16string_view, MessageButtons)> answer;

  void Send(int n, std::intptr_t parameter) override;
  void Post(int n, std::intptr_t parameter) override;
  MessageAnswer Ask(std::u16string_view text, MessageIcon icon, MessageButtons buttons) override;
  void Start(int id) override;
  void Kill(int id) override;

 private:
  QWidget* window_;
  std::map<int, QTimer*> timers_;
};

// The rest of what the core asks of the window: application messages,
// message boxes and the 100 ms window timers.
#pragma once

#include <cstdint>
#include <string_view>

// Application message n is the first application message value + n.
namespace app_message {
inline constexpr int kFirst = 0x8000;
inline constexpr int Value(int n) { return kFirst + n; }
inline constexpr int kMemoryMenu = 9;           // parameter 1 greys the item, 0 enables it
inline constexpr int kSaveMenu = 10;            // likewise for the save items, and
inline constexpr int kAlsoOpen = 2;             // added to it: for Open as well
inline constexpr int kCommunicationError = 12;  // parameter 0: not sent, 1: no usable reply
inline constexpr int kBufferOver = 14;
}  // namespace app_message

class AppMessages {
 public:
  virtual ~AppMessages() = default;
  // Returns when the window has handled it (the caller's thread waits).
  virtual void Send(int n, std::intptr_t parameter) = 0;
  // Queued; returns at once.
  virtual void Post(int n, std::intptr_t parameter) = 0;
};

enum class MessageIcon { information, warning, error, question };
enum class MessageButtons { ok, yesNo, yesNoCancel };
enum class MessageAnswer { ok, yes, no, cancel };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the text and returns the button the user chose.
  virtual MessageAnswer Ask(std::u16string_view text, MessageIcon icon, MessageButtons buttons) = 0;
  // A notice with an OK button.
  void Show(std::u16string_view text, MessageIcon icon) { Ask(text, icon, MessageButtons::ok); }
};

namespace timer {
inline constexpr int kConnect = 1;
inline constexpr int kDisconnect = 2;
inline constexpr int kMemoryPause = 4;
inline constexpr int kExit = 7;
}  // namespace timer

class WindowTimers {
 public:
  virtual ~WindowTimers() = default;
  // Starts (or restarts) the 100 ms timer `id`; the shell then calls the
  // owner's entry point for it on every tick until it is killed.
  virtual void Start(int id) = 0;
  virtual void Kill(int id) = 0;
};

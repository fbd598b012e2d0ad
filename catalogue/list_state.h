// What the monitor panel's mode and range lists last showed and what the
// user asked of them.  Kept by the main window; the acquisition thread and
// the user-interface thread both write it.
#pragma once

#include <atomic>

struct ListState {
  std::atomic<int> modePosition{0};         // recorded mode-list position
  std::atomic<int> rangePosition{0};        // recorded range-list position
  std::atomic<int> requestedFunction{0};    // row the mode list asks for
  std::atomic<int> rememberedAcvRange{-1};  // RV736X "ACV" list position, -1 none
  // The language changed: the next configuration reply fills the lists
  // again, from the row it decodes (the window's copy may be a cycle old).
  std::atomic<bool> relabel{false};

  // A new connection forgets what the last one remembered.
  void ResetForConnection() { rememberedAcvRange = -1; }
};

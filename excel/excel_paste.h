// The spreadsheet window's behaviour: attaching to a spreadsheet program,
// the take-in modes, the interval take-in, one row of eleven cells per
// take-in from the active cell down, the write-error rule, and the check
// that notices the program was closed.  Runs on the window's thread; the
// shell forwards clicks, timer ticks and messages by number.
#pragma once

#include <functional>
#include <memory>

#include "excel/spreadsheet.h"
#include "excel/take_in_thread.h"
#include "live/published_reading.h"
#include "persistence/settings.h"
#include "window/controls.h"
#include "window/window.h"

struct ExcelPasteEnvironment {
  Controls& controls;   // the spreadsheet window's
  AppMessages& window;  // the spreadsheet window's own messages
  AppMessages& mainWindow;
  MessageBoxes& boxes;
  Settings& settings;
  const PublishedReading& published;
  std::function<std::unique_ptr<SpreadsheetProgram>()> program;  // the platform's, or null
  std::function<bool()> meterConnected;
  std::function<bool()> recording;
  IntervalClocks clocks = IntervalClocks::System();
};

class ExcelPaste {
 public:
  explicit ExcelPaste(ExcelPasteEnvironment environment);

  // The window's first showing: lists, texts, and everything but the Open
  // button disabled.
  void Create(int language);
  void Relabel(int language);

  // The Open button, after the opening question: a new or running
  // document (file empty), or the file chosen.  Shows "not found" itself.
  void Attach(const std::u16string& file);
  void OnClicked(int id);    // radios, the record-setting box, Start/Stop
  void OnSelection(int id);  // the interval list
  // Return in one of the program's windows: true when it was a take-in's.
  bool OnReturnKey();
  // The window's messages (the interval elapsed).
  bool OnMessage(int n, std::intptr_t parameter);
  // Main window: a row now (Return) or at the thread's noted time.
  void TakeInNow();
  void TakeInAtNotedTime();
  // The 300 ms check; `focusHere` tells whether one of our windows has the
  // keyboard focus.
  void OnCheckTimer(bool focusHere);
  // Close (or Escape): the window hides, the spreadsheet stays attached.
  void OnClose();
  // Stops an interval take-in from outside (settings dialog, communication error).
  void StopTakeIn();

  bool Attached() const { return program_ != nullptr; }
  bool IntervalRunning() const { return intervalRunning_; }
  bool CheckTimerWanted() const { return program_ != nullptr; }
  int rowCounter() const { return rowCounter_; }

 private:
  void SetIdleControls();
  void SetDetachedControls();
  void WriteRow(const CDateTime& takeInTime);
  void StopInterval(bool writeError);
  void Detach();
  bool RefuseWithoutMeter();
  std::int64_t Wait() const;

  ExcelPasteEnvironment env_;
  TakeInThread thread_;
  std::unique_ptr<SpreadsheetProgram> program_;
  std::u16string version_;
  int language_ = 1;
  int rowCounter_ = 0;
  int runCount_ = 0;
  bool intervalRunning_ = false;
  bool writing_ = false;
  bool checking_ = false;
  bool editing_ = false;
  bool writeError_ = false;
  SheetCell errorCell_;
};

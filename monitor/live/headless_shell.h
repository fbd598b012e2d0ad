// The main window for running the monitor without one (the command line,
// benchmarks): its message loop, no recording, no dialogs.  The check
// window's scan is given; the exit sets `ended`.
#pragma once

#include <atomic>
#include <functional>

#include "monitor/live/headless_window.h"
#include "monitor/live/hooks.h"

class HeadlessShell : public HeadlessWindow, public ConnectionHooks {
 public:
  explicit HeadlessShell(std::function<bool()> findMeter) : findMeter_(std::move(findMeter)) {}

  bool IsRecording() const override { return false; }
  void StopRecording() override {}
  void EndRecordingAtDisconnect() override {}
  void RefreshAfterDisconnect() override {}
  void StopRecordInterval() override {}
  void StopSpreadsheetTakeIn() override {}
  void MeterSettingsAvailable(bool) override {}
  void SelectSpeed(int) override {}
  void MeterIdentified(int) override {}
  bool RunCheckWindow() override { return findMeter_(); }
  void RunMemoryDownload() override {}
  void EndDialog() override { ended = true; }

  std::atomic<bool> ended{false};

 private:
  std::function<bool()> findMeter_;
};

// The main window for running the monitor without one (the command line,
// benchmarks): its message loop, no recording, no dialogs.  The check
// window's scan is given; the exit sets `ended`.
#pragma once

#include <atomic>
#include <functional>

#include "link/identification.h"
#include "live/connection.h"
#include "live/headless_window.h"
#include "live/hooks.h"
#include "window/headless_controls.h"

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

// The whole live monitor without a window, wired together: for the command
// line and the benchmarks.
struct HeadlessMonitor {
  explicit HeadlessMonitor(std::function<bool()> findMeter)
      : window(std::move(findMeter)),
        controller({controls, window, window, window, window, snapshot, lists, settings, published,
                    [] { return false; }, [] { return ScanForMeter(); }}) {
    window.onTimer = [this](int id) { controller.OnTimer(id); };
    window.onMessage = [this](int n, std::intptr_t parameter) {
      if (n == app_message::kCommunicationError || n == app_message::kBufferOver) communicationError = true;
      controller.OnMessage(n, parameter);
    };
  }

  HeadlessControls controls;
  HeadlessShell window;
  MonitorSnapshot snapshot;
  ListState lists;
  SharedMeterSettings settings;
  PublishedReading published;
  ConnectionController controller;
  bool communicationError = false;  // a message 12 or 14 arrived: a cycle ended in an error
};

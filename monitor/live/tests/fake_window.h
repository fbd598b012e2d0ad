// The main window as the live monitor sees it: the headless message loop
// plus the hooks of the parts built on the monitor, recorded for tests.
#pragma once

#include <atomic>

#include "link/identification.h"
#include "monitor/live/headless_window.h"
#include "monitor/live/hooks.h"

class FakeWindow : public HeadlessWindow, public ConnectionHooks {
 public:
  void Pump(std::chrono::milliseconds time) {
    PumpUntil([] { return false; }, time);
  }

  bool IsRecording() const override { return recording; }
  void StopRecording() override {
    ++recordingStops;
    recording = false;
  }
  void EndRecordingAtDisconnect() override { recording = false; }
  void RefreshAfterDisconnect() override {}
  void StopRecordInterval() override {}
  void StopSpreadsheetTakeIn() override {}
  void MeterSettingsAvailable(bool available) override { meterSettings = available; }
  void SelectSpeed(int) override {}
  void MeterIdentified(int) override {}
  bool RunCheckWindow() override { return ScanForMeter() == 0; }
  void RunMemoryDownload() override { ++memoryDownloads; }
  void EndDialog() override { ended = true; }

  std::atomic<bool> recording{false};
  std::atomic<int> recordingStops{0};
  std::atomic<bool> meterSettings{false};
  std::atomic<int> memoryDownloads{0};
  std::atomic<bool> ended{false};
};

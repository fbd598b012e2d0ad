// The main window as the live monitor sees it, recording what the monitor
// asks of the recording engine and the dialogs.
#pragma once

#include <atomic>

#include "link/identification.h"
#include "live/headless_shell.h"

class FakeWindow : public HeadlessShell {
 public:
  FakeWindow() : HeadlessShell([] { return ScanForMeter() == 0; }) {}

  bool IsRecording() const override { return recording; }
  void StopRecording() override {
    ++recordingStops;
    recording = false;
  }
  void EndRecordingAtDisconnect() override { recording = false; }
  void MeterSettingsAvailable(bool available) override { meterSettings = available; }
  void RunMemoryDownload() override { ++memoryDownloads; }

  std::atomic<bool> recording{false};
  std::atomic<int> recordingStops{0};
  std::atomic<bool> meterSettings{false};
  std::atomic<int> memoryDownloads{0};
};

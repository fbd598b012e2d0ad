// The acquisition thread: while connected, about every 100 ms it sends the
// requests the user made, queries the meter, decodes the replies into the
// panel and publishes the reading.
#pragma once

#include <atomic>
#include <thread>

#include "catalogue/configuration_commands.h"
#include "catalogue/list_state.h"
#include "window/controls.h"
#include "live/hooks.h"
#include "live/published_reading.h"
#include "monitor/monitor_snapshot.h"
#include "window/window.h"

// The meter settings of the settings dialog, written by the dialog and by
// the first cycle after a connect (which adopts the meter's own values).
struct SharedMeterSettings {
  std::atomic<int> continuity{0};
  std::atomic<int> diode{0};
  std::atomic<int> dbm{0};
  std::atomic<int> passband{0};

  MeterSettingChoices Choices() const { return {continuity, diode, dbm, passband}; }
};

// Everything a cycle works with; owned by the main window.
struct AcquisitionContext {
  int modelIndex;
  MonitorSnapshot& snapshot;
  ListState& lists;
  SharedMeterSettings& settings;
  Controls& controls;
  AppMessages& messages;
  RecordingHooks& recording;
  PublishedReading& published;
  // The last current-loop mode (status 17) seen, -1 none since the connect.
  std::atomic<int>& lastCurrentLoop;
};

// One acquisition step on the thread's copy of the snapshot.
void AcquisitionStep(AcquisitionContext& context, _MONITOR_DATA& copy);

class AcquisitionThread {
 public:
  explicit AcquisitionThread(AcquisitionContext context) : context_(context) {}
  ~AcquisitionThread();
  AcquisitionThread(const AcquisitionThread&) = delete;
  AcquisitionThread& operator=(const AcquisitionThread&) = delete;

  // A new thread (the previous one must have ended): adoptSettings is set again.
  void Start();
  // Stores 0 as the handle and clears `acquisitionEnded`; the thread leaves
  // its loop at its next turn and then sets `acquisitionEnded`.  Nothing
  // for a thread that is not running.
  void RequestStop();
  bool Ended() const { return ended_; }

 private:
  void Loop();

  AcquisitionContext context_;
  std::atomic<bool> run_{false};  // the stored handle: non-zero while it should run
  std::atomic<bool> ended_{true};  // acquisitionEnded
  std::thread thread_;
};

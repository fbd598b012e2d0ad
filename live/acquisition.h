// The acquisition thread: while connected, about every 100 ms it sends the
// requests the user made, queries the meter, decodes the replies into the
// panel and publishes the reading.
#pragma once

#include <atomic>

#include "base/thread_runs.h"
#include "catalogue/configuration_commands.h"
#include "catalogue/list_state.h"
#include "live/hooks.h"
#include "live/published_reading.h"
#include "monitor/monitor_snapshot.h"
#include "window/controls.h"
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
  AcquisitionThread(const AcquisitionThread&) = delete;
  AcquisitionThread& operator=(const AcquisitionThread&) = delete;

  // A new thread (the previous one must have ended): adoptSettings is set again.
  void Start();
  // Clears the stored handle: the thread leaves its loop at its next turn,
  // and from then on Ended() (acquisitionEnded) holds.  A thread that is
  // not running has already ended, so no timer waits for it for ever.
  void RequestStop() { runs_.Stop(); }
  bool Ended() const { return runs_.Ended(); }

 private:
  void Loop(const ThreadRuns::Run& run);

  AcquisitionContext context_;
  ThreadRuns runs_;  // last: its threads use the members above until joined
};

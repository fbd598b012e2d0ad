// The main window's recording without a window: the live monitor and the
// recording engine wired together as the window wires them, the journal
// beside the recording.  What the record command runs.
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <optional>

#include "link/identification.h"
#include "live/connection.h"
#include "live/headless_window.h"
#include "live/hooks.h"
#include "live/published_reading.h"
#include "monitor/monitor_snapshot.h"
#include "persistence/settings.h"
#include "recording/file/journal.h"
#include "recording/graph.h"
#include "recording/record_list_page.h"
#include "recording/record_store.h"
#include "recording/recording_engine.h"
#include "window/headless_controls.h"

// The list page shows no rows: the store holds the records.
class UnshownRows : public RecordRows {
 public:
  void Add(const RowTexts&) override {}
  void Replace(std::vector<RowTexts>) override {}
  void DeleteAll() override {}
  void DeleteLast() override {}
  int Count() const override { return 0; }
};

class HeadlessRecorder : public HeadlessWindow, public ConnectionHooks, public GraphPage, public RecordingWindow {
 public:
  // `scan` looks for the meter (0: found).  With `reconnect` the connection
  // is the window's automatic one: a lost meter is looked for until it
  // answers again, and no message box stops for it.
  HeadlessRecorder(const std::filesystem::path& journalFile, const Settings& recordSettings, std::function<int()> scan,
                   bool reconnect);

  // The hooks of the live monitor.  The acquisition thread stops a run on
  // this thread, as it does the window's.
  bool IsRecording() const override { return engine.IsRecording(); }
  void StopRecording() override { Send(kStopRecordingMessage, 0); }
  void EndRecordingAtDisconnect() override { engine.EndRecordingAtDisconnect(); }
  void RefreshAfterDisconnect() override { engine.RefreshAfterDisconnect(); }
  void StopRecordInterval() override { engine.StopRecordInterval(); }
  void StopSpreadsheetTakeIn() override {}
  void MeterSettingsAvailable(bool) override {}
  void SelectSpeed(int) override {}
  void MeterIdentified(int modelIndex) override;
  bool RunCheckWindow() override { return scan_() == 0; }
  void RunMemoryDownload() override {}
  void EndDialog() override { ended = true; }

  // No graph is drawn; its data goes into the file.
  void ResetGraph() override {}
  void RedrawGraph() override {}
  void SetTitle(std::u16string_view) override {}
  void Focus(int) override {}
  ClearChoice AskClear() override { return ClearChoice::cancel; }

  // Posted messages wait for HandlePosted(), on this thread, as the
  // window's queue would keep them: the re-check's refused port.
  void Post(int n, std::intptr_t parameter) override;
  void HandlePosted();

  // Lets the meter go as the window's exit does, and waits for the
  // connection's and the recording's threads to end.
  void Finish();

  Settings settings;     // what the recording file and the journal hold
  Settings runSettings;  // what the run in progress goes by: after a reconnection, the rest of it
  RecordStore store;
  Graph graph;
  HeadlessControls controls, info, listControls;
  UnshownRows rows;
  MonitorSnapshot snapshot;
  ListState lists;
  SharedMeterSettings meterSettings;
  PublishedReading published;
  RecordListPage list{listControls, rows, *this, store, runSettings};
  RecordingJournal journal;
  RecordingEngine engine;
  ConnectionController controller;  // last: its threads ask everything above

  std::atomic<bool> ended{false};
  bool communicationError = false;  // a cycle ended in an error (message 12 or 14)
  bool stoppedByMeter = false;      // a change of function, PEAK, REL or mode at the meter ended a run
  bool otherMeter = false;          // another meter than the recording's answered a reconnection

 private:
  // A message of this window's own, beyond the application's numbers.
  static constexpr int kStopRecordingMessage = 1000;

  void OnMessage(int n, std::intptr_t parameter);

  std::function<int()> scan_;
  std::optional<MeterIdentity> meter_;  // the recording's: the first that answered
  std::atomic<bool> portRefused_{false};
};

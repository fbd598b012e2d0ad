// The recording engine: Start, Stop, Manual and Clear, the interval
// thread's ticks and the manual samples turned into records, the run's
// statistics, the stop conditions, the saved state and the unsaved mark in
// the window title.  Runs on the window's thread; only IsRecording may be
// asked from another.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "base/version.h"
#include "live/published_reading.h"
#include "monitor/monitor_snapshot.h"
#include "persistence/settings.h"
#include "recording/graph.h"
#include "recording/interval_thread.h"
#include "recording/record_list_page.h"
#include "recording/record_store.h"
#include "window/controls.h"
#include "window/window.h"

// What the engine asks of the graph page: draw the empty graph after a
// reset of its scales, or the whole run again.
class GraphPage {
 public:
  virtual ~GraphPage() = default;
  virtual void ResetGraph() = 0;
  virtual void RedrawGraph() = 0;
};

enum class ClearChoice { cancel, all, newest };

// What the engine asks of the main window itself.
class RecordingWindow {
 public:
  virtual ~RecordingWindow() = default;
  virtual void SetTitle(std::u16string_view title) = 0;
  virtual void Focus(int controlId) = 0;
  // The modal clear dialog.
  virtual ClearChoice AskClear() = 0;
};

// Whoever keeps the records that are not saved safe beyond the program's
// memory (the journal): told after each change of a recording that is not
// saved, and when everything is saved or cleared.
class UnsavedRecords {
 public:
  virtual ~UnsavedRecords() = default;
  virtual void Changed() = 0;
  virtual void AllSaved() = 0;
};

struct RecordingEnvironment {
  Controls& window;  // the record panel's buttons and time fields
  Controls& info;    // the record information page
  RecordListPage& list;
  Graph& graph;
  GraphPage& graphPage;
  AppMessages& messages;
  MessageBoxes& boxes;
  RecordingWindow& shell;
  RecordStore& store;
  const PublishedReading& published;
  const MonitorSnapshot& snapshot;
  const Settings& settings;
  IntervalClocks clocks = IntervalClocks::System();
  std::function<bool()> spreadsheetCapturing = [] { return false; };
  UnsavedRecords* unsaved = nullptr;
};

class RecordingEngine {
 public:
  explicit RecordingEngine(RecordingEnvironment environment);

  // The record panel's buttons.
  void OnStart();
  void OnStop() { StopRecording(); }
  void OnManual();
  void OnClear();
  // The application messages kIntervalTick, kManualSample and kShowPage;
  // true when it was one of them.
  bool OnMessage(int n, std::intptr_t parameter);

  void StopRecording();
  void ClearRecords(ClearChoice choice);
  void ClearAllAndReset();
  void ResetRecordingDisplay();

  // From the live monitor.
  bool IsRecording() const { return recording_; }
  void StopRecordInterval() { interval_.Stop(); }
  bool IntervalEnded() const { return interval_.Ended(); }
  // Monitoring began with a meter of this model.
  void MonitoringBegins(int modelIndex);
  // The monitor disconnected: a run ends at its last tick; the buttons
  // follow the records.
  void EndRecordingAtDisconnect();
  void RefreshAfterDisconnect();

  // The recording was written to, or read from, the file `name`: the title
  // shows it, and the recording is saved and tied to it.
  void TieToFile(std::u16string_view name);
  // A recording was read from a file into the store and the graph: the
  // pages, the paging, the statistics and the buttons show it.
  void ShowOpenedRecording();

  // The recording file: a saved recording, or one tied to a file whose name
  // the title shows.
  bool saved = true;
  bool tiedToFile = false;
  std::u16string fileName;

 private:
  void OnIntervalTick(const IntervalTick& tick);
  void OnManualSample();
  bool SerialNumberAccepted();
  void ShowLastPage(bool enablePaging);
  void CountRow(bool enablePaging);
  void AddRowForCurrentReading(_READING_TEXT text);
  void UpdateStatistics(const Publication& reading, const std::u16string& timeText, bool sub);
  void RecomputeRunStatistics();
  void MarkUnsaved(bool firstOfRun);
  void TellJournal();
  void ShowDataCount();
  void ClearTail();
  bool StopConditionReached() const;

  RecordingEnvironment env_;
  IntervalThread interval_;
  std::atomic<bool> recording_{false};
};

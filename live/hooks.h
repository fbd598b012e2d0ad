// What the live monitor asks of the parts of the program built on it: the
// recording engine, the spreadsheet take-in and the dialogs.  The main
// window implements these; tests use fakes.
#pragma once

class RecordingHooks {
 public:
  virtual ~RecordingHooks() = default;
  virtual bool IsRecording() const = 0;
  // As the record Stop button does.
  virtual void StopRecording() = 0;
};

class ConnectionHooks : public RecordingHooks {
 public:
  // The connection ended while recording: end the run at its last tick.
  virtual void EndRecordingAtDisconnect() = 0;
  // Button and menu states of the record pages after a disconnect.
  virtual void RefreshAfterDisconnect() = 0;
  // A communication error stops the record-interval thread at once.
  virtual void StopRecordInterval() = 0;
  virtual void StopSpreadsheetTakeIn() = 0;
  // The settings dialog, when open: its meter page follows the connection,
  // its port page the identified speed.
  virtual void MeterSettingsAvailable(bool available) = 0;
  virtual void SelectSpeed(int speed) = 0;
  // Identity of the connected meter for the record information page.
  virtual void MeterIdentified(int modelIndex) = 0;
  // The modal check window; true when it found a meter.
  virtual bool RunCheckWindow() = 0;
  // The modal memory-download dialog.
  virtual void RunMemoryDownload() = 0;
  // The exit path is done: end the main dialog.
  virtual void EndDialog() = 0;
};

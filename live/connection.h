// The monitoring connection, driven by the main window's 100 ms timers:
// connect, disconnect, the pause for a memory download, exit, and the
// reaction to communication errors.  Nothing here blocks the window: the
// timers poll until the acquisition thread has ended.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "base/models.h"
#include "link/port_refusal.h"
#include "link/recheck_thread.h"
#include "live/acquisition.h"

namespace app_message {
// The re-check found the meter's port there but refused (no right to it, or
// held by another program): the window tells the user the fix.
inline constexpr int kPortRefused = 30;
}  // namespace app_message

struct ConnectionEnvironment {
  Controls& controls;
  AppMessages& messages;
  MessageBoxes& boxes;
  WindowTimers& timers;
  ConnectionHooks& hooks;
  MonitorSnapshot& snapshot;
  ListState& lists;
  SharedMeterSettings& settings;
  PublishedReading& published;
  std::function<bool()> autoConnect;  // the setting, as it stands now
  std::function<int()> scan;          // ScanForMeter in the program
};

class ConnectionController {
 public:
  explicit ConnectionController(ConnectionEnvironment environment);
  ~ConnectionController();

  // The Monitor button (control::kMonitorButton).
  void OnMonitorButton();
  // Timer entry points.
  void OnConnectTimer();
  void OnDisconnectTimer();
  void OnMemoryPauseTimer();
  void OnExitTimer();
  // Option menu: download the meter's memory while connected.
  void StartMemoryDownload();
  // The program is closing.
  void Exit();
  // The window goes without the exit flow: the threads are asked to end
  // (AcquisitionEnded() tells when they have), the meter is not let go.
  void Abandon();
  // app_message::kCommunicationError and kBufferOver from the acquisition thread.
  void OnCommunicationError(std::intptr_t parameter);
  void OnBufferOver();
  // The window's dispatch: a tick of timer `id`, and application message n
  // (true when it was one of the connection's).
  void OnTimer(int id);
  bool OnMessage(int n, std::intptr_t parameter);

  // The re-check thread (automatic connection).
  void StartRecheck() { recheck_.Start(); }
  void StopRecheck() { recheck_.Stop(); }
  bool RecheckRunning() const { return recheck_.IsRunning(); }

  bool Connected() const { return connected_; }
  bool AcquisitionEnded() const { return !acquisition_ || acquisition_->Ended(); }

 private:
  void StopAcquisition();
  void FinishDisconnect();  // disconnect steps 2-9
  void ShowIdentity(int modelIndex);
  void SetMeterButtons(int modelIndex, bool enabled);
  int RecheckScan();
  void ShowRefusal();

  ConnectionEnvironment env_;
  std::atomic<bool> connected_{false};
  std::atomic<int> checkResult_{0};
  std::atomic<int> lastCurrentLoop_{-1};
  int modelIndex_ = kDefaultModel;
  std::unique_ptr<AcquisitionThread> acquisition_;
  std::mutex refusalMutex_;
  std::optional<RefusedPort> refusal_;  // the refused port the user was last told of
  RecheckThread recheck_;
};

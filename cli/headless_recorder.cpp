#include "cli/headless_recorder.h"

#include "base/utf16.h"
#include "link/identification.h"

namespace {

// How long the exit and the threads' ends are waited for, as the window does.
constexpr auto kEndingLimit = std::chrono::seconds(15);

}  // namespace

HeadlessRecorder::HeadlessRecorder(const std::filesystem::path& journalFile, const Settings& recordSettings,
                                   std::function<int()> scan, bool reconnect)
    : settings(recordSettings),
      runSettings(recordSettings),
      journal(journalFile, {settings, store, graph}, [this] { return meter_.value_or(CurrentIdentity()); }),
      engine({controls, info, list, graph, *this, *this, *this, *this, store, published, snapshot, runSettings,
              IntervalClocks::System(), [] { return false; }, &journal}),
      controller({controls, *this, *this, *this, *this, snapshot, lists, meterSettings, published,
                  [reconnect] { return reconnect; }, scan}),
      scan_(std::move(scan)) {
  onTimer = [this](int id) { controller.OnTimer(id); };
  onMessage = [this](int n, std::intptr_t parameter) { OnMessage(n, parameter); };
}

void HeadlessRecorder::OnMessage(int n, std::intptr_t parameter) {
  if (n == app_message::kCommunicationError || n == app_message::kBufferOver) communicationError = true;
  if (n == kStopRecordingMessage) {
    stoppedByMeter = engine.IsRecording();
    engine.StopRecording();
    return;
  }
  if (!controller.OnMessage(n, parameter)) engine.OnMessage(n, parameter);
}

// A recording belongs to one meter: the first identifies it, and a
// reconnection to another is not recorded into it.
void HeadlessRecorder::MeterIdentified(int modelIndex) {
  const MeterIdentity connected = CurrentIdentity();
  if (meter_ && connected.serialNumber != meter_->serialNumber) {
    otherMeter = true;
    return;
  }
  meter_ = connected;
  store.recordSerial = Utf8ToUtf16(connected.serialNumber);
  store.recordFirmware = Utf8ToUtf16(connected.firmwareVersion);
  engine.MonitoringBegins(modelIndex);
}

void HeadlessRecorder::Post(int n, std::intptr_t parameter) {
  HeadlessWindow::Post(n, parameter);
  if (n == app_message::kPortRefused) portRefused_ = true;
}

void HeadlessRecorder::HandlePosted() {
  if (portRefused_.exchange(false)) controller.OnMessage(app_message::kPortRefused, 0);
}

void HeadlessRecorder::Finish() {
  engine.StopRecordInterval();
  controller.StopRecheck();
  Kill(timer::kConnect);  // a meter found just now is not taken any more
  if (controller.Connected() && !TimerRunning(timer::kDisconnect)) {
    controller.Exit();
    PumpUntil([&] { return ended.load(); }, kEndingLimit);
  }
  // A thread may be waiting for its message to be handled: serve it until it ends.
  PumpUntil(
      [&] { return !TimerRunning(timer::kDisconnect) && controller.AcquisitionEnded() && engine.IntervalEnded(); },
      kEndingLimit);
  controller.StopRecheck();  // a disconnect that was under way started it again
}

#include "live/connection.h"

#include <cstdio>

#include "base/models.h"
#include "base/text_helpers.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "link/identification.h"
#include "live/monitor_panel.h"
#include "live/port_refusal_hint.h"
#include "text/text_id.h"

namespace {

constexpr std::size_t kReplySize = 32;

bool Send(const char* command) {
  char reply[kReplySize];
  return ComQuery(command, reply, sizeof reply) == COM_OK;
}

std::u16string FirmwareMessage() { return Filled(UiWord(TextId::firmwareNotSupported), kOldestSupportedVersion); }

}  // namespace

ConnectionController::ConnectionController(ConnectionEnvironment environment)
    : env_(std::move(environment)),
      recheck_([this] { return RecheckScan(); },
               [this] {
                 checkResult_ = 1;
                 env_.timers.Start(timer::kConnect);
               }) {}

ConnectionController::~ConnectionController() {
  recheck_.Stop();
  if (acquisition_) acquisition_->RequestStop();
}

void ConnectionController::OnMonitorButton() {
  env_.controls.Enable(control::kMonitorButton, false);
  if (connected_) {
    StopAcquisition();
    env_.timers.Start(timer::kDisconnect);
  } else {
    env_.timers.Start(timer::kConnect);
  }
}

void ConnectionController::StopAcquisition() {
  if (acquisition_) acquisition_->RequestStop();
}

void ConnectionController::OnConnectTimer() {
  env_.timers.Kill(timer::kConnect);
  if (!env_.autoConnect()) checkResult_ = env_.hooks.RunCheckWindow() ? 1 : 0;
  connected_ = checkResult_ == 1;
  env_.lists.ResetForConnection();
  lastCurrentLoop_ = -1;

  const MeterIdentity meter = CurrentIdentity();
  modelIndex_ = meter.modelIndex;
  if (connected_) {
    env_.hooks.SelectSpeed(meter.currentSpeed);
    if (!FirmwareSupported(meter.modelIndex, meter.firmwareVersion)) {
      env_.boxes.Show(FirmwareMessage(), MessageIcon::information);
      connected_ = false;
    }
  }
  if (!connected_) {
    env_.controls.SetText(control::kMonitorButton, UiWord(TextId::monitorButton));
    if (env_.autoConnect()) recheck_.Start();
    env_.controls.Enable(control::kMonitorButton, true);
    return;
  }
  env_.controls.SetText(control::kMonitorButton, UiWord(TextId::stopMonitorButton));
  const bool opened = ComOpen(meter.currentPort) && Send(command::kFactoryInit) && Send(command::kLocalLockout) &&
                      Send(command::kBacklightOff);
  if (!opened) {
    FinishDisconnect();  // silently back to not connected
    return;
  }
  acquisition_ = std::make_unique<AcquisitionThread>(AcquisitionContext{modelIndex_, env_.snapshot, env_.lists,
                                                                        env_.settings, env_.controls, env_.messages,
                                                                        env_.hooks, env_.published, lastCurrentLoop_});
  acquisition_->Start();
  ShowIdentity(meter.modelIndex);
  SetMeterButtons(modelIndex_, true);
  env_.messages.Post(app_message::kMemoryMenu, 0);
  env_.hooks.MeterSettingsAvailable(true);
  env_.controls.Enable(control::kMonitorButton, true);
}

void ConnectionController::ShowIdentity(int modelIndex) {
  const MeterIdentity meter = CurrentIdentity();
  const std::string_view name = ModelNameOr(modelIndex, {});
  env_.controls.SetText(control::kModelName, Utf8ToUtf16(name));
  env_.controls.SetText(control::kSerialNumber, Utf8ToUtf16(meter.serialNumber));
  char port[16];
  std::snprintf(port, sizeof port, "COM%2d", meter.currentPort);
  env_.controls.SetText(control::kPortText, Utf8ToUtf16(port));
  env_.controls.SetText(control::kFirmwareVersion, Utf8ToUtf16(meter.firmwareVersion));
  env_.hooks.MeterIdentified(modelIndex);
}

void ConnectionController::SetMeterButtons(int modelIndex, bool enabled) {
  for (const int id : {control::kRelButton, control::kFilterButton, control::kRecordStart, control::kRecordManual}) {
    env_.controls.Enable(id, enabled);
  }
  if (!enabled) env_.controls.Enable(control::kRecordStop, false);
  if (IsRv736x(modelIndex)) {
    for (const int id : {control::kPeakButton, control::kClearButton, control::kSlowButton}) {
      env_.controls.Enable(id, enabled);
    }
  } else if (IsRv7341(modelIndex)) {
    env_.controls.Enable(control::kPeakButton, enabled);
  }
  if (enabled) env_.controls.SetText(control::kRelButton, IsRv7341(modelIndex) ? u"0 ADJ" : u"REL");
}

void ConnectionController::OnDisconnectTimer() {
  if (!AcquisitionEnded()) return;
  env_.timers.Kill(timer::kDisconnect);
  Send(command::kGoToLocal);
  FinishDisconnect();
}

void ConnectionController::FinishDisconnect() {
  ComClose();
  connected_ = false;
  ClearMonitorPanel(env_.controls, env_.snapshot);
  env_.snapshot.Data().shownRange = -1;
  env_.snapshot.Data().functionIndex = 0;
  env_.controls.SetText(control::kMonitorButton, UiWord(TextId::monitorButton));
  env_.hooks.StopSpreadsheetTakeIn();
  SetMeterButtons(modelIndex_, false);
  if (env_.hooks.IsRecording()) env_.hooks.EndRecordingAtDisconnect();
  env_.hooks.RefreshAfterDisconnect();
  env_.controls.Enable(control::kMonitorButton, true);
  env_.messages.Post(app_message::kMemoryMenu, 1);
  if (env_.autoConnect()) recheck_.Start();
  env_.hooks.MeterSettingsAvailable(false);
}

void ConnectionController::StartMemoryDownload() {
  StopAcquisition();
  env_.timers.Start(timer::kMemoryPause);
}

void ConnectionController::OnMemoryPauseTimer() {
  if (!AcquisitionEnded()) return;
  env_.timers.Kill(timer::kMemoryPause);
  for (const int id : {control::kMainValue, control::kSubValue, control::kMainUnit, control::kSubUnit}) {
    env_.controls.SetText(id, u"");
  }
  env_.hooks.RunMemoryDownload();
  acquisition_->Start();  // the port stayed open; a new thread adopts the settings again
}

void ConnectionController::Exit() {
  recheck_.Stop();
  if (!connected_) {
    env_.hooks.EndDialog();
    return;
  }
  StopAcquisition();
  env_.timers.Start(timer::kExit);
}

void ConnectionController::Abandon() {
  recheck_.Stop();
  StopAcquisition();
}

void ConnectionController::OnExitTimer() {
  if (!AcquisitionEnded()) return;
  env_.timers.Kill(timer::kExit);
  Send(command::kGoToLocal);
  ComClose();
  connected_ = false;
  env_.hooks.EndDialog();
}

void ConnectionController::OnCommunicationError(std::intptr_t parameter) {
  env_.hooks.StopRecordInterval();
  env_.hooks.StopSpreadsheetTakeIn();
  if (connected_) {
    env_.controls.Enable(control::kMonitorButton, false);
    StopAcquisition();
    env_.timers.Start(timer::kDisconnect);
  }
  if (!env_.autoConnect()) {
    env_.boxes.Show(UiWord(parameter == 0 ? TextId::cannotSend : TextId::noResponse), MessageIcon::error);
  }
}

// A refused port is told of once, not at every scan, until the scans find
// something else: the user has time to read and to mend it.
int ConnectionController::RecheckScan() {
  const int found = env_.scan();
  const std::optional<RefusedPort> refused = found == 0 ? std::nullopt : LastRefusedPort();
  std::lock_guard lock(refusalMutex_);
  if (refused == refusal_) return found;
  refusal_ = refused;
  if (refused) env_.messages.Post(app_message::kPortRefused, 0);
  return found;
}

void ConnectionController::ShowRefusal() {
  std::optional<RefusedPort> refused;
  {
    std::lock_guard lock(refusalMutex_);
    refused = refusal_;
  }
  if (refused) env_.boxes.Show(PortRefusalHint(*refused, CatalogueLanguage()), MessageIcon::warning);
}

void ConnectionController::OnBufferOver() { env_.boxes.Show(UiWord(TextId::bufferOver), MessageIcon::error); }

void ConnectionController::OnTimer(int id) {
  switch (id) {
    case timer::kConnect:
      OnConnectTimer();
      break;
    case timer::kDisconnect:
      OnDisconnectTimer();
      break;
    case timer::kMemoryPause:
      OnMemoryPauseTimer();
      break;
    case timer::kExit:
      OnExitTimer();
      break;
  }
}

bool ConnectionController::OnMessage(int n, std::intptr_t parameter) {
  if (n == app_message::kCommunicationError) {
    OnCommunicationError(parameter);
  } else if (n == app_message::kBufferOver) {
    OnBufferOver();
  } else if (n == app_message::kPortRefused) {
    ShowRefusal();
  } else {
    return false;
  }
  return true;
}

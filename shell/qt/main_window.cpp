#include "shell/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QUrl>

#include "base/version.h"
#include "catalogue/catalogue.h"
#include "excel/excel_controls.h"
#include "link/com_list.h"
#include "link/identification.h"
#include "link/port_names.h"
#include "live/monitor_panel.h"
#include "persistence/file_exception.h"
#include "persistence/settings_folder.h"
#include "recording/record_controls.h"
#include "recording/record_info_page.h"
#include "shell/qt/check_window.h"
#include "shell/qt/excel_dialog.h"
#include "shell/qt/fonts.h"
#include "shell/qt/graph_page.h"
#include "shell/qt/gui_thread.h"
#include "shell/qt/memory_dialog.h"
#include "shell/qt/qt_text.h"
#include "shell/qt/record_pages.h"
#include "shell/qt/settings_dialog.h"
#include "shell/runtime_files.h"
#include "text/text_id.h"
#include "text/ui_text.h"

namespace {

constexpr int kDialogWidth = 463;
constexpr int kDialogHeight = 371;

}  // namespace

CQM8000Dlg::CQM8000Dlg() {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  // 9 points at the 120 % scale the meters' users mostly run: the panel's
  // pixel-placed icon strip then fits inside its frame.
  dialogFont_ = PanelFont("MS UI Gothic", 14);
  setFont(dialogFont_);
  panel_ = new QWidget(this);
  services_.onTimer = [this](int id) { controller_->OnTimer(id); };
  services_.onMessage = [this](int n, std::intptr_t parameter) { OnMessage(n, parameter); };
  services_.boxTitle = [] { return QStringLiteral("Quorvia for RV7300s"); };
  controller_ = std::make_unique<ConnectionController>(
      ConnectionEnvironment{controls_, services_, services_, services_, *this, snapshot_, lists_, meterSettings_,
                            published_, [this] { return settings_.autoConnect != 0; }, [] { return ScanForMeter(); }});
  BuildPanel();
  list_ = std::make_unique<RecordListPage>(listPage_->PageControls(), listPage_->Rows(), services_, store_, settings_);
  listPage_->Bind(*list_);
  settingsFolder_ = DecideSettingsFolder();
  journal_ = std::make_unique<RecordingJournal>(settingsFolder_ / kJournalFileName,
                                                RecordingParts{settings_, store_, graph_}, CurrentIdentity);
  engine_ = std::make_unique<RecordingEngine>(
      RecordingEnvironment{controls_, infoPage_->PageControls(), *list_, graph_, *graphPage_, services_, services_,
                           *this, store_, published_, snapshot_, settings_, IntervalClocks::System(),
                           [this] { return excel_ && excel_->Core().IntervalRunning(); }, journal_.get()});
  settingsDialog_ = std::make_unique<CDlgInit>(this, services_, settings_, meterSettings_);
  BuildMenus();
  // The dialog's client area lies below the menu bar, as a window menu does.
  const QRect size = Dlu(0, 0, kDialogWidth, kDialogHeight);
  const int menuHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, size.width(), menuHeight);
  panel_->setGeometry(0, menuHeight, size.width(), size.height());
  setFixedSize(size.width(), size.height() + menuHeight);
  StartUp();
}

CQM8000Dlg::~CQM8000Dlg() {
  clock_.stop();
  WriteSettings();
  // Without the exit flow (a test that ends early) the worker threads may
  // still be waiting for a call on this thread: serve them until they end,
  // then join them.  The controller goes first, since its threads ask the
  // recording engine.
  controller_->Abandon();
  engine_->StopRecordInterval();
  QElapsedTimer waited;
  waited.start();
  while ((!controller_->AcquisitionEnded() || !engine_->IntervalEnded()) && waited.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  controller_.reset();
}

void CQM8000Dlg::OnMessage(int n, std::intptr_t parameter) {
  if (controller_->OnMessage(n, parameter) || engine_->OnMessage(n, parameter)) return;
  if (n == app_message::kMemoryMenu) {
    // Only the RV736X keeps readings in its memory.
    if (FamilyOf(CurrentIdentity().modelIndex) == Family::RV736X) memoryAction_->setEnabled(parameter == 0);
  } else if (n == app_message::kIntervalTakeIn) {
    if (excel_) excel_->Core().TakeInAtNotedTime();
  } else if (n == app_message::kReturnTakeIn) {
    if (excel_) excel_->Core().TakeInNow();
  } else if (n == app_message::kFocusMonitorButton) {
    controls_.Focus(control::kMonitorButton);
  } else if (n == app_message::kSaveMenu) {
    saveEnabled_ = (parameter & 1) == 0;
    if (parameter & app_message::kAlsoOpen) openEnabled_ = saveEnabled_;
    ApplyFileMenuState();
  }
}

// Open, Save, Save As and Save as CSV follow the recording.
void CQM8000Dlg::ApplyFileMenuState() {
  openAction_->setEnabled(openEnabled_);
  for (QAction* action : {saveAction_, saveAsAction_, csvAction_}) action->setEnabled(saveEnabled_);
}

void CQM8000Dlg::StartUp() {
  setWindowTitle(Q(kProgramTitle));
  CancelScan();
  EnumerateComPorts();
  settingsRead_ = ReadSettingsFile(settingsFolder_ / kSettingsFileName, settings_);
  const std::vector<_COM_LIST> ports = ComList();
  StartupContext context;
  context.settingsFolder = settingsFolder_;
  context.programFolder = RuntimeFolder();
  context.firstComPort = ports.empty() ? kNoComPortSetting : ports.front().port;
  const QRect own = frameGeometry();
  context.ownWindowRect = {own.left(), own.top(), own.right() + 1, own.bottom() + 1};
  if (const auto today = CDateTime::Now().ToCalendar()) context.today = *today;
  ApplyStartupSettings(settings_, settingsRead_, context);
  const ArchiveRect place = StartupWindowRect(settings_, settingsRead_.settingsLoaded, context.ownWindowRect);
  move(place.left, place.top);
  if (settings_.language < 0 || settings_.language > 1) settings_.language = 0;
  SetCurrentPort(settings_.comPort);
  SetCurrentSpeed(settings_.baudRate);
  SetModelIndex(settings_.ModelIndex);

  ClearMonitorPanel(controls_, snapshot_);
  for (const int id : {control::kPeakButton, control::kClearButton, control::kRelButton, control::kFilterButton,
                       control::kSlowButton}) {
    controls_.Enable(id, false);
  }
  controls_.SetText(control::kRelButton, u"REL");
  controls_.SetText(control::kSlowButton, u"SLOW");
  controls_.Show(control::kMonitorButton, settings_.autoConnect == 0);
  using namespace record_control;
  list_->EnablePaging(false);
  list_->RefreshPageLabel();
  for (const int id : {kStart, kStop, kManual, kSave, kClear, kGraphCopy}) controls_.Enable(id, false);
  controls_.Show(kGraphCopy, false);
  graph_.baseInterval = static_cast<std::int32_t>(RecordingIntervalSeconds(settings_));
  ShowSaveSettings(infoPage_->PageControls(), settings_);
  engine_->ResetRecordingDisplay();
  infoPage_->PageControls().SetText(kDataCount, u"0");
  ApplyLanguage();

  connect(&clock_, &QTimer::timeout, this, &CQM8000Dlg::RefreshMonitorPanel);
  clock_.start(100);
  deviceSettle_.setSingleShot(true);
  deviceSettle_.setInterval(200);  // a plug-in touches /dev several times
  connect(&devices_, &QFileSystemWatcher::directoryChanged, &deviceSettle_, qOverload<>(&QTimer::start));
  connect(&deviceSettle_, &QTimer::timeout, this, &CQM8000Dlg::OnDeviceChange);
  WatchDevices();
  if (settings_.autoConnect) controller_->StartRecheck();
  QTimer::singleShot(0, this, &CQM8000Dlg::OfferRecovery);  // once the window shows
}

// A port appeared or vanished: a running scan gives up, the list is rebuilt.
void CQM8000Dlg::OnDeviceChange() {
  CancelScan();
  EnumerateComPorts();
  WatchDevices();
  if (settingsDialog_->Core().isOpen) settingsDialog_->Core().RefillPorts(ComList());
}

void CQM8000Dlg::ShowSpreadsheetWindow() {
  if (!excel_) {
    excel_ = std::make_unique<CDlgExcel>(
        this, services_, services_, settings_, published_, [this] { return controller_->Connected(); },
        [this] { return engine_->IsRecording(); }, settings_.language);
    qApp->installEventFilter(this);
  }
  if (excel_->isVisible()) return;
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  excel_->move(origin.x(), origin.y() + 362);
  excel_->show();
  excel_->raise();
}

// The acquisition has paused; the port stays open for the download.
void CQM8000Dlg::RunMemoryDownload() {
  CDlgMemData dialog(this, settings_, settings_.language);
  dialog.SetTemperatureUnit(snapshot_.Data().status[kStatusTemperatureUnit]);
  dialog.exec();
}

void CQM8000Dlg::StopSpreadsheetTakeIn() {
  OnGuiThread([&] {
    if (excel_) excel_->Core().StopTakeIn();
  });
}

bool CQM8000Dlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && excel_) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* widget = qobject_cast<QWidget*>(watched);
    const QWidget* window = widget ? widget->window() : nullptr;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (window == this || window == excel_.get()) &&
        excel_->Core().OnReturnKey()) {
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CQM8000Dlg::MeterSettingsAvailable(bool available) {
  OnGuiThread([&] {
    if (settingsDialog_->Core().isOpen) settingsDialog_->Core().MeterAvailable(available, CurrentIdentity().modelIndex);
  });
}

void CQM8000Dlg::OpenSettings() {
  SettingsOpening opening{
      ComList(), controller_->Connected(), CurrentIdentity().modelIndex, engine_->IsRecording(), {}};
  if (const auto today = CDateTime::Now().ToCalendar()) opening.today = *today;
  const Settings before = settings_;
  const MeterSettingChoices meterBefore = meterSettings_.Choices();
  settingsDialog_->setResult(QDialog::Rejected);
  settingsDialog_->Prepare(opening, settings_.language);
  if (settingsAnswer) {
    settingsDialog_->show();
    settingsAnswer(*settingsDialog_);
    settingsDialog_->hide();
  } else {
    settingsDialog_->exec();
  }
  if (settingsDialog_->result() == QDialog::Accepted) ApplySettings(before, meterBefore);
}

// What OK changes beyond the settings themselves, in this order.
void CQM8000Dlg::ApplySettings(const Settings& before, const MeterSettingChoices& meterBefore) {
  if (const std::optional<int> port = settingsDialog_->Core().ChosenPort()) {
    if (controller_->Connected() && *port != settings_.comPort) {
      engine_->StopRecordInterval();
      StopSpreadsheetTakeIn();
      controller_->OnMonitorButton();  // stop and disconnect, as the Monitor button does
    }
    settings_.comPort = *port;
    SetCurrentPort(*port);
  }
  if (settings_.autoConnect) {
    controls_.Show(control::kMonitorButton, false);
    if (!controller_->Connected() && !controller_->RecheckRunning()) controller_->StartRecheck();
  } else {
    controls_.Show(control::kMonitorButton, true);
    controller_->StopRecheck();
  }
  settings_.baudRate = settings_.baudIndex == 0 ? 9600 : 19200;
  const MeterSettingChoices meter = meterSettings_.Choices();
  const std::pair<bool, MonitorRequest> changes[] = {
      {meter.passband != meterBefore.passband, MonitorRequest::passband},
      {meter.continuity != meterBefore.continuity, MonitorRequest::conduct},
      {meter.diode != meterBefore.diode, MonitorRequest::diode},
      {meter.dbm != meterBefore.dbm, MonitorRequest::dbm}};
  for (const auto& [changed, request] : changes) {
    if (changed) snapshot_.Raise(request);
  }
  ShowSaveSettings(infoPage_->PageControls(), settings_);
  graph_.baseInterval = static_cast<std::int32_t>(RecordingIntervalSeconds(settings_));
  if (settings_.timeDisplayMode != before.timeDisplayMode && store_.recordCount() > 0) {
    list_->ShowPage(list_->paging.currentPage);
    list_->RefreshStatisticsLines();
  }
}

// Watches /dev and the virtual port folder; called again after each change,
// since a folder that was removed and made anew drops out of the watch.
void CQM8000Dlg::WatchDevices() {
  std::error_code ignored;  // without the folder only real adapters are watched
  std::filesystem::create_directories(VirtualPortFolder(), ignored);
  for (const QString& folder : {QStringLiteral("/dev"), QString::fromStdString(VirtualPortFolder().string())}) {
    if (!devices_.directories().contains(folder) && QFileInfo(folder).isDir()) devices_.addPath(folder);
  }
}

void CQM8000Dlg::SelectSpeed(int speed) { settings_.baudRate = speed; }

void CQM8000Dlg::MeterIdentified(int modelIndex) {
  settings_.ModelIndex = modelIndex;
  OnGuiThread([&] { engine_->MonitoringBegins(modelIndex); });
}

void CQM8000Dlg::StopRecording() {
  OnGuiThread([&] { engine_->StopRecording(); });
}

void CQM8000Dlg::EndRecordingAtDisconnect() { engine_->EndRecordingAtDisconnect(); }

void CQM8000Dlg::RefreshAfterDisconnect() { engine_->RefreshAfterDisconnect(); }

void CQM8000Dlg::SetTitle(std::u16string_view title) { setWindowTitle(Q(title)); }

void CQM8000Dlg::Focus(int controlId) {
  if (QWidget* widget = controls_.Widget(controlId)) widget->setFocus();
}

ClearChoice CQM8000Dlg::AskClear() {
  if (clearAnswer) return clearAnswer();
  return ::AskClear(this, settings_.language);
}

bool CQM8000Dlg::RunCheckWindow() {
  CDlgUsbCheck check(this, settings_.language);
  check.exec();
  return check.Found();
}

void CQM8000Dlg::OpenManual() {
  const char* name = settings_.language == 0 ? "RV7300s_UsersManual_Jpn.pdf" : "RV7300s_UsersManual_Eng.pdf";
  const QString path = QString::fromStdString((RuntimeFolder() / "Manuals" / name).string());
  if (!QFile::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    services_.Show(Word(TextId::noPdfReader, settings_.language), MessageIcon::information);
  }
}

void CQM8000Dlg::reject() {
  if (exiting_) return;
  if (IsRecording() || (excel_ && excel_->Core().IntervalRunning())) {
    services_.Show(Word(TextId::stopRecordBeforeExit, settings_.language), MessageIcon::warning);
    return;
  }
  if (services_.Ask(Word(TextId::exitQuestion, settings_.language), MessageIcon::information, MessageButtons::yesNo) !=
      MessageAnswer::yes) {
    return;
  }
  exiting_ = true;
  clock_.stop();
  engine_->StopRecordInterval();
  StopSpreadsheetTakeIn();
  // A recording nobody saved is offered once more; the exit goes on either way.
  if (!engine_->saved && services_.Ask(Word(TextId::saveDataQuestion, settings_.language), MessageIcon::information,
                                       MessageButtons::yesNo) == MessageAnswer::yes) {
    OnSaveAs();
  }
  journal_->Discard();  // a clean end: what was not saved was meant to go
  hide();
  controller_->Exit();  // lets the meter go, then ends the dialog
}

void CQM8000Dlg::closeEvent(QCloseEvent* event) {
  event->ignore();  // the exit flow closes the window when the meter is let go
  reject();
}

void CQM8000Dlg::EndDialog() {
  controller_->StopRecheck();
  done(QDialog::Accepted);
}

// At destruction: not while minimised, not without the folder.
void CQM8000Dlg::WriteSettings() {
  if (isMinimized()) return;
  if (!std::filesystem::is_directory(settingsFolder_)) {
    QMessageBox::critical(nullptr, QString(), Q(Word(TextId::systemError, settings_.language)));
    return;
  }
  // The frame's rectangle: move() at the next start places the frame.
  const QRect frame = frameGeometry();
  settings_.windowRect = {frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1};
  const MeterIdentity meter = CurrentIdentity();
  settings_.comPort = meter.currentPort;
  settings_.baudRate = meter.currentSpeed;
  settings_.baudIndex = meter.currentSpeed == 9600 ? 0 : 1;
  settings_.ModelIndex = meter.modelIndex;
  try {
    WriteSettingsFile(settingsFolder_ / kSettingsFileName, settings_);
  } catch (const CFileException& error) {
    QMessageBox::critical(nullptr, QString(), Q(error.Message(settings_.language)));
  }
}

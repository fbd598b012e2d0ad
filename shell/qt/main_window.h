// CQM8000Dlg: the main window.  It owns the program's state for the whole
// run and wires the core's interfaces (controls by id, messages, boxes,
// timers, hooks) to widgets.
#pragma once

#include <QDialog>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>
#include <map>
#include <memory>

#include "catalogue/list_state.h"
#include "live/connection.h"
#include "persistence/settings.h"
#include "recording/file/journal.h"
#include "recording/recording_engine.h"
#include "shell/qt/qt_controls.h"
#include "shell/qt/qt_window_services.h"
#include "text/text_id.h"

class StatusStrip;
class CPpgRecord;
class CPpgRecInfo;
class CPpgGraph;
class CDlgInit;
class CDlgExcel;

class CQM8000Dlg : public QDialog, private ConnectionHooks, private RecordingWindow {
 public:
  CQM8000Dlg();
  ~CQM8000Dlg() override;

  // For tests and the command line: the state behind the window.
  ConnectionController& Connection() { return *controller_; }
  const Settings& CurrentSettings() const { return settings_; }
  QtControls& PanelControls() { return controls_; }
  QtWindowServices& Services() { return services_; }
  RecordingEngine& Recording() { return *engine_; }
  const RecordStore& Store() const { return store_; }
  CPpgRecord& ListPage() { return *listPage_; }
  CPpgGraph& GraphView() { return *graphPage_; }
  // When set, chooses in the clear dialog instead of the user (tests).
  std::function<ClearChoice()> clearAnswer;
  // When set, chooses the file instead of the file dialogs (tests):
  // (saving, filter) -> path, empty for Cancel.
  std::function<QString(bool, const QString&)> fileAnswer;

  // When set, works the settings dialog instead of the user (tests): it is
  // prepared and shown; OK or Cancel is the hook's to press.
  std::function<void(CDlgInit&)> settingsAnswer;
  void OpenSettings();
  // The spreadsheet window, made at its first showing.
  void ShowSpreadsheetWindow();
  CDlgExcel* SpreadsheetWindow() { return excel_.get(); }

  // File menu.
  void OnOpen();
  void OnSave();
  void OnSaveAs();
  void OnExportCsv();

  // Esc, File > Exit and the close button: the exit flow.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Return in the main window, its pages or the spreadsheet window is a
  // take-in while the spreadsheet takes rows on Return.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRect Dlu(int x, int y, int width, int height) const;
  void StartUp();
  void BuildPanel();
  void BuildRecordPanel(QRect area);
  void BuildMenus();
  void OnMessage(int n, std::intptr_t parameter);
  void ApplyFileMenuState();
  void ApplySettings(const Settings& before, const MeterSettingChoices& meterBefore);
  QString ChooseFile(bool save, TextId filterText, const QString& extension);
  void WriteRecording(const QString& file);
  bool ReportingFileErrors(const std::function<void()>& operation);
  void ShowRecordTab(int tab);
  void ApplyLanguage();
  void SwitchLanguage(int language);
  void OpenManual();
  void RefreshMonitorPanel();
  void OnDeviceChange();
  void WatchDevices();
  void WriteSettings();
  // A journal left by a run that did not end cleanly: recovered, or kept aside.
  void OfferRecovery();
  void AdoptRecording(::Recording& read);
  const QPixmap& Picture(const std::string& relativePath);

  // ConnectionHooks
  bool IsRecording() const override { return engine_->IsRecording(); }
  void StopRecording() override;
  void EndRecordingAtDisconnect() override;
  void RefreshAfterDisconnect() override;
  void StopRecordInterval() override { engine_->StopRecordInterval(); }
  void StopSpreadsheetTakeIn() override;
  void MeterSettingsAvailable(bool available) override;
  void SelectSpeed(int speed) override;
  void MeterIdentified(int modelIndex) override;
  bool RunCheckWindow() override;
  void RunMemoryDownload() override;
  void EndDialog() override;

  // RecordingWindow
  void SetTitle(std::u16string_view title) override;
  void Focus(int controlId) override;
  ClearChoice AskClear() override;

  QFont dialogFont_;
  QWidget* panel_ = nullptr;  // the client area, below the menu bar
  QMenuBar* menuBar_ = nullptr;
  QtControls controls_;
  QtWindowServices services_{this};
  MonitorSnapshot snapshot_;
  ListState lists_;
  SharedMeterSettings meterSettings_;
  PublishedReading published_;
  Settings settings_;
  SettingsReadResult settingsRead_;
  std::filesystem::path settingsFolder_;
  std::unique_ptr<ConnectionController> controller_;
  QTimer clock_;
  bool blinkA_ = false, blinkB_ = false;
  StatusStrip* statusStrip_ = nullptr;
  RecordStore store_;
  Graph graph_;
  CPpgRecInfo* infoPage_ = nullptr;
  CPpgRecord* listPage_ = nullptr;
  CPpgGraph* graphPage_ = nullptr;
  std::unique_ptr<RecordListPage> list_;
  std::unique_ptr<RecordingJournal> journal_;
  std::unique_ptr<RecordingEngine> engine_;
  std::unique_ptr<CDlgInit> settingsDialog_;
  std::unique_ptr<CDlgExcel> excel_;
  QString filePath_;          // of the last write or read
  bool openEnabled_ = true;   // File > Open may be chosen
  bool saveEnabled_ = false;  // File > Save, Save As and Save as CSV may be chosen
  QLabel* diagram_ = nullptr;
  std::string shownDiagram_;
  QFileSystemWatcher devices_;
  QTimer deviceSettle_;
  std::map<std::string, QPixmap> pictures_;
  QMenu* fileMenu_ = nullptr;
  QMenu* optionMenu_ = nullptr;
  QMenu* languageMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  QAction* openAction_ = nullptr;
  QAction* saveAction_ = nullptr;
  QAction* saveAsAction_ = nullptr;
  QAction* csvAction_ = nullptr;
  QAction* exitAction_ = nullptr;
  QAction* settingsAction_ = nullptr;
  QAction* memoryAction_ = nullptr;
  QAction* spreadsheetAction_ = nullptr;
  QAction* manualAction_ = nullptr;
  QAction* aboutAction_ = nullptr;
  QAction* japanese_ = nullptr;
  QAction* english_ = nullptr;
  bool exiting_ = false;
};

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

#include "app/qt/qt_controls.h"
#include "app/qt/qt_window_services.h"
#include "catalogue/list_state.h"
#include "monitor/live/connection.h"
#include "persistence/settings.h"

class StatusStrip;

class CQM8000Dlg : public QDialog, private ConnectionHooks {
 public:
  CQM8000Dlg();
  ~CQM8000Dlg() override;

  // For tests and the command line: the state behind the window.
  ConnectionController& Connection() { return *controller_; }
  const Settings& CurrentSettings() const { return settings_; }
  QtControls& PanelControls() { return controls_; }
  QtWindowServices& Services() { return services_; }

  // Esc, File > Exit and the close button: the exit flow.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QRect Dlu(int x, int y, int width, int height) const;
  void StartUp();
  void BuildPanel();
  void BuildMenus();
  void ApplyLanguage();
  void SwitchLanguage(int language);
  void OpenManual();
  void RefreshMonitorPanel();
  void OnDeviceChange();
  void WatchDevices();
  void WriteSettings();
  const QPixmap& Picture(const std::string& relativePath);

  // ConnectionHooks
  bool IsRecording() const override { return false; }
  void StopRecording() override {}
  void EndRecordingAtDisconnect() override {}
  void RefreshAfterDisconnect() override {}
  void StopRecordInterval() override {}
  void StopSpreadsheetTakeIn() override {}
  void MeterSettingsAvailable(bool) override {}
  void SelectSpeed(int speed) override;
  void MeterIdentified(int modelIndex) override;
  bool RunCheckWindow() override;
  void RunMemoryDownload() override {}
  void EndDialog() override;

  QFont dialogFont_;
  QWidget* panel_ = nullptr;   // the client area, below the menu bar
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
  QWidget* infoPage_ = nullptr;
  QWidget* listPage_ = nullptr;
  QWidget* graphPage_ = nullptr;
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

// CDlgInit: the settings dialog over Qt.  Its tab bar shows one of four
// white pages; the behaviour is SettingsDialog's, reached by control id.
#pragma once

#include <QDialog>
#include <QStackedWidget>
#include <QTabBar>

#include "settings/settings_dialog.h"
#include "shell/qt/qt_controls.h"

class CDlgInit : public QDialog {
 public:
  CDlgInit(QWidget* parent, MessageBoxes& boxes, Settings& settings, SharedMeterSettings& meter);

  SettingsDialog& Core() { return core_; }
  QtControls& DialogControls() { return controls_; }
  // Opens on the page shown last; the caller runs exec() (or, in tests, show()).
  void Prepare(const SettingsOpening& opening, int language);
  void ShowPage(int page);

  void accept() override;
  void reject() override;

 private:
  QWidget* CommunicationPage();
  QWidget* MeterPage();
  QWidget* RecordPage();
  QWidget* SavePage();

  QtControls controls_;
  SettingsDialog core_;
  QTabBar* tabs_ = nullptr;
  QStackedWidget* pages_ = nullptr;
};

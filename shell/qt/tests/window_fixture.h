// The main window against the virtual meter, on the offscreen platform:
// what every window test needs.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "link/tests/temp_port_folder.h"
#include "shell/qt/main_window.h"
#include "sim/pty_meter.h"

using Clock = std::chrono::steady_clock;

inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() > end) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  return true;
}

inline long Heard(const PtyMeter& meter, const std::string& command) {
  long count = 0;
  for (const HeardCommand& heard : meter.Heard()) count += heard.command == command;
  return count;
}

class WindowFixture : public testing::Test {
 protected:
  void SetUp() override {
    settingsFolder_ = folder_.Path() / "settings";
    setenv("RV7300S_SETTINGS_DIR", settingsFolder_.c_str(), 1);
  }
  QString Text(int id) { return static_cast<QLabel*>(window_->PanelControls().Widget(id))->text(); }
  void Shoot(const char* name) {
    if (const char* folder = std::getenv("RV7300S_SCREENSHOTS")) {
      window_->grab().save(QString::fromUtf8(folder) + "/" + name);
    }
  }

  TempPortFolder folder_;
  std::filesystem::path settingsFolder_;
  PtyMeter meter_{VirtualMeter({"RV7361", "23120815", "1.04"}), 201};
  std::unique_ptr<CQM8000Dlg> window_;
};

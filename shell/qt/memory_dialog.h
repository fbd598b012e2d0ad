// CDlgMemData: the modal dialog that downloads the meter's memory into a
// CSV file.  Its logic is MemoryDownloadDialog; this class lays out the
// controls, forwards the clicks and handles the download's reports on the
// window's thread.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "memory/memory_dialog.h"
#include "persistence/settings.h"
#include "shell/qt/qt_controls.h"
#include "shell/qt/qt_window_services.h"

class CDlgMemData : public QDialog {
 public:
  // `settings` gives the destination boxes and the CSV settings and keeps
  // the destination once OK accepts it.
  CDlgMemData(QWidget* parent, Settings& settings, int language);
  ~CDlgMemData() override;

  // The connected meter's temperature unit (status 22 of the monitor
  // snapshot: 0 Celsius, 1 Fahrenheit); stored temperatures are written in it.
  void SetTemperatureUnit(int unit) { logic_.SetTemperatureUnit(unit); }

  // Message boxes; tests set its `answer` hook to answer them.
  QtWindowServices& Services() { return services_; }
  // When set, chooses the folder instead of the folder dialog (tests).
  std::function<std::optional<QString>(const QString& title, const QString& start)> chooseFolder;
  // The control of a memory_control id.
  QWidget* Control(int id) const;

  // Cancel, Esc and the close button: refused while the download runs.
  void reject() override;

 private:
  class Window;

  QtControls controls_;
  std::unique_ptr<Window> window_;
  QtWindowServices services_;
  MemoryDownloadDialog logic_;
};

// CDlgExcel, the spreadsheet window (modeless, kept under the main
// window's panel), and the question of how the spreadsheet is to be
// opened.  The behaviour is ExcelPaste's.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <optional>

#include "excel/excel_paste.h"
#include "shell/qt/qt_controls.h"
#include "shell/qt/qt_window_services.h"

class CDlgExcel : public QDialog {
 public:
  // `environment` is completed here with the window's own controls and messages.
  CDlgExcel(QWidget* mainWindow, AppMessages& mainMessages, MessageBoxes& boxes, Settings& settings,
            const PublishedReading& published, std::function<bool()> meterConnected, std::function<bool()> recording,
            int language);
  ExcelPaste& Core() { return *core_; }
  QtControls& DialogControls() { return controls_; }
  void Relabel(int language);
  // When set, answers the opening question and the file choice (tests):
  // empty optional = Cancel, else the file (empty = a new or running document).
  std::function<std::optional<std::u16string>()> openAnswer;
  std::function<std::unique_ptr<SpreadsheetProgram>()> programFactory = MakeSpreadsheetProgram;

 protected:
  void reject() override;

 private:
  void OnOpenButton();
  std::optional<std::u16string> AskHowToOpen();
  void FollowMainWindow();

  QWidget* mainWindow_;
  QtControls controls_;
  QtWindowServices services_{this};
  std::unique_ptr<ExcelPaste> core_;
  int language_;
  QTimer follow_;
  QTimer check_;
  QPoint lastMainPosition_;
};

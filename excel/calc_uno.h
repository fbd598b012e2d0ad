// LibreOffice Calc as the spreadsheet program, driven over UNO through a
// named pipe: started through the `soffice` wrapper with a profile folder of
// our own, or found already listening on our pipe.  Every call blocks the
// calling (window) thread until Calc answers; only connecting is bounded,
// as UNO calls have no time-out of their own.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "excel/spreadsheet.h"

struct CalcOptions {
  std::string program = "soffice";  // found on PATH unless a path is given
  std::string pipeName;             // the UNO pipe Calc listens on
  std::string profileFolder;        // Calc's user profile, apart from the user's own
  bool headless = false;            // no window (tests, machines without a display)
  int connectSeconds = 30;          // how long a starting Calc may take to listen

  // This user's defaults: pipe "rv7300s_calc", profile in
  // $XDG_CONFIG_HOME/VORNEK/QM8000/calc.  The environment may override them:
  // RV7300S_SOFFICE, RV7300S_CALC_PIPE, RV7300S_CALC_PROFILE and
  // RV7300S_CALC_HEADLESS=1.
  static CalcOptions FromEnvironment();
};

class CalcProgram : public SpreadsheetProgram {
 public:
  explicit CalcProgram(CalcOptions options = CalcOptions::FromEnvironment());
  ~CalcProgram() override;  // lets go of Calc without ending it
  CalcProgram(const CalcProgram&) = delete;
  CalcProgram& operator=(const CalcProgram&) = delete;

  bool Start(bool attachRunning, const std::u16string& file) override;
  std::u16string Version() override;
  // The active sheet's last column less 10 and its last row.
  SheetCell Limits() override;
  SheetCell ActiveCell() override;
  void WriteActiveCell(std::u16string_view text, std::u16string_view width) override;
  void Activate(SheetCell cell) override;
  SheetPresence Check() override;
  bool AnyWindow() override;
  void Release() override;

  // What a cell of the active sheet shows, its number (none for a text or
  // an empty cell) and a column's width in 1/100 mm (-1 when Calc cannot
  // say): for tests and diagnostics.
  std::u16string CellText(SheetCell cell);
  std::optional<double> CellValue(SheetCell cell);
  int ColumnWidth(int column);
  // The process group of the Calc that Start launched (0 when it attached
  // to a running one), and whether that process still runs.
  int ProcessGroup() const;
  bool ProcessRunning();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Excel's column width in characters ("8.38") as Calc's in 1/100 mm: the
// width of that many digits of Excel's standard font (7 pixels each, plus 5
// pixels of margin) at 96 pixels an inch.  -1 for a text that is no width.
int ExcelWidthToCalc(std::u16string_view width);

// Does from outside what the user of the Calc listening on `pipeName` may
// do: close its documents without saving them, or quit it altogether.
// False when no Calc answered there.
enum class CalcClose { documents, program };
bool CloseCalc(const std::string& pipeName, CalcClose what);

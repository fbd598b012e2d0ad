// A spreadsheet program in memory, for tests of the paste: cells and
// column widths as written, an active cell the test moves, switches for
// what the user does in the program (edit a cell, close a document, quit),
// and counts of every call.  It is exact where a real program would refuse:
// a write or a move outside the sheet is counted, not stored.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "excel/spreadsheet.h"

class MemorySheet : public SpreadsheetProgram {
 public:
  // --- What the program is like, set before or between calls. ---
  bool startFails = false;           // Start() finds no program
  std::u16string version = u"16.0";  // Version(); Limits() follows it like Excel's
  // A sheet of this many columns and rows, as Calc reports it: Limits()
  // is then its last column less 10 and its last row, whatever the version.
  std::optional<SheetCell> sheetSize;
  SheetCell active;  // the active cell; the test may move it as a user would

  // --- What the user does in the program. ---
  bool editing = false;          // typing into a cell
  bool documentsClosed = false;  // closed its last document; the window stays
  bool closedByUser = false;     // quit the program: no window either

  // --- What was done to it. ---
  struct Counts {
    int starts = 0;
    int checks = 0;
    int anyWindow = 0;
    int activeCell = 0;
    int writes = 0;
    int activations = 0;
    int releases = 0;
    int outsideSheet = 0;     // writes and moves beyond the sheet's last cell
    int whileNotPresent = 0;  // writes and moves while editing, closed or released
  };
  Counts counts;
  bool attachedRunning = false;  // Start's arguments, as last given
  std::u16string openedFile;
  bool released = false;
  bool processEnded = false;  // Release() ended the program (no window or document left)

  // The sheet's last column and row: sheetSize, else Excel's by version.
  SheetCell SheetSize() const;
  // A cell's text as written ("" when never written).
  std::u16string Cell(int column, int row) const;
  std::u16string Cell(SheetCell cell) const { return Cell(cell.column, cell.row); }
  // `count` cells of a row from `column` on.
  std::vector<std::u16string> Row(int row, int column = 1, int count = 11) const;
  // The width last written to a column, or nullopt when never written.
  std::optional<std::u16string> ColumnWidth(int column) const;
  // Every cell written, by (row, column).
  const std::map<std::pair<int, int>, std::u16string>& Cells() const { return cells_; }

  bool Start(bool attachRunning, const std::u16string& file) override;
  std::u16string Version() override { return version; }
  SheetCell Limits() override;
  SheetCell ActiveCell() override;
  void WriteActiveCell(std::u16string_view text, std::u16string_view width) override;
  void Activate(SheetCell cell) override;
  SheetPresence Check() override;
  bool AnyWindow() override;
  void Release() override;

 private:
  bool Inside(SheetCell cell) const;
  bool Present() const { return !released && !editing && !documentsClosed && !closedByUser; }

  std::map<std::pair<int, int>, std::u16string> cells_;
  std::map<int, std::u16string> widths_;
};

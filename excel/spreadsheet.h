// A running spreadsheet program as the paste drives it: started or found,
// a sheet selected, cells written from the active cell on.  Excel on
// Windows, LibreOffice Calc elsewhere, and a sheet in memory for tests
// implement it.  Every call is made on the window's thread.
#pragma once

#include <memory>
#include <string>

struct SheetCell {
  int column = 1;  // 1-based, as the spreadsheet counts
  int row = 1;
  bool operator==(const SheetCell&) const = default;
};

enum class SheetPresence {
  gone,     // the program or its last document was closed
  editing,  // the user is typing into a cell: present, but not to be written
  present,
};

class SpreadsheetProgram {
 public:
  virtual ~SpreadsheetProgram() = default;

  // Starts the program, or with `attachRunning` takes one that runs if
  // there is one; opens `file` when it is not empty, else takes the open
  // document or adds a new one; selects the first sheet.  False when no
  // program could be started or found.
  virtual bool Start(bool attachRunning, const std::u16string& file) = 0;
  // The program's version text ("16.0" for Excel 2016 and later).
  virtual std::u16string Version() = 0;
  // The largest column and row at which a row of eleven cells may start.
  virtual SheetCell Limits() = 0;

  virtual SheetCell ActiveCell() = 0;
  // The active cell's text, with its column's width first when `width` is
  // not empty ("10", "8.38", "8": Excel's character widths).
  virtual void WriteActiveCell(std::u16string_view text, std::u16string_view width) = 0;
  virtual void Activate(SheetCell cell) = 0;

  virtual SheetPresence Check() = 0;
  // Whether any window of the program is open at all (for the check while
  // the user works in another program).
  virtual bool AnyWindow() = 0;
  // The program is gone for us: let go of it, and end its process when it
  // has no window or no document left.
  virtual void Release() = 0;
};

// Excel's limits by version: 256 columns and 65536 rows up to "11.0",
// 16384 and 1048576 after; less 10 columns so that eleven cells fit.
SheetCell ExcelLimits(std::u16string_view version);

// The program of this platform, or null when none is built in.
std::unique_ptr<SpreadsheetProgram> MakeSpreadsheetProgram();

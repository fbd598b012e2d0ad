// Built where no spreadsheet program can be driven: the link says "not found".
#include "excel/spreadsheet.h"

std::unique_ptr<SpreadsheetProgram> MakeSpreadsheetProgram() { return nullptr; }

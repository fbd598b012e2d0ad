// The Excel backend on a Windows without Excel: it must say that no program
// could be started or found, and stay usable, rather than fail later.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include "excel/spreadsheet.h"

namespace {

TEST(ExcelOle, WithoutExcelNoProgramStartsOrIsFound) {
  CLSID excel;
  if (SUCCEEDED(CLSIDFromProgID(L"Excel.Application", &excel))) {
    GTEST_SKIP() << "Excel is installed here: the test would start it";
  }
  const std::unique_ptr<SpreadsheetProgram> program = MakeSpreadsheetProgram();
  ASSERT_NE(program, nullptr);
  EXPECT_FALSE(program->Start(true, u""));
  EXPECT_EQ(program->Check(), SheetPresence::gone);
  EXPECT_FALSE(program->AnyWindow());
  program->Release();
}

}  // namespace

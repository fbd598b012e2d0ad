#include <gtest/gtest.h>

#include "excel/memory_sheet.h"

namespace {

TEST(ExcelLimits, ByVersion) {
  struct Case {
    std::u16string_view version;
    SheetCell limits;
  };
  const Case cases[] = {
      {u"5.0", {246, 65536}},  {u"7.0", {246, 65536}},    {u"8.0", {246, 65536}},       {u"9.0", {246, 65536}},
      {u"10.0", {246, 65536}}, {u"11.0", {246, 65536}},   {u"12.0", {16374, 1048576}},  {u"16.0", {16374, 1048576}},
      {u"", {16374, 1048576}}, {u"11", {16374, 1048576}}, {u"11.0 ", {16374, 1048576}}, {u"1.0", {16374, 1048576}},
  };
  for (const Case& c : cases) {
    const SheetCell limits = ExcelLimits(c.version);
    EXPECT_EQ(limits.column, c.limits.column) << std::string(c.version.begin(), c.version.end());
    EXPECT_EQ(limits.row, c.limits.row) << std::string(c.version.begin(), c.version.end());
  }
}

TEST(MemorySheet, LimitsFollowTheVersionOrTheSheetSize) {
  MemorySheet sheet;
  sheet.version = u"11.0";
  EXPECT_EQ(sheet.Limits(), (SheetCell{246, 65536}));
  sheet.version = u"16.0";
  EXPECT_EQ(sheet.Limits(), (SheetCell{16374, 1048576}));
  // A Calc sheet of 1024 columns, whatever its version says.
  sheet.version = u"7.4.7.2";
  sheet.sheetSize = SheetCell{1024, 1048576};
  EXPECT_EQ(sheet.Limits(), (SheetCell{1014, 1048576}));
}

TEST(MemorySheet, WritesAtTheActiveCellAndMovesLikeASpreadsheet) {
  MemorySheet sheet;
  ASSERT_TRUE(sheet.Start(true, u""));
  sheet.active = {3, 7};
  EXPECT_EQ(sheet.ActiveCell(), (SheetCell{3, 7}));
  sheet.WriteActiveCell(u"1", u"");
  sheet.Activate({4, 7});
  sheet.WriteActiveCell(u"2024/05/01", u"10");
  sheet.Activate({4, 8});
  sheet.WriteActiveCell(u"x", u"8");

  EXPECT_EQ(sheet.Cell(3, 7), u"1");
  EXPECT_EQ(sheet.Cell(4, 7), u"2024/05/01");
  EXPECT_EQ(sheet.Cell(4, 8), u"x");
  EXPECT_EQ(sheet.Row(7, 3, 3), (std::vector<std::u16string>{u"1", u"2024/05/01", u""}));
  EXPECT_EQ(sheet.Cells().size(), 3u);
  EXPECT_FALSE(sheet.ColumnWidth(3));     // no width given: left as it was
  EXPECT_EQ(sheet.ColumnWidth(4), u"8");  // the last width written wins
  EXPECT_EQ(sheet.ActiveCell(), (SheetCell{4, 8}));
  EXPECT_EQ(sheet.counts.writes, 3);
  EXPECT_EQ(sheet.counts.activations, 2);
  EXPECT_EQ(sheet.counts.outsideSheet, 0);
  EXPECT_EQ(sheet.counts.whileNotPresent, 0);
}

TEST(MemorySheet, RefusesCellsOutsideTheSheet) {
  MemorySheet sheet;
  sheet.version = u"11.0";  // 256 columns, 65536 rows
  sheet.active = {256, 65536};
  sheet.WriteActiveCell(u"last", u"8");
  sheet.Activate({257, 65536});
  sheet.Activate({256, 65537});
  EXPECT_EQ(sheet.ActiveCell(), (SheetCell{256, 65536}));
  sheet.active = {257, 1};
  sheet.WriteActiveCell(u"beyond", u"8");

  EXPECT_EQ(sheet.Cell(256, 65536), u"last");
  EXPECT_EQ(sheet.Cell(257, 1), u"");
  EXPECT_FALSE(sheet.ColumnWidth(257));
  EXPECT_EQ(sheet.counts.outsideSheet, 3);
}

TEST(MemorySheet, ReportsWhatTheUserDid) {
  struct Case {
    const char* what;
    bool editing, documentsClosed, closedByUser;
    SheetPresence presence;
    bool anyWindow, processEndedByRelease;
  };
  const Case cases[] = {
      {"nothing", false, false, false, SheetPresence::present, true, false},
      {"typing into a cell", true, false, false, SheetPresence::editing, true, false},
      {"closed the last document", false, true, false, SheetPresence::gone, true, true},
      {"quit the program", false, false, true, SheetPresence::gone, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemorySheet sheet;
    ASSERT_TRUE(sheet.Start(false, u"/data/run.xlsx"));
    EXPECT_FALSE(sheet.attachedRunning);
    EXPECT_EQ(sheet.openedFile, u"/data/run.xlsx");
    sheet.editing = c.editing;
    sheet.documentsClosed = c.documentsClosed;
    sheet.closedByUser = c.closedByUser;
    EXPECT_EQ(sheet.Check(), c.presence);
    EXPECT_EQ(sheet.AnyWindow(), c.anyWindow);
    sheet.WriteActiveCell(u"1", u"");
    EXPECT_EQ(sheet.counts.whileNotPresent, c.presence == SheetPresence::present ? 0 : 1);
    sheet.Release();
    EXPECT_EQ(sheet.processEnded, c.processEndedByRelease);
    // Released, it is gone for whoever still asks, and says so.
    EXPECT_EQ(sheet.Check(), SheetPresence::gone);
    EXPECT_FALSE(sheet.AnyWindow());
    sheet.Activate({2, 1});
    EXPECT_EQ(sheet.counts.whileNotPresent, c.presence == SheetPresence::present ? 1 : 2);
    EXPECT_EQ(sheet.counts.releases, 1);
  }
}

TEST(MemorySheet, StartCanFindNoProgram) {
  MemorySheet sheet;
  sheet.startFails = true;
  EXPECT_FALSE(sheet.Start(true, u""));
  EXPECT_TRUE(sheet.attachedRunning);
  EXPECT_EQ(sheet.counts.starts, 1);
}

}  // namespace

// Against a real LibreOffice Calc, started headless on a pipe and a profile
// of the test's own; skipped where LibreOffice is not installed.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "excel/calc_uno.h"

namespace {

bool SofficeInstalled() {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const std::string folder = folders.substr(start, end - start);
    if (!folder.empty() && access((folder + "/soffice").c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// Waits, bounded, for something Calc does in its own time.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return condition();
}

// One row as the paste writes it: eleven cells from the active cell on,
// widths with them, then the first cell of the next row.
void WriteRow(SpreadsheetProgram& sheet, const std::vector<std::u16string>& texts) {
  static const std::u16string_view widths[] = {u"", u"10", u"8.38", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8"};
  const SheetCell start = sheet.ActiveCell();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    sheet.WriteActiveCell(texts[i], widths[i]);
    if (i + 1 < texts.size()) sheet.Activate({start.column + static_cast<int>(i) + 1, start.row});
  }
  sheet.Activate({start.column, start.row + 1});
}

class CalcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!SofficeInstalled()) GTEST_SKIP() << "LibreOffice is not installed (no soffice on PATH)";
    char pattern[] = "/tmp/rv7300s-calc-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    options_.pipeName = "rv7300s_test_" + std::filesystem::path(folder_).filename().string();
    options_.profileFolder = folder_ + "/profile";
    options_.headless = true;
    options_.connectSeconds = 60;  // a first start on a busy machine
    calc_ = std::make_unique<CalcProgram>(options_);
  }

  void TearDown() override {
    if (!calc_) return;
    const int group = calc_->ProcessGroup();
    CloseCalc(options_.pipeName, CalcClose::program);
    if (group > 0 && !Eventually([&] { return !calc_->ProcessRunning(); })) kill(-group, SIGKILL);
    calc_.reset();
    std::filesystem::remove_all(folder_);
    // The pipe's socket file, left behind by a Calc that was killed.
    std::error_code ignored;
    std::filesystem::remove("/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + options_.pipeName, ignored);
  }

  CalcOptions options_;
  std::string folder_;
  std::unique_ptr<CalcProgram> calc_;
};

TEST_F(CalcTest, WritesRowsThatReadBackAsExcelWouldShowThem) {
  ASSERT_TRUE(calc_->Start(true, u""));
  EXPECT_GT(calc_->ProcessGroup(), 0);  // nobody listened: it started Calc
  const std::u16string version = calc_->Version();
  ASSERT_FALSE(version.empty());
  EXPECT_TRUE(version[0] >= u'1' && version[0] <= u'9');
  const SheetCell limits = calc_->Limits();
  EXPECT_EQ(limits.row, 1048576);
  EXPECT_TRUE(limits.column == 1024 - 10 || limits.column == 16384 - 10) << limits.column;
  EXPECT_EQ(calc_->ActiveCell(), (SheetCell{1, 1}));  // a new document
  EXPECT_EQ(calc_->Check(), SheetPresence::present);
  EXPECT_TRUE(calc_->AnyWindow());

  calc_->Activate({2, 3});
  EXPECT_EQ(calc_->ActiveCell(), (SheetCell{2, 3}));
  const int counterWidth = calc_->ColumnWidth(2);
  const std::vector<std::vector<std::u16string>> rows = {
      {u"1", u"2024/05/01", u"12:34:56", u"DCV", u"1.2345", u"V", u"", u"Hz", u"50.00", u"Hz", u""},
      {u"2", u"2024/05/01", u"12:34:57", u"ACV", u"-0.0012", u"mV", u"OVER", u"", u"", u"", u""},
      {u"3", u"2024/12/31", u"23:59:59", u"Ω", u"O.L", u"MΩ", u"OPEN", u"=1+1", u"+5", u"1,5", u"OVER"},
  };
  for (const auto& row : rows) WriteRow(*calc_, row);
  EXPECT_EQ(calc_->ActiveCell(), (SheetCell{2, 6}));

  // As shown: numbers as numbers ("50.00" shows as 50, "+5" as 5), dates
  // and times as written, everything else as its text.
  const std::vector<std::vector<std::u16string>> shown = {
      {u"1", u"2024/05/01", u"12:34:56", u"DCV", u"1.2345", u"V", u"", u"Hz", u"50", u"Hz", u""},
      {u"2", u"2024/05/01", u"12:34:57", u"ACV", u"-0.0012", u"mV", u"OVER", u"", u"", u"", u""},
      {u"3", u"2024/12/31", u"23:59:59", u"Ω", u"O.L", u"MΩ", u"OPEN", u"=1+1", u"5", u"1,5", u"OVER"},
  };
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 11; ++c) {
      EXPECT_EQ(calc_->CellText({2 + c, 3 + r}), shown[r][c]) << "row " << r << " cell " << c;
    }
  }
  EXPECT_EQ(calc_->CellValue({2, 5}), 3.0);
  EXPECT_EQ(calc_->CellValue({3, 3}), 45413.0);  // 2024-05-01 counted from 1899-12-30
  ASSERT_TRUE(calc_->CellValue({4, 3}));
  EXPECT_NEAR(*calc_->CellValue({4, 3}), (12 * 3600 + 34 * 60 + 56) / 86400.0, 1e-9);
  EXPECT_EQ(calc_->CellValue({6, 4}), -0.0012);
  EXPECT_FALSE(calc_->CellValue({9, 5}));   // "=1+1" stays a text
  EXPECT_EQ(calc_->CellText({2, 6}), u"");  // nothing below

  EXPECT_EQ(calc_->ColumnWidth(2), counterWidth);
  EXPECT_EQ(calc_->ColumnWidth(3), 2249);  // "10"
  EXPECT_EQ(calc_->ColumnWidth(4), 1905);  // "8.38"
  for (int column = 5; column <= 12; ++column) EXPECT_EQ(calc_->ColumnWidth(column), 1826) << column;
}

TEST_F(CalcTest, ClosingTheLastDocumentIsGoneAndReleaseEndsCalc) {
  ASSERT_TRUE(calc_->Start(true, u""));
  WriteRow(*calc_, {u"1", u"2024/05/01", u"12:34:56", u"DCV", u"1.2345", u"V", u"", u"", u"", u"", u""});
  ASSERT_TRUE(CloseCalc(options_.pipeName, CalcClose::documents));
  EXPECT_EQ(calc_->Check(), SheetPresence::gone);
  EXPECT_TRUE(calc_->ProcessRunning());
  calc_->Release();
  EXPECT_TRUE(Eventually([&] { return !calc_->ProcessRunning(); }));
  EXPECT_FALSE(CloseCalc(options_.pipeName, CalcClose::program));  // nobody listens any more
}

TEST_F(CalcTest, ReleaseLeavesACalcWithADocumentToItsUser) {
  ASSERT_TRUE(calc_->Start(true, u""));
  calc_->WriteActiveCell(u"kept", u"");
  calc_->Release();
  EXPECT_EQ(calc_->Check(), SheetPresence::gone);  // for us

  // Still there for a second attachment, with its document.
  CalcProgram again(options_);
  ASSERT_TRUE(again.Start(true, u""));
  EXPECT_EQ(again.ProcessGroup(), 0);  // attached, not started
  EXPECT_EQ(again.CellText({1, 1}), u"kept");
  EXPECT_TRUE(calc_->ProcessRunning());
}

TEST_F(CalcTest, CalcThatDiesIsGoneWithoutHarmingUs) {
  ASSERT_TRUE(calc_->Start(true, u""));
  ASSERT_GT(calc_->ProcessGroup(), 0);
  ASSERT_EQ(kill(-calc_->ProcessGroup(), SIGKILL), 0);
  EXPECT_TRUE(Eventually([&] { return calc_->Check() == SheetPresence::gone; }));
  EXPECT_FALSE(calc_->AnyWindow());
  // Calls into the dead connection return; none of them throws or signals.
  calc_->WriteActiveCell(u"1", u"8");
  calc_->Activate({2, 1});
  EXPECT_EQ(calc_->CellText({1, 1}), u"");
  calc_->Release();
  EXPECT_TRUE(Eventually([&] { return !calc_->ProcessRunning(); }));
}

TEST(CalcMissing, StartFailsAtOnce) {
  for (const char* program : {"/nonexistent/soffice", "false"}) {
    SCOPED_TRACE(program);
    CalcOptions options;
    options.program = program;
    options.pipeName = "rv7300s_test_missing_" + std::to_string(getpid());
    char pattern[] = "/tmp/rv7300s-calc-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    options.profileFolder = std::string(pattern) + "/profile";
    // Far beyond the test's own time-out: Start must give up as soon as the
    // program turns out missing, not wait for a Calc to listen.
    options.connectSeconds = 3600;
    CalcProgram calc(options);
    EXPECT_FALSE(calc.Start(true, u""));
    EXPECT_EQ(calc.Check(), SheetPresence::gone);
    EXPECT_FALSE(calc.AnyWindow());
    calc.Release();
    std::filesystem::remove_all(pattern);
  }
}

TEST(CalcWidth, ExcelCharactersToHundredthsOfMillimetres) {
  struct Case {
    std::u16string_view width;
    int hundredths;
  };
  const Case cases[] = {
      {u"8", 1826},  {u"8.38", 1905}, {u"10", 2249}, {u"0", 132},  {u"", -1},
      {u"8,38", -1}, {u"abc", -1},    {u"-1", -1},   {u"1e3", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExcelWidthToCalc(c.width), c.hundredths) << std::string(c.width.begin(), c.width.end());
  }
}

}  // namespace

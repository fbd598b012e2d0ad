// Return in the main window pastes the meter's readings into a running
// LibreOffice Calc (headless, unless the tests run on a real display with a
// screenshot folder: then the picture of Calc receiving the rows is taken).
#include <QAbstractButton>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <cstdlib>

#include "excel/excel_controls.h"
#include "shell/qt/excel_dialog.h"
#include "shell/qt/tests/window_fixture.h"
#ifdef QUORVIA_CALC_TEST
#include "excel/calc_uno.h"
#endif

namespace {

using SpreadsheetWindowTest = WindowFixture;

TEST_F(SpreadsheetWindowTest, ReturnPastesRowsIntoCalc) {
#ifndef QUORVIA_CALC_TEST
  GTEST_SKIP() << "built without the Calc backend (LibreOffice's SDK was not found)";
#else
  if (std::system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "LibreOffice is not installed";
  const char* shots = std::getenv("RV7300S_SCREENSHOTS");
  const bool visible = shots && QGuiApplication::platformName() == "xcb";
  const std::string pipe = "rv7300s_test_" + std::to_string(getpid());
  setenv("RV7300S_CALC_PIPE", pipe.c_str(), 1);
  setenv("RV7300S_CALC_PROFILE", (folder_.Path() / "calc").c_str(), 1);
  setenv("RV7300S_CALC_HEADLESS", visible ? "0" : "1", 1);

  window_ = std::make_unique<CQM8000Dlg>();
  std::vector<std::u16string> boxes;
  window_->Services().answer = [&](std::u16string_view text, MessageButtons) {
    boxes.emplace_back(text);
    return MessageAnswer::yes;
  };
  window_->show();
  ASSERT_TRUE(PumpUntil([&] { return Text(control::kMainValue).contains('.'); }, std::chrono::seconds(8)));
  window_->ShowSpreadsheetWindow();
  CDlgExcel& excel = *window_->SpreadsheetWindow();
  excel.openAnswer = [] { return std::optional<std::u16string>(u""); };
  static_cast<QAbstractButton*>(excel.DialogControls().Widget(excel_control::kOpen))->click();
  ASSERT_TRUE(excel.Core().Attached()) << (boxes.empty() ? "" : std::string(boxes.back().begin(), boxes.back().end()));

  // The panel shows a value just before its cycle publishes the texts.
  PumpUntil([] { return false; }, std::chrono::milliseconds(300));
  for (int row = 0; row < 3; ++row) {
    QTest::keyClick(window_.get(), Qt::Key_Return);
    ASSERT_TRUE(PumpUntil([&] { return excel.Core().rowCounter() == row + 1; }, std::chrono::seconds(5)));
  }
  EXPECT_TRUE(boxes.empty());
  if (visible) {
    PumpUntil([] { return false; }, std::chrono::milliseconds(1500));
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    EXPECT_TRUE(screen.save(QString::fromUtf8(shots) + "/calc-receiving-rows.png"));
  }
  CloseCalc(pipe, CalcClose::program);
  ASSERT_TRUE(PumpUntil([&] { return !excel.Core().Attached(); }, std::chrono::seconds(10)))
      << "the closing is noticed";
  window_->reject();
  ASSERT_TRUE(PumpUntil([&] { return window_->result() == QDialog::Accepted; }, std::chrono::seconds(5)));
#endif
}

}  // namespace

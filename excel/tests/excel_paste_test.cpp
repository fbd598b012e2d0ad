// The spreadsheet take-in over a sheet in memory: the row of eleven cells,
// the limits, the write error, editing, the meter rule, the interval
// take-in and the program's closing.
#include <gtest/gtest.h>

#include <atomic>

#include "excel/excel_controls.h"
#include "excel/excel_paste.h"
#include "excel/memory_sheet.h"
#include "live/headless_window.h"
#include "text/ui_text.h"
#include "window/headless_controls.h"

using namespace std::chrono_literals;

namespace {

using namespace excel_control;

class ExcelPasteTest : public testing::Test {
 protected:
  void SetUp() override {
    Publication reading;
    auto& text = reading.forSpreadsheet.text;
    text[_READING_TEXT::kMainFunction] = u"DCV";
    text[_READING_TEXT::kMainValue] = u"1.2345";
    text[_READING_TEXT::kMainUnit] = u"V";
    text[_READING_TEXT::kSubFunction] = u"Frequency";
    text[_READING_TEXT::kSubValue] = u"50.00";
    text[_READING_TEXT::kSubUnit] = u"Hz";
    reading.forSpreadsheet.value[_READING_TEXT::kSubOver] = 1;
    published_.Publish(reading);
    window_.onMessage = [this](int n, std::intptr_t parameter) { paste_.OnMessage(n, parameter); };
    paste_.Create(1);
  }
  void Attach() {
    paste_.Attach(u"");
    ASSERT_TRUE(paste_.Attached());
  }
  std::vector<std::intptr_t> PostedToMain(int n) const {
    std::vector<std::intptr_t> found;
    for (const auto& [m, p] : main_.Posted()) {
      if (m == n) found.push_back(p);
    }
    return found;
  }
  std::u16string LastBox() const {
    const auto boxes = main_.Boxes();
    return boxes.empty() ? std::u16string() : boxes.back();
  }

  HeadlessControls controls_;
  HeadlessWindow window_, main_;
  Settings settings_;
  PublishedReading published_;
  bool connected_ = true;
  std::atomic<std::time_t> seconds_{1000};
  MemorySheet* sheet_ = nullptr;
  ExcelPaste paste_{{controls_,
                     window_,
                     main_,
                     main_,
                     settings_,
                     published_,
                     [this] {
                       auto sheet = std::make_unique<MemorySheet>();
                       sheet->active = {3, 5};
                       sheet_ = sheet.get();
                       return sheet;
                     },
                     [this] { return connected_; },
                     [] { return false; },
                     {[this] { return seconds_.load(); }, [] { return std::int64_t{0}; },
                      [this] {
                        return CDateTime::FromCalendar({2026, 12, 10, 9, 0, 0});
                      }}}};
};

TEST_F(ExcelPasteTest, ReturnWritesARowOfElevenCellsAndMovesDown) {
  EXPECT_FALSE(paste_.OnReturnKey()) << "nothing attached: Return is the window's own";
  Attach();
  ASSERT_TRUE(paste_.OnReturnKey());
  EXPECT_EQ(PostedToMain(app_message::kReturnTakeIn).size(), 1u);
  paste_.TakeInNow();
  paste_.TakeInNow();
  EXPECT_EQ(sheet_->Row(5, 3), (std::vector<std::u16string>{u"1", u"2026/12/10", u"09:00:00", u"DCV", u"1.2345", u"V",
                                                            u"", u"Frequency", u"50.00", u"Hz", u"OVER"}));
  EXPECT_EQ(sheet_->Cell(3, 6), u"2");
  EXPECT_EQ(sheet_->active, (SheetCell{3, 7}));
  EXPECT_FALSE(sheet_->ColumnWidth(3)) << "the counter's column keeps its width";
  EXPECT_EQ(sheet_->ColumnWidth(4), u"10");
  EXPECT_EQ(sheet_->ColumnWidth(5), u"8.38");
  for (int column = 6; column <= 13; ++column) EXPECT_EQ(sheet_->ColumnWidth(column), u"8");
}

TEST_F(ExcelPasteTest, RowsThatWouldNotFitAreRefused) {
  const struct {
    std::u16string version;
    int column;
    bool fits;
  } cases[] = {{u"16.0", 16374, true}, {u"16.0", 16375, false}, {u"11.0", 246, true}, {u"11.0", 247, false}};
  for (const auto& c : cases) {
    Attach();
    sheet_->version = c.version;
    sheet_->active = {c.column, 1};
    const auto boxes = main_.Boxes().size();
    paste_.TakeInNow();
    EXPECT_EQ(sheet_->counts.writes, c.fits ? 11 : 0);
    EXPECT_EQ(main_.Boxes().size(), boxes + (c.fits ? 0 : 1));
    EXPECT_EQ(sheet_->counts.outsideSheet, 0);
  }
}

TEST_F(ExcelPasteTest, TheLastRowIsWrittenThenTheNextTakeInIsAnErrorUntilTheCellMoves) {
  Attach();
  sheet_->active = {1, 1048576};
  paste_.TakeInNow();
  EXPECT_EQ(sheet_->counts.writes, 11);
  paste_.TakeInNow();
  EXPECT_EQ(sheet_->counts.writes, 11);
  EXPECT_EQ(LastBox(), u"Writing Error.\nWriting to a cell outside of the range.");
  sheet_->active = {1, 20};  // the user clicks another cell
  paste_.TakeInNow();
  EXPECT_EQ(sheet_->counts.writes, 22);
}

TEST_F(ExcelPasteTest, NothingIsWrittenWhileACellIsEditedOrWithoutAMeter) {
  Attach();
  sheet_->editing = true;
  paste_.TakeInNow();
  EXPECT_EQ(sheet_->counts.writes, 0);
  EXPECT_TRUE(main_.Boxes().empty()) << "no message while the user edits";
  sheet_->editing = false;
  connected_ = false;
  EXPECT_TRUE(paste_.OnReturnKey());
  EXPECT_EQ(LastBox(), u"Monitor is stopping.\nPlease run after you start the monitor.");
  EXPECT_EQ(PostedToMain(app_message::kFocusMonitorButton).size(), 1u);
  EXPECT_TRUE(PostedToMain(app_message::kReturnTakeIn).empty());
}

TEST_F(ExcelPasteTest, IntervalTakeInsComeOneSecondAfterStartThenEveryWait) {
  Attach();
  paste_.OnClicked(kByInterval);
  controls_.SelectListItem(kIntervalList, 3);  // 10 s
  paste_.OnClicked(kStartStop);
  ASSERT_TRUE(paste_.IntervalRunning());
  EXPECT_EQ(PostedToMain(app_message::kMemoryMenu), std::vector<std::intptr_t>{1});
  auto takeInsAt = [&](std::time_t second) {
    seconds_ = second;
    window_.PumpUntil([] { return false; }, 60ms);
    return PostedToMain(app_message::kIntervalTakeIn).size();
  };
  EXPECT_EQ(takeInsAt(1000), 0u);
  EXPECT_EQ(takeInsAt(1001), 1u);
  EXPECT_EQ(takeInsAt(1010), 1u);
  EXPECT_EQ(takeInsAt(1011), 2u);
  EXPECT_EQ(takeInsAt(1021), 3u);
  paste_.OnClicked(kStartStop);
  EXPECT_FALSE(paste_.IntervalRunning());
  EXPECT_EQ(takeInsAt(1040), 3u);
}

TEST_F(ExcelPasteTest, TheRecordSettingStopsTheTakeInAfterItsRecordTime) {
  Attach();
  settings_.excelUseRecordSetting = 1;
  settings_.intervalSeconds = 1;
  settings_.totalMode = 1;
  settings_.recordHours = settings_.recordMinutes = 0;
  settings_.recordSeconds = 10;
  paste_.OnClicked(kByInterval);
  controls_.SetCheck(kUseRecordSetting, true);
  paste_.OnClicked(kStartStop);
  window_.PumpUntil([] { return false; }, 60ms);  // the thread reads the clock at Start
  for (int i = 0; i < 20 && paste_.IntervalRunning(); ++i) {
    seconds_ = 1001 + i;
    ASSERT_TRUE(window_.PumpUntil(
        [&] { return PostedToMain(app_message::kIntervalTakeIn).size() > static_cast<std::size_t>(i); }, 5s));
    paste_.TakeInAtNotedTime();
  }
  EXPECT_FALSE(paste_.IntervalRunning());
  EXPECT_EQ(paste_.rowCounter(), 11);
}

TEST_F(ExcelPasteTest, AProgramNotFoundOrClosedIsSaid) {
  paste_.OnCheckTimer(true);  // nothing attached: nothing to do
  Attach();
  sheet_->closedByUser = true;
  paste_.OnCheckTimer(false);
  EXPECT_FALSE(paste_.Attached());
  EXPECT_EQ(LastBox(), u"The data caputure is ended,\nbecause Excel is closed.");
  EXPECT_TRUE(controls_.IsEnabled(kOpen));
  EXPECT_FALSE(controls_.IsEnabled(kByReturn));

  ExcelPaste none{{controls_, window_, main_, main_, settings_, published_, [] { return nullptr; }, [] { return true; },
                   [] { return false; }}};
  none.Create(1);
  none.Attach(u"");
  EXPECT_FALSE(none.Attached());
  EXPECT_EQ(LastBox(), u"Excel program not found.");
}

}  // namespace

// Rendering stored records into list rows, the record list page's paging,
// and the record information page's texts.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "live/headless_window.h"
#include "recording/record_controls.h"
#include "recording/record_list_page.h"
#include "recording/tests/recording_fixture.h"
#include "recording/tests/records.h"
#include "window/headless_controls.h"

namespace {

using namespace record_control;

_RECORD_DATA Record(int function, int count, int range) {
  return MakeRecord(function, count, range, CDateTime::FromCalendar({2026, 12, 10, 9, 0, 5}));
}

TEST(RecordRendering, RowsOfTheRv736xFamily) {
  SetCatalogueLanguage(1);
  const RenderContext rv7361{8, 0, {}};
  _RECORD_DATA fahrenheit = Record(10, 771, 0);
  fahrenheit.settingValue = 1;
  _RECORD_DATA loop0 = Record(17, 1234, 0);
  loop0.settingValue = 1;
  const struct {
    const char* what;
    _RECORD_DATA record;
    std::u16string main, sub;
  } cases[] = {
      {"no sub display", Record(4, 12340, 3), u"DCV 1.2340 V", u"<none>  "},
      {"TEMP in Celsius", Record(10, 771, 0), u"Temp 77.1 ℃", u"<none>  "},
      {"TEMP in Fahrenheit", fahrenheit, u"Temp 77.1 ºF", u"<none>  "},
      {"current loop 4-20", Record(17, 1234, 0), u"DC 4-20mA 12.34 %", u"<none>  "},
      {"current loop 0-20", loop0, u"DC 0-20mA 12.34 %", u"<none>  "},
      {"separate volts", WithSub(Record(6, 12340, 1), 6, 5000, 1), u"DCV 1.2340 V", u"ACV 0.5000 V"},
      {"frequency sub display", WithSub(Record(0, 12340, 3), -1, 5000, 2), u"ACV 1.2340 V", u"Freq. 50.00 Hz"},
  };
  for (const auto& c : cases) {
    const RowTexts row = RowOf(RenderRecord(c.record, rv7361));
    EXPECT_EQ(row[0], u"2026/12/10,09:00:05") << c.what;
    EXPECT_EQ(row[1], c.main) << c.what;
    EXPECT_EQ(row[2], c.sub) << c.what;
  }
}

TEST(RecordRendering, RelativeTimesCountFromTheFirstRecord) {
  const CDateTime first = CDateTime::FromCalendar({2026, 12, 9, 8, 0, 0});
  const RowTexts row = RowOf(RenderRecord(Record(4, 0, 3), {8, 1, first}));
  EXPECT_EQ(row[0], u"25:00:05");
}

TEST(RecordRendering, CellsKeepAtMost31Characters) {
  _READING_TEXT text;
  text.text[_READING_TEXT::kMainFunction] = std::u16string(40, u'x');
  EXPECT_EQ(RowOf(text)[1].size(), 31u);
}

TEST(RecordRendering, IntervalTexts) {
  const struct {
    int h, m, s;
    std::u16string text;
  } cases[] = {{0, 0, 1, u"1s"}, {1, 0, 30, u"1h 30s"}, {0, 0, 0, u"0s"}, {2, 15, 0, u"2h 15m"}, {0, 1, 1, u"1m 1s"}};
  for (const auto& c : cases) {
    Settings settings;
    settings.intervalHours = c.h;
    settings.intervalMinutes = c.m;
    settings.intervalSeconds = c.s;
    EXPECT_EQ(IntervalText(settings), c.text);
  }
}

class RecordListPageTest : public testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 2500; ++i) store.Append(Record(4, i, 3));
    list.paging = {1, 3, 500};
  }
  std::intptr_t LastShown() const { return messages.Posted().back().second; }

  HeadlessControls page;
  FakeRows rows;
  HeadlessWindow messages;
  RecordStore store;
  Settings settings;
  RecordListPage list{page, rows, messages, store, settings};
};

TEST_F(RecordListPageTest, JumpClampsToThePagesThatExist) {
  const struct {
    std::u16string typed;
    int page;
  } cases[] = {{u"2", 2}, {u"0", 1}, {u"-4", 1}, {u"99", 3}, {u" 3 ", 3}, {u"99999999999999999999", 3}};
  for (const auto& c : cases) {
    ASSERT_TRUE(list.OnJump(c.typed));
    EXPECT_EQ(list.paging.currentPage, c.page) << std::string(c.typed.begin(), c.typed.end());
    EXPECT_EQ(LastShown(), c.page);
    EXPECT_EQ(page.Text(kPageNumber), std::u16string(1, u'0' + c.page));
  }
  const auto posted = messages.Posted().size();
  for (const std::u16string typed : {u"", u"two", u"1.5", u"３"}) EXPECT_FALSE(list.OnJump(typed));
  EXPECT_EQ(messages.Posted().size(), posted) << "a non-number changes nothing";
}

TEST_F(RecordListPageTest, PreviousAndNextStopAtTheEndsButStillRebuild) {
  list.OnPrevious();
  EXPECT_EQ(LastShown(), 1);
  EXPECT_FALSE(page.IsEnabled(kPrevious));
  EXPECT_TRUE(page.IsEnabled(kNext));
  list.OnNext();
  list.OnNext();
  list.OnNext();
  EXPECT_EQ(LastShown(), 3);
  EXPECT_EQ(page.Text(kPageLabel), u"3/3");
  EXPECT_TRUE(page.IsEnabled(kPrevious));
  EXPECT_FALSE(page.IsEnabled(kNext));
}

TEST_F(RecordListPageTest, ShowPageRendersThatPagesRecords) {
  ASSERT_TRUE(list.ShowPage(2));
  ASSERT_EQ(rows.rows.size(), 1000u);
  EXPECT_EQ(rows.rows.front()[1], u"DCV 0.1000 V");
  ASSERT_TRUE(list.ShowPage(3));
  EXPECT_EQ(rows.rows.size(), 500u);
  EXPECT_EQ(rows.rebuilds, 2);
  EXPECT_FALSE(list.ShowPage(0));
  EXPECT_FALSE(list.ShowPage(4));
  EXPECT_EQ(rows.rebuilds, 2) << "not a page: the list is left as it was";
}

TEST_F(RecordListPageTest, OnePageMeansNoPaging) {
  list.paging = {1, 1, 12};
  list.EnablePaging(true);
  for (const int id : {kPrevious, kNext, kPageNumber, kJump}) EXPECT_FALSE(page.IsEnabled(id));
}

}  // namespace

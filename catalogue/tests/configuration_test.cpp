// Configuration replies applied to the snapshot and the panel's lists, and
// the user's choices in the lists.
#include <gtest/gtest.h>

#include "base/models.h"
#include "catalogue/catalogue.h"
#include "catalogue/configuration.h"
#include "window/headless_controls.h"

namespace {

const std::string kQuiet(24, '0');

std::string StatusWith(std::initializer_list<std::pair<int, char>> positions) {
  std::string status = kQuiet;
  for (const auto& [position, value] : positions) status[position] = value;
  return status;
}

class ConfigurationTest : public testing::Test {
 protected:
  void SetUp() override { SetCatalogueLanguage(1); }
  void Apply(int model, std::string_view function, std::string_view range, const std::string& status = kQuiet) {
    ApplyConfiguration(model, function, range, status, data_, lists_, controls_);
  }
  const HeadlessControls::List& RangeList() { return controls_.lists[control::kRangeList]; }
  const HeadlessControls::List& ModeList() { return controls_.lists[control::kModeList]; }

  _MONITOR_DATA data_;
  ListState lists_;
  HeadlessControls controls_;
};

TEST_F(ConfigurationTest, ModelSpecificRowsOfTheRv732x) {
  struct Case {
    int model;
    const char* function;
    const char* range;
    int row, column;
    std::vector<std::u16string> ranges;
    std::u16string selected;
  };
  const Case cases[] = {
      {kRv7322, "DCA", "6", 16, 1, {u"Auto", u"6A", u"10A"}, u"6A"},
      {kRv7321, "VDET", "0", 18, 0, {u"none"}, u"none"},
      {kRv7324, "DCV", "1000", 15, 5, {u"Auto", u"600mV", u"6V", u"60V", u"600V", u"1500V"}, u"1500V"},
      {kRv7322, "DCV", "60", 19, 2, {u"Auto", u"6V", u"60V", u"600V", u"1000V"}, u"60V"},
      {kRv7322, "ACA", "10", 17, 2, {u"Auto", u"6A", u"10A"}, u"10A"},
      {kRv7323, "DCV", "1000", 1, 5, {u"Auto", u"600mV", u"6V", u"60V", u"600V", u"1000V"}, u"1000V"},
      {kRv7321, "ACV", "6", 0, 1, {u"Auto", u"6V", u"60V", u"600V", u"1000V"}, u"6V"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.function) + "," + c.range);
    data_ = _MONITOR_DATA();
    Apply(c.model, c.function, c.range);
    EXPECT_EQ(data_.functionIndex.load(), c.row);
    EXPECT_EQ(data_.rangeIndex.load(), c.column);
    EXPECT_EQ(RangeList().items, c.ranges);
    EXPECT_EQ(controls_.Selected(control::kRangeList), c.selected);
    EXPECT_EQ(ModeList().items, std::vector<std::u16string>{LongName(Family::RV732X, c.row)});
    EXPECT_EQ(data_.shownFunction.load(), c.row);
  }
}

TEST_F(ConfigurationTest, FilterRangesOfTheRv736x) {
  Apply(kRv7361, "ACV", "600", StatusWith({{2, '1'}}));
  EXPECT_EQ(RangeList().items, (std::vector<std::u16string>{u"600V", u"1000V"}));
  EXPECT_EQ(controls_.Selected(control::kRangeList), u"600V");
  EXPECT_EQ(data_.rangeIndex.load(), 5) << "the normal column of 600 V";
  EXPECT_EQ(ModeList().items, (std::vector<std::u16string>{u"ACV", u"dBm", u"dBV", u"Clamp"}));

  // The filter goes off: the normal ranges come back.
  Apply(kRv7361, "ACV", "600");
  EXPECT_EQ(RangeList().items.size(), 7u);
  EXPECT_EQ(controls_.Selected(control::kRangeList), u"600V");
  EXPECT_EQ(data_.rangeIndex.load(), 5);
  EXPECT_EQ(lists_.rememberedAcvRange.load(), 5);

  data_ = _MONITOR_DATA();
  Apply(kRv7361, "ACDCV", "1000", StatusWith({{2, '1'}}));
  EXPECT_EQ(data_.rangeIndex.load(), 4);
}

TEST_F(ConfigurationTest, UnknownRepliesChangeNothing) {
  Apply(kRv7321, "ACV", "60");
  const int fills = RangeList().fills;
  Apply(kRv7321, "DCV", "7");   // no such DCV range
  Apply(kRv7321, "XYZ", "60");  // no such function
  EXPECT_EQ(data_.functionIndex.load(), 0);
  EXPECT_EQ(data_.rangeIndex.load(), 2);
  EXPECT_EQ(RangeList().fills, fills);
  EXPECT_EQ(data_.shownFunction.load(), 0);
}

TEST_F(ConfigurationTest, AutoRangeSelectsTheAutoEntry) {
  Apply(kRv7361, "DCV", "60", StatusWith({{11, '1'}}));
  EXPECT_EQ(controls_.Selected(control::kRangeList), u"Auto");
  EXPECT_EQ(data_.rangeIndex.load(), 4);
  EXPECT_EQ(data_.autoRange.load(), 1);
  EXPECT_EQ(lists_.rangePosition.load(), 0);
}

// The meter keeps its auto-range flag in peak hold, but the PEAK ranges
// have no "Auto" entry: the list must name the range the reply reports.
TEST_F(ConfigurationTest, AutoRangeInPeakHoldSelectsTheReportedRange) {
  struct Case {
    int model;
    const char* function;
    const char* range;
    std::u16string selected;
    int column;
  };
  const Case cases[] = {
      {kRv7361, "DCV", "60", u"60V", 1}, {kRv7362, "ACV", "600", u"1500V", 2},    {kRv7341, "DCV", "600", u"1000V", 1},
      {kRv7341, "ACA", "10", u"15A", 2}, {kRv7361, "DCmA", "600m", u"1200mA", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.function) + "," + c.range);
    data_ = _MONITOR_DATA();
    Apply(c.model, c.function, c.range, StatusWith({{11, '1'}}));
    ASSERT_EQ(controls_.Selected(control::kRangeList), u"Auto") << "before peak hold";
    // PEAK switched on: the lists are refilled from the PEAK set ...
    Apply(c.model, c.function, c.range, StatusWith({{11, '1'}, {15, '1'}}));
    EXPECT_EQ(controls_.Selected(control::kRangeList), c.selected);
    EXPECT_EQ(data_.rangeIndex.load(), c.column);
    EXPECT_EQ(lists_.rangePosition.load(), c.column);
    EXPECT_EQ(data_.shownRange.load(), c.column);
    EXPECT_EQ(data_.autoRange.load(), 0);
    // ... and a later reply of the same range keeps that entry.
    Apply(c.model, c.function, c.range, StatusWith({{11, '1'}, {15, '1'}}));
    EXPECT_EQ(controls_.Selected(control::kRangeList), c.selected);
  }
}

TEST_F(ConfigurationTest, ListsAreRefilledOnlyWhenSomethingChanged) {
  Apply(kRv7341, "ACA", "6");
  ASSERT_EQ(RangeList().fills, 1);
  EXPECT_EQ(ModeList().items, (std::vector<std::u16string>{u"ACA", u"FREQ A"}));
  Apply(kRv7341, "ACA", "6");
  EXPECT_EQ(RangeList().fills, 1) << "same reply: nothing to do";
  Apply(kRv7341, "ACA", "10");
  EXPECT_EQ(RangeList().fills, 1);
  EXPECT_EQ(controls_.Selected(control::kRangeList), u"10A");

  // PEAK on: the PEAK ranges, found by the same tokens.
  Apply(kRv7341, "ACA", "10", StatusWith({{15, '1'}}));
  EXPECT_EQ(RangeList().fills, 2);
  EXPECT_EQ(RangeList().items, (std::vector<std::u16string>{u"1200mA", u"12A", u"15A"}));
  EXPECT_EQ(controls_.Selected(control::kRangeList), u"15A");
  EXPECT_EQ(data_.shownPeak.load(), 1);

  // A mode request refills even for the same row.
  data_.modeRequest = 1;
  Apply(kRv7341, "ACA", "10", StatusWith({{15, '1'}}));
  EXPECT_EQ(RangeList().fills, 3);
  EXPECT_EQ(ModeList().fills, 2);
}

TEST_F(ConfigurationTest, ALanguageSwitchRefillsTheListsOnce) {
  Apply(kRv7361, "CONT", "600");
  ASSERT_EQ(ModeList().fills, 1);
  SetCatalogueLanguage(0);
  lists_.relabel = true;
  Apply(kRv7361, "CONT", "600");
  EXPECT_EQ(ModeList().items, (std::vector<std::u16string>{u"導通", u"ダイオード"}));
  EXPECT_EQ(controls_.Selected(control::kModeList), u"導通");
  Apply(kRv7361, "CONT", "600");
  EXPECT_EQ(ModeList().fills, 2);
  SetCatalogueLanguage(1);
}

TEST_F(ConfigurationTest, RememberedAcvRangeOnlyWithoutPeak) {
  Apply(kRv7362, "ACV", "6");
  EXPECT_EQ(lists_.rememberedAcvRange.load(), 3);
  Apply(kRv7362, "ACV", "60", StatusWith({{15, '1'}}));
  EXPECT_EQ(lists_.rememberedAcvRange.load(), 3);
}

TEST_F(ConfigurationTest, SubConfiguration) {
  struct Case {
    int model;
    const char* function;
    const char* range;
    std::string status;
    int subFunction, subRange;
  };
  const Case cases[] = {
      {kRv7321, "FREQ", "10k", kQuiet, -1, 2},
      {kRv7321, "ACV", "6", kQuiet, 7, 7},  // RV732X understands only FREQ
      {kRv7361, "FREQ", "1000k", kQuiet, -1, 5},
      {kRv7361, "ACV", "60", kQuiet, 0, 4},
      {kRv7361, "ACV", "60", StatusWith({{15, '1'}}), 0, 1},
      {kRv7361, "ACV", "600", StatusWith({{2, '1'}}), 0, 5},  // the FILTER set is not used here
      {kRv7341, "HzV", "100", kQuiet, 4, 1},
      {kRv7341, "HzV", "1M", kQuiet, 7, 7},  // no such range: both stay
  };
  for (const Case& c : cases) {
    data_.subFunctionIndex = 7;
    data_.subRangeIndex = 7;
    ApplySubConfiguration(c.model, c.function, c.range, c.status, data_);
    EXPECT_EQ(data_.subFunctionIndex.load(), c.subFunction) << c.function << "," << c.range;
    EXPECT_EQ(data_.subRangeIndex.load(), c.subRange) << c.function << "," << c.range;
  }
}

TEST_F(ConfigurationTest, ModeListChoiceRequestsTheChosenRow) {
  MonitorSnapshot snapshot;
  struct Case {
    int model;
    int function;
    int old, chosen;
    bool request;
    int requested;
  };
  const Case cases[] = {
      {8, 15, 0, 2, true, 17},                          // three-member group: current + 2
      {8, 0, 0, 3, true, 3},   {8, 19, 0, 1, true, 0},  // 20 on the RV736X becomes 0
      {6, 14, 2, 0, true, 12}, {0, 5, 0, 0, false, 5},  // RV732X: one entry, no request
  };
  for (const Case& c : cases) {
    snapshot.Data().modeRequest = 0;
    snapshot.Data().functionIndex = c.function;
    lists_.modePosition = c.old;
    controls_.lists[control::kModeList].selection = c.chosen;
    OnModeListSelection(c.model, snapshot, lists_, controls_);
    EXPECT_EQ(snapshot.Data().modeRequest.load(), c.request ? 1 : 0);
    EXPECT_EQ(lists_.requestedFunction.load(), c.requested);
    EXPECT_EQ(lists_.modePosition.load(), c.chosen);
  }
}

TEST_F(ConfigurationTest, RangeListChoiceRequestsAndAsksToStopARecording) {
  MonitorSnapshot snapshot;
  lists_.rangePosition = 2;
  controls_.lists[control::kRangeList].selection = 2;
  EXPECT_FALSE(OnRangeListSelection(snapshot, lists_, controls_));
  EXPECT_EQ(snapshot.Data().rangeRequest.load(), 0);
  controls_.lists[control::kRangeList].selection = 4;
  EXPECT_TRUE(OnRangeListSelection(snapshot, lists_, controls_));
  EXPECT_EQ(snapshot.Data().rangeRequest.load(), 1);
  EXPECT_EQ(lists_.rangePosition.load(), 4);
}

}  // namespace

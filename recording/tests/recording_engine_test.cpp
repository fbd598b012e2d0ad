#include "recording/tests/recording_fixture.h"

namespace {

using namespace record_control;

class RecordingEngineTest : public RecordingFixture {};

TEST_F(RecordingEngineTest, ADataCountOfOneStopsAfterTheFirstRecord) {
  settings.dataCount = 1;
  engine.OnStart();
  EXPECT_FALSE(window.IsEnabled(kStart));
  EXPECT_TRUE(window.IsEnabled(kStop));
  EXPECT_EQ(shell.focus, kStop);
  Tick(5, true);
  EXPECT_FALSE(engine.IsRecording());
  EXPECT_EQ(store.Size(), 1u);
  EXPECT_EQ(store.runCount, 1);
  EXPECT_EQ(window.Text(kStartTime), u"2026/12/10,09:00:05");
  EXPECT_EQ(window.Text(kStopTime), u"2026/12/10,09:00:05");
  EXPECT_TRUE(window.IsEnabled(kStart));
  EXPECT_TRUE(window.IsEnabled(kGraphCopy) && window.IsEnabled(kSave) && window.IsEnabled(kClear));
  EXPECT_EQ(shell.focus, kStart);
  EXPECT_EQ(info.Text(kDataCount), u"1");
  EXPECT_EQ(PostedOf(app_message::kSaveMenu).back(), app_message::kAlsoOpen) << "save items and Open enabled";
  EXPECT_FALSE(engine.saved);
}

TEST_F(RecordingEngineTest, ARecordTimeOfTenSecondsAtOneSecondStopsAtTheEleventhRecord) {
  settings.totalMode = 1;
  settings.recordHours = settings.recordMinutes = 0;
  settings.recordSeconds = 10;
  Run(20);
  EXPECT_EQ(store.Size(), 11u);
  EXPECT_FALSE(engine.IsRecording());
}

TEST_F(RecordingEngineTest, RecordsAreStampedAndRowsShowTheReading) {
  Run(2, 7);
  engine.OnStop();
  ASSERT_EQ(store.Size(), 2u);
  EXPECT_EQ(store.At(1).timeDate, At(8).date());
  EXPECT_EQ(store.At(1).mainCount, 12340);
  ASSERT_EQ(rows.rows.size(), 2u);
  EXPECT_EQ(rows.rows[1], (RowTexts{u"2026/12/10,09:00:08", u"DCV 1.2340 V", u"<none>  "}));
  EXPECT_EQ(store.firstRecordTime, At(7));
  // Rendering the stored record gives the row the live reading gave.
  EXPECT_EQ(RowOf(RenderRecord(store.At(1), list.Context())), rows.rows[1]);
}

TEST_F(RecordingEngineTest, StatisticsFollowTheRunAndIgnoreBlankReadings) {
  engine.OnStart();
  Tick(0, true);
  published.Publish(DcVolts(kBlankCount, u"-----"));
  Tick(1);
  published.Publish(DcVolts(20000, u"2.0000"));
  Tick(2);
  published.Publish(DcVolts(-50, u"-0.0050"));
  Tick(3);
  engine.OnStop();
  EXPECT_EQ(page.Text(kMainMax), u"2026/12/10,09:00:02    DCV 2.0000 V");
  EXPECT_EQ(page.Text(kMainMin), u"2026/12/10,09:00:03    DCV -0.0050 V");
  EXPECT_EQ(page.Text(kSubMax), u"") << "no sub display";
  EXPECT_EQ(store.maxMainText, u"2.0000 V");
  // The lines rebuilt from the store read the same.
  page.texts.clear();
  list.RefreshStatisticsLines();
  EXPECT_EQ(page.Text(kMainMax), u"2026/12/10,09:00:02    DCV 2.0000 V");
  EXPECT_EQ(page.Text(kMainMin), u"2026/12/10,09:00:03    DCV -0.0050 V");
}

// Clearing the newest records one by one: the statistics are those of the
// records left, never of a removed one, and blank or OPEN never count.
TEST_F(RecordingEngineTest, ClearingTheNewestRecordRecomputesTheStatistics) {
  engine.OnStart();
  const std::pair<std::int32_t, std::u16string> readings[] = {{kBlankCount, u"-.----"}, {kOpenCount, u"OPEN"},
                                                              {12340, u"1.2340"},       {15000, u"1.5000"},
                                                              {-50, u"-0.0050"},        {20000, u"2.0000"}};
  for (int second = 0; second < 6; ++second) {
    published.Publish(DcVolts(readings[second].first, readings[second].second));
    Tick(second, second == 0);
  }
  engine.OnStop();
  ASSERT_EQ(page.Text(kMainMax), u"2026/12/10,09:00:05    DCV 2.0000 V");

  struct Step {
    const char* removed;
    std::u16string max, min;  // the lines; empty: no statistics
    std::int32_t graphMax = 0, graphMin = 0;
  };
  const Step steps[] = {
      {"the maximum", u"2026/12/10,09:00:03    DCV 1.5000 V", u"2026/12/10,09:00:04    DCV -0.0050 V", 15000, -50},
      {"the minimum", u"2026/12/10,09:00:03    DCV 1.5000 V", u"2026/12/10,09:00:02    DCV 1.2340 V", 15000, 12340},
      {"both down to one value", u"2026/12/10,09:00:02    DCV 1.2340 V", u"2026/12/10,09:00:02    DCV 1.2340 V", 12340,
       12340},
      {"the last real value", u"", u""},
      {"OPEN", u"", u""},
      {"every record", u"", u""},
  };
  shell.clearChoice = ClearChoice::newest;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.removed);
    engine.OnClear();
    EXPECT_EQ(page.Text(kMainMax), s.max);
    EXPECT_EQ(page.Text(kMainMin), s.min);
    EXPECT_EQ(store.maxMainText.empty(), s.max.empty());
    EXPECT_EQ(store.listMaxMain.first, s.max.empty());
    if (s.max.empty()) continue;
    EXPECT_EQ(graph.mainChannel.maxCount, s.graphMax);
    EXPECT_EQ(graph.mainChannel.minCount, s.graphMin);
  }
  EXPECT_EQ(store.Size(), 0u);
}

TEST_F(RecordingEngineTest, ClearingAManualSampleKeepsTheRunsStatistics) {
  Run(2);
  engine.OnStop();
  const std::u16string maxLine = page.Text(kMainMax);
  ASSERT_FALSE(maxLine.empty());
  published.Publish(DcVolts(50000, u"5.0000"));
  engine.OnManual();
  shell.clearChoice = ClearChoice::newest;
  engine.OnClear();
  EXPECT_EQ(page.Text(kMainMax), maxLine) << "the manual sample never was part of them";
  EXPECT_EQ(store.maxMainTime, At(1));
}

TEST_F(RecordingEngineTest, TheThousandAndFirstRecordStartsPageTwo) {
  Run(1001);
  EXPECT_EQ(page.Text(kPageLabel), u"2/2");
  ASSERT_EQ(rows.rows.size(), 1u);
  EXPECT_EQ(rows.rows[0][0], RealTimeText(At(1000)));
  EXPECT_FALSE(page.IsEnabled(kNext)) << "paging stays off during a run";
  engine.OnStop();
  EXPECT_TRUE(page.IsEnabled(kPrevious));
  EXPECT_FALSE(page.IsEnabled(kNext));

  // Clearing that only record of page 2 shows page 1 again with its 1000 rows.
  shell.clearChoice = ClearChoice::newest;
  engine.OnClear();
  EXPECT_EQ(store.Size(), 1000u);
  EXPECT_EQ(page.Text(kPageLabel), u"1/1");
  EXPECT_EQ(rows.rows.size(), 1000u);
  EXPECT_EQ(rows.rows.back()[0], RealTimeText(At(999)));
  EXPECT_EQ(list.paging.lastPageRows, 1000);
  EXPECT_FALSE(page.IsEnabled(kPrevious));
}

TEST_F(RecordingEngineTest, AnAppendWhileAnEarlierPageIsShownReturnsToTheLastPage) {
  Run(1500);
  engine.OnStop();
  list.OnPrevious();
  ASSERT_TRUE(engine.OnMessage(app_message::kShowPage, 1));
  EXPECT_EQ(rows.rows.front()[0], RealTimeText(At(0)));
  engine.OnMessage(app_message::kManualSample, 0);
  EXPECT_EQ(page.Text(kPageLabel), u"2/2");
  ASSERT_EQ(rows.rows.size(), 501u);
  EXPECT_EQ(rows.rows.front()[0], RealTimeText(At(1000)));
  EXPECT_EQ(rows.rows.back()[0], RealTimeText(At(30))) << "the manual sample's own time";
}

TEST_F(RecordingEngineTest, AManualSampleAfterARunEndsTheGraphsViewButKeepsTheStatistics) {
  Run(3);
  engine.OnStop();
  const std::u16string maxLine = page.Text(kMainMax);
  ASSERT_FALSE(maxLine.empty());
  EXPECT_TRUE(window.IsEnabled(kGraphCopy));
  engine.OnManual();
  EXPECT_EQ(store.runCount, 0);
  EXPECT_EQ(store.Size(), 4u);
  EXPECT_EQ(graphPage.resets, 1);
  EXPECT_FALSE(window.IsEnabled(kGraphCopy));
  EXPECT_EQ(page.Text(kMainMax), maxLine);
  // A second manual sample only moves the graph's first record on.
  engine.OnManual();
  EXPECT_EQ(graphPage.resets, 1);
  EXPECT_EQ(graph.firstRecord, 6);
}

TEST_F(RecordingEngineTest, NothingIsRecordedFromAFailedReading) {
  snapshot.Data().confError = 1;
  engine.OnStart();
  engine.OnManual();
  EXPECT_FALSE(engine.IsRecording());
  EXPECT_EQ(store.Size(), 0u);
}

TEST_F(RecordingEngineTest, ClearingAllReturnsToAnEmptySavedRecording) {
  Run(3);
  engine.OnStop();
  engine.TieToFile(u"bench.vdmm");
  shell.clearChoice = ClearChoice::all;
  engine.OnClear();
  EXPECT_EQ(store.Size(), 0u);
  EXPECT_FALSE(engine.tiedToFile) << "the next run must not be saved over that file";
  EXPECT_EQ(shell.title, kProgramTitle);
  EXPECT_TRUE(rows.rows.empty());
  EXPECT_EQ(page.Text(kPageLabel), u"1/1");
  EXPECT_TRUE(engine.saved);
  EXPECT_FALSE(window.IsEnabled(kSave) || window.IsEnabled(kClear) || window.IsEnabled(kGraphCopy));
  EXPECT_EQ(window.Text(kStartTime), u"");
  EXPECT_EQ(page.Text(kMainMax), u"");
  EXPECT_EQ(info.Text(kDataCount), u"0");
  EXPECT_EQ(PostedOf(app_message::kSaveMenu).back(), 1) << "save items greyed, Open left alone";
  // Closing the dialog otherwise clears nothing.
  Run(1);
  engine.OnStop();
  shell.clearChoice = ClearChoice::cancel;
  engine.OnClear();
  EXPECT_EQ(store.Size(), 1u);
}

TEST_F(RecordingEngineTest, ARecordingTiedToAnotherMetersFileAsksBeforeRecording) {
  Run(2);
  engine.OnStop();
  engine.tiedToFile = true;
  engine.fileName = u"bench.vdmm";
  // The same meter (no serial number in either here): appended without a question.
  Run(1, 5);
  engine.OnStop();
  EXPECT_EQ(store.Size(), 3u);
  EXPECT_TRUE(messages.Boxes().empty());

  store.recordSerial = u"11111111";
  messages.answer = MessageAnswer::no;
  engine.OnStart();
  EXPECT_FALSE(engine.IsRecording());
  EXPECT_EQ(store.Size(), 3u);
  messages.answer = MessageAnswer::yes;
  engine.OnStart();
  EXPECT_TRUE(engine.IsRecording());
  EXPECT_EQ(store.Size(), 0u);
  EXPECT_FALSE(engine.tiedToFile);
  EXPECT_EQ(shell.title, kProgramTitle);
  ASSERT_EQ(messages.Boxes().size(), 2u);
  EXPECT_EQ(messages.Boxes()[0].substr(0, 13), u"Serial number");
}

TEST_F(RecordingEngineTest, TheFirstSampleOfASavedFilesRecordingMarksTheTitle) {
  engine.tiedToFile = true;
  engine.fileName = u"bench.vdmm";
  engine.saved = true;
  engine.OnStart();
  Tick(0, true);
  EXPECT_EQ(shell.title, u"Quorvia for RV7300s  Ver2.11 - [bench.vdmm *]");
  shell.title.clear();
  Tick(1);
  EXPECT_EQ(shell.title, u"") << "later samples leave the title alone";
  EXPECT_FALSE(engine.saved);
}

TEST_F(RecordingEngineTest, ATickOfAStoppedRunIsNotRecorded) {
  engine.OnStart();
  Tick(0, true);
  std::atomic<bool> stoppedRun{false};
  IntervalTick late{At(1), false, &stoppedRun};
  engine.OnMessage(app_message::kIntervalTick, reinterpret_cast<std::intptr_t>(&late));
  EXPECT_EQ(store.Size(), 1u);
}

TEST_F(RecordingEngineTest, ADisconnectEndsTheRunAtItsLastTick) {
  Run(2, 10);
  engine.EndRecordingAtDisconnect();
  engine.RefreshAfterDisconnect();
  EXPECT_FALSE(engine.IsRecording());
  EXPECT_EQ(window.Text(kStopTime), u"2026/12/10,09:00:11");
  EXPECT_TRUE(window.IsEnabled(kSave));
  EXPECT_TRUE(window.IsEnabled(kGraphCopy));
}

TEST_F(RecordingEngineTest, AnOpenedRecordingShowsItsLastPage) {
  const struct {
    int records;
    std::u16string label;
    std::size_t rows;
  } cases[] = {{2000, u"2/2", 1000}, {2001, u"3/3", 1}, {0, u"1/1", 0}};
  for (const auto& c : cases) {
    rows.Add({u"a row of the recording shown before"});
    store.RemoveAll();
    for (int i = 0; i < c.records; ++i) store.Append(published.Latest().recordTemplate);
    store.runCount = c.records;
    engine.ShowOpenedRecording();
    EXPECT_EQ(page.Text(kPageLabel), c.label);
    EXPECT_EQ(rows.rows.size(), c.rows) << c.records << " records";
    EXPECT_EQ(page.IsEnabled(kPrevious), c.records > 1000);
    EXPECT_EQ(window.IsEnabled(kSave), c.records > 0);
    EXPECT_EQ(info.Text(kDataCount), Utf8ToUtf16(std::to_string(c.records)));
  }
  EXPECT_EQ(info.Text(kModel), u"RV7361");
}

}  // namespace

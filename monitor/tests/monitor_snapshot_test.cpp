#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "monitor/monitor_snapshot.h"
#include "monitor/reading_text.h"

namespace {

TEST(MonitorData, FieldsInStoredOrder) {
  _MONITOR_DATA data;
  EXPECT_EQ(&data.Field(0), &data.modeRequest);
  EXPECT_EQ(&data.Field(19), &data.adoptSettings);
  EXPECT_EQ(&data.Field(26), &data.shownFunction);
  EXPECT_EQ(&data.Field(30), &data.battery);
  EXPECT_EQ(&data.Field(31), &data.status[0]);
  EXPECT_EQ(&data.Field(54), &data.status[23]);
  // Start-up values: all 0 but the shown function and range.
  for (int i = 0; i < kMonitorFieldCount; ++i) {
    EXPECT_EQ(data.Field(i).load(), (i == 26 || i == 27) ? -1 : 0) << i;
  }
}

TEST(MonitorData, CopiesAreWhole) {
  _MONITOR_DATA source;
  for (int i = 0; i < kMonitorFieldCount; ++i) source.Field(i) = 100 + i;
  _MONITOR_DATA copy = source;
  _MONITOR_DATA assigned;
  assigned = source;
  for (int i = 0; i < kMonitorFieldCount; ++i) {
    EXPECT_EQ(copy.Field(i).load(), 100 + i);
    EXPECT_EQ(assigned.Field(i).load(), 100 + i);
  }
}

TEST(MonitorData, StatusParsing) {
  _MONITOR_DATA data;
  //           0123456789012345678901234
  ParseStatus("3x1A09720000005193452167", data);
  const int expected[24] = {3, 1, 1, 1, 0, 9, 1, 2, 0, 0, 0, 0, 0, 0, 1, 1, 9, 1, 4, 5, 2, 1, 1, 1};
  for (int i = 0; i < 24; ++i) EXPECT_EQ(data.status[i].load(), expected[i]) << "position " << i;

  // Non-digits at digit positions are 0; at other positions anything but '0' is 1.
  ParseStatus("a0b0c-d--0A-0-0e-fgh?0-x", data);
  const int flags[24] = {0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 1, 1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 1, 1};
  for (int i = 0; i < 24; ++i) EXPECT_EQ(data.status[i].load(), flags[i]) << "position " << i;

  // A short reply leaves the missing flags at 0; characters past 24 are ignored.
  ParseStatus("11", data);
  for (int i = 2; i < 24; ++i) EXPECT_EQ(data.status[i].load(), 0);
  ParseStatus(std::string(24, '0') + "999", data);
  EXPECT_EQ(data.status[23].load(), 0);
}

TEST(MonitorSnapshot, TwoPressesLeaveOneRequest) {
  MonitorSnapshot snapshot;
  snapshot.Raise(MonitorRequest::peak);
  snapshot.Raise(MonitorRequest::peak);
  EXPECT_EQ(snapshot.Data().peakRequest.load(), 1);
}

TEST(MonitorSnapshot, CycleTakesRequestsAndKeepsThoseRaisedMeanwhile) {
  MonitorSnapshot snapshot;
  snapshot.Raise(MonitorRequest::rel);
  snapshot.Raise(MonitorRequest::dbm);
  _MONITOR_DATA copy;
  snapshot.TakeForCycle(copy);
  EXPECT_EQ(copy.relRequest.load(), 1);
  EXPECT_EQ(copy.dbmRequest.load(), 1);
  EXPECT_EQ(snapshot.Data().relRequest.load(), 0);
  EXPECT_EQ(snapshot.Data().dbmRequest.load(), 0);

  // During the step: the cycle consumes its requests and decodes; the user
  // presses SLOW and changes the range.
  copy.relRequest = 0;
  copy.dbmRequest = 0;
  copy.battery = 2;
  copy.functionIndex = 7;
  snapshot.Raise(MonitorRequest::slow);
  snapshot.Raise(MonitorRequest::range);

  snapshot.PublishCycle(copy);
  const _MONITOR_DATA& shared = snapshot.Data();
  EXPECT_EQ(shared.slowRequest.load(), 1) << "a request raised during the step was lost";
  EXPECT_EQ(shared.rangeRequest.load(), 1);
  EXPECT_EQ(shared.relRequest.load(), 0) << "a consumed request came back";
  EXPECT_EQ(shared.battery.load(), 2);
  EXPECT_EQ(shared.functionIndex.load(), 7);
  EXPECT_EQ(copy.slowRequest.load(), 1);
}

TEST(MonitorSnapshot, ConcurrentPressesAndCyclesLoseNothing) {
  // Every press is answered by exactly one cycle that sees it (races show
  // up under ThreadSanitizer too).
  MonitorSnapshot snapshot;
  std::atomic<bool> stop{false};
  std::atomic<int> seen{0};
  std::thread cycle([&] {
    _MONITOR_DATA copy;
    while (!stop) {
      snapshot.TakeForCycle(copy);
      if (copy.clearRequest) {
        ++seen;
        copy.clearRequest = 0;
      }
      copy.battery = copy.battery + 1;
      snapshot.PublishCycle(copy);
    }
  });
  int pressed = 0;
  for (int i = 0; i < 2000; ++i) {
    if (snapshot.Data().clearRequest == 0) {  // the panel reads single fields without the lock
      snapshot.Raise(MonitorRequest::clear);
      ++pressed;
      while (snapshot.Data().clearRequest != 0) std::this_thread::yield();
    }
  }
  stop = true;
  cycle.join();
  EXPECT_EQ(seen.load(), pressed);
  EXPECT_GT(snapshot.Data().battery.load(), 0);
}

TEST(ReadingText, HoldsTenTextsAndFiveValues) {
  _READING_TEXT reading;
  reading.text[_READING_TEXT::kSubFunction] = u"<none>";
  reading.value[_READING_TEXT::kMainOpen] = 1;
  _READING_TEXT copy = reading;
  EXPECT_EQ(copy, reading);
  EXPECT_EQ(copy.text.size(), 10u);
  EXPECT_EQ(copy.value.size(), 5u);
}

}  // namespace

#include <atomic>

#include <gtest/gtest.h>

#include "live/headless_window.h"
#include "recording/interval_thread.h"
#include "recording/time_texts.h"

using namespace std::chrono_literals;

namespace {

// Clocks the test moves by hand.
struct FakeClocks {
  std::atomic<std::time_t> seconds{1000};
  std::atomic<std::int64_t> milliseconds{50000};
  IntervalClocks Clocks() {
    return {[this] { return seconds.load(); }, [this] { return milliseconds.load(); },
            [this] { return CDateTime(static_cast<double>(seconds) / 86400.0, CDateTime::valid); }};
  }
};

class IntervalThreadTest : public testing::Test {
 protected:
  void SetUp() override {
    window_.onMessage = [this](int n, std::intptr_t parameter) {
      ASSERT_EQ(n, app_message::kIntervalTick);
      const auto* tick = reinterpret_cast<const IntervalTick*>(parameter);
      ticks_.push_back(*tick);
      if (stopAfter_ && static_cast<int>(ticks_.size()) == stopAfter_) thread_.Stop();
    };
  }
  // Lets the thread look at the clock for a while.
  void Settle() {
    window_.PumpUntil([] { return false; }, 100ms);
  }
  // Waits for the n-th tick (a loaded machine may be slow to turn), then
  // makes sure no further one follows.
  std::size_t TicksAfterWaitingFor(std::size_t n) {
    window_.PumpUntil([&] { return ticks_.size() >= n; }, 5s);
    Settle();
    return ticks_.size();
  }

  FakeClocks clocks_;
  HeadlessWindow window_;
  IntervalThread thread_{window_, clocks_.Clocks()};
  std::vector<IntervalTick> ticks_;
  int stopAfter_ = 0;
};

TEST_F(IntervalThreadTest, NormalModeTicksOnTheSecondsOfTheWallClock) {
  thread_.Start(0, 3, 0);
  Settle();
  EXPECT_TRUE(ticks_.empty()) << "nothing before the clock's second changes";
  clocks_.seconds = 1001;
  ASSERT_EQ(TicksAfterWaitingFor(1), 1u);
  EXPECT_TRUE(ticks_[0].firstOfRun);
  clocks_.seconds = 1003;
  Settle();
  EXPECT_EQ(ticks_.size(), 1u) << "3 s from the previous tick, not from Start";
  clocks_.seconds = 1004;
  ASSERT_EQ(TicksAfterWaitingFor(2), 2u);
  EXPECT_FALSE(ticks_[1].firstOfRun);
  EXPECT_EQ(RelativeTimeText(ticks_[1].time, ticks_[0].time), u"00:00:03");
}

TEST_F(IntervalThreadTest, FastModeTicksInTenthsOfASecond) {
  thread_.Start(1, 1, 2);  // every 300 ms
  Settle();                // the thread has read the clock at Start
  clocks_.milliseconds += 99;
  Settle();
  EXPECT_TRUE(ticks_.empty());
  clocks_.milliseconds += 1;  // 100 ms after Start
  ASSERT_EQ(TicksAfterWaitingFor(1), 1u);
  clocks_.milliseconds += 299;
  Settle();
  EXPECT_EQ(ticks_.size(), 1u);
  clocks_.milliseconds += 1;
  EXPECT_EQ(TicksAfterWaitingFor(2), 2u);
}

TEST_F(IntervalThreadTest, StopFromTheTickHandlerEndsTheRun) {
  stopAfter_ = 1;
  thread_.Start(0, 1, 0);
  Settle();
  clocks_.seconds = 1001;
  ASSERT_EQ(TicksAfterWaitingFor(1), 1u);
  clocks_.seconds = 1002;
  Settle();
  EXPECT_EQ(ticks_.size(), 1u);
  EXPECT_FALSE(thread_.Running());
}

TEST_F(IntervalThreadTest, AnIntervalOfZeroIsOneSecond) {
  thread_.Start(0, 0, 0);
  Settle();
  clocks_.seconds = 1001;
  EXPECT_EQ(TicksAfterWaitingFor(1), 1u) << "no tick storm";
}

TEST(TimeTexts, RealAndRelative) {
  const CDateTime start = CDateTime::FromCalendar({2021, 6, 15, 9, 36, 54});
  EXPECT_EQ(RealTimeText(start), u"2021/06/15,09:36:54");
  EXPECT_EQ(RealTimeText(CDateTime(0, CDateTime::null)), u"");
  const CDateTime later = CDateTime::FromCalendar({2021, 6, 19, 10, 37, 55});
  EXPECT_EQ(RelativeTimeText(later, start), u"97:01:01") << "hours go past two digits";
  EXPECT_EQ(RelativeTimeText(start, start), u"00:00:00");
}

}  // namespace

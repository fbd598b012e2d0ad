#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "link/recheck_thread.h"

using namespace std::chrono_literals;

namespace {

// Waits (bounded) until `done` holds.
template <typename Predicate>
bool Eventually(Predicate done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return done();
}

TEST(RecheckThread, ScansUntilAMeterAnswersThenReportsOnceAndEnds) {
  std::atomic<int> scans{0}, reports{0};
  RecheckThread thread([&] { return ++scans >= 3 ? 0 : 1; }, [&] { ++reports; });
  thread.Start();
  EXPECT_TRUE(thread.IsRunning());
  ASSERT_TRUE(Eventually([&] { return reports == 1; }));
  EXPECT_FALSE(thread.IsRunning());
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(scans, 3);
  EXPECT_EQ(reports, 1);
}

TEST(RecheckThread, StopEndsTheLoopAndDropsAFindUnderWay) {
  std::promise<void> scanning;
  std::atomic<bool> release{false};
  std::atomic<int> reports{0};
  RecheckThread thread(
      [&] {
        scanning.set_value();
        while (!release) std::this_thread::sleep_for(1ms);
        return 0;  // this scan finds a meter, but after the stop
      },
      [&] { ++reports; });
  thread.Start();
  scanning.get_future().wait();
  thread.Stop();
  EXPECT_FALSE(thread.IsRunning());
  release = true;
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(reports, 0);
}

TEST(RecheckThread, RestartAfterStopScansAgain) {
  std::atomic<int> scans{0};
  std::atomic<bool> found{false};
  std::atomic<int> reports{0};
  RecheckThread thread([&] { return (++scans, found.load()) ? 0 : 1; }, [&] { ++reports; });
  thread.Start();
  ASSERT_TRUE(Eventually([&] { return scans >= 1; }));
  thread.Stop();
  thread.Start();  // the loop may still be finishing: it just keeps going
  found = true;
  ASSERT_TRUE(Eventually([&] { return reports == 1; }));
  EXPECT_FALSE(thread.IsRunning());
}

TEST(RecheckThread, OnFoundMayStartTheThreadAgain) {
  // The connect that follows a find can fail and ask for more scanning.
  std::atomic<int> scans{0}, reports{0};
  RecheckThread* self = nullptr;
  RecheckThread thread([&] { return ++scans % 2 == 0 ? 0 : 1; },
                       [&] {
                         if (++reports < 3) self->Start();
                         EXPECT_EQ(self->IsRunning(), reports < 3);
                       });
  self = &thread;
  thread.Start();
  ASSERT_TRUE(Eventually([&] { return reports == 3; }));
  EXPECT_FALSE(thread.IsRunning());
  thread.Start();  // and from outside once it has ended
  ASSERT_TRUE(Eventually([&] { return reports == 4; }));
}

TEST(RecheckThread, DestructionStopsARunningLoop) {
  std::atomic<int> scans{0};
  {
    RecheckThread thread([&] { return ++scans, 1; }, [] {});
    thread.Start();
    ASSERT_TRUE(Eventually([&] { return scans >= 1; }));
  }
  const int after = scans;
  std::this_thread::sleep_for(250ms);
  EXPECT_EQ(scans, after);
}

}  // namespace

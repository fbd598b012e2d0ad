// The remaining and elapsed times during a download: shown once a second,
// the remaining time extrapolated from the rate so far.
#include <gtest/gtest.h>

#include "base/utf16.h"
#include "memory/download_times.h"

namespace {

TEST(DurationText, SecondsThenMinutesAndSeconds) {
  EXPECT_EQ(Utf16ToUtf8(DurationText(0, 1)), "0 sec");
  EXPECT_EQ(Utf16ToUtf8(DurationText(59, 1)), "59 sec");
  EXPECT_EQ(Utf16ToUtf8(DurationText(60, 1)), "1 min 0 sec");
  EXPECT_EQ(Utf16ToUtf8(DurationText(125, 1)), "2 min 5 sec");
  EXPECT_EQ(Utf16ToUtf8(DurationText(125, 0)), "2分 5秒");
  EXPECT_EQ(Utf16ToUtf8(DurationText(7, 0)), "7秒");
}

TEST(DownloadTimes, ChangeOncePerSecondAndEndAtZero) {
  struct Step {
    int fetched;
    std::int64_t sinceReader, sinceOk;
    const char* remaining;
    const char* elapsed;
  };
  // 100 memories: the first second passes while memory 10 arrives.
  const Step steps[] = {
      {1, 0, 0, "", ""},              // within the first second nothing is known
      {10, 1, 1, "9 sec", "1 sec"},   // (100 - 10) x 1 / 10
      {11, 1, 1, "9 sec", "1 sec"},   // the same second: unchanged
      {40, 8, 9, "12 sec", "9 sec"},  // (100 - 40) x 8 / 40
      {50, 75, 76, "1 min 15 sec", "1 min 16 sec"},
      {100, 75, 76, "0 sec", "1 min 16 sec"},  // the last memory in the same second
  };
  DownloadTimes times;
  times.Restart();
  std::u16string remaining, elapsed;
  for (const Step& s : steps) {
    times.Update(s.fetched, 100, s.sinceReader, s.sinceOk, 1, remaining, elapsed);
    EXPECT_EQ(Utf16ToUtf8(remaining), s.remaining) << s.fetched;
    EXPECT_EQ(Utf16ToUtf8(elapsed), s.elapsed) << s.fetched;
  }
}

TEST(DownloadTimes, ADownloadWithinTheFirstSecondShowsOneSecond) {
  DownloadTimes times;
  times.Restart();
  std::u16string remaining, elapsed;
  for (int fetched = 1; fetched <= 3; ++fetched) times.Update(fetched, 3, 0, 0, 0, remaining, elapsed);
  EXPECT_EQ(Utf16ToUtf8(remaining), "0秒");
  EXPECT_EQ(Utf16ToUtf8(elapsed), "1秒");
}

}  // namespace

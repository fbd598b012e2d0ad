#include <cmath>

#include <gtest/gtest.h>

#include "base/tests/environment.h"
#include "persistence/date_time.h"

namespace {

TEST(DateTime, CalendarConversions) {
  struct Case {
    CalendarTime time;
    double date;
  };
  const Case cases[] = {
      {{1899, 12, 30, 0, 0, 0}, 0.0},
      {{1899, 12, 31, 12, 0, 0}, 1.5},
      {{1900, 1, 1, 0, 0, 0}, 2.0},
      {{1899, 12, 29, 6, 0, 0}, -1.25},  // before the epoch the fraction still counts forward
      {{2026, 12, 10, 2, 37, 28}, 46366 + (2 * 3600 + 37 * 60 + 28) / 86400.0},
      {{2000, 2, 29, 23, 59, 59}, 36585 + 86399 / 86400.0},
  };
  for (const Case& c : cases) {
    const CDateTime value = CDateTime::FromCalendar(c.time);
    EXPECT_EQ(value.status(), CDateTime::valid);
    EXPECT_NEAR(value.date(), c.date, 1e-9) << c.time.year << "-" << c.time.month << "-" << c.time.day;
    EXPECT_EQ(value.ToCalendar(), c.time);
  }
}

TEST(DateTime, DefaultAndInvalidValues) {
  EXPECT_EQ(CDateTime(), CDateTime(0.0, CDateTime::valid));
  EXPECT_EQ(CDateTime::FromCalendar({2026, 4, 31, 0, 0, 0}).status(), CDateTime::invalid);
  EXPECT_EQ(CDateTime::FromCalendar({2026, 13, 1, 0, 0, 0}).status(), CDateTime::invalid);
  EXPECT_EQ(CDateTime(3.0, CDateTime::null).ToCalendar(), std::nullopt);
  EXPECT_EQ(CDateTime(1e300, CDateTime::valid).ToCalendar(), std::nullopt);
  EXPECT_EQ(CDateTime(std::nan(""), CDateTime::valid).ToCalendar(), std::nullopt);
}

TEST(DateTime, WholeSecondsRoundToTheNearest) {
  const double halfSecondBeforeMidnight = 2.0 - 0.4 / 86400;
  EXPECT_EQ(CDateTime(halfSecondBeforeMidnight, CDateTime::valid).ToCalendar(), (CalendarTime{1900, 1, 1, 0, 0, 0}));
}

TEST(DateTime, LocalTimeFollowsTheTimeZone) {
  SetEnvironment("TZ", "JST-9");  // the POSIX form, which both C libraries read
  tzset();
  // 2026-12-10 02:37:28 UTC is 11:37:28 in Tokyo.
  EXPECT_EQ(CDateTime::FromLocalTime(1796870248).ToCalendar(), (CalendarTime{2026, 12, 10, 11, 37, 28}));
  UnsetEnvironment("TZ");
  tzset();
}

}  // namespace

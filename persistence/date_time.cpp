#include "persistence/date_time.h"

#include <cmath>

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Days from 1970-01-01 back to the epoch of the stored dates, 1899-12-30.
constexpr std::int64_t kEpochShift = 25569;

// Proleptic Gregorian day numbers relative to 1970-01-01 (H. Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;

}  // namespace

CDateTime CDateTime::FromCalendar(const CalendarTime& t) {
  if (t.year < kFirstYear || t.year > kLastYear || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 ||
      t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
    return {0.0, invalid};
  }
  int y, m, d;
  const std::int64_t days = DaysFromCivil(t.year, t.month, t.day);
  CivilFromDays(days, y, m, d);
  if (d != t.day) return {0.0, invalid};  // 31 April and the like
  const std::int64_t oleDays = days + kEpochShift;
  const double time = (t.hour * 3600 + t.minute * 60 + t.second) / kSecondsPerDay;
  // Before the epoch the whole part counts back while the fraction still
  // counts forward from midnight: -1.25 is 1899-12-29 06:00.
  const double date = oleDays >= 0 ? oleDays + time : oleDays - time;
  return {date, valid};
}

CDateTime CDateTime::FromLocalTime(std::time_t time) {
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &time) != 0) return {0.0, invalid};
#else
  if (!localtime_r(&time, &local)) return {0.0, invalid};
#endif
  return FromCalendar(
      {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec});
}

std::optional<CalendarTime> CDateTime::ToCalendar() const {
  if (status_ != valid || !std::isfinite(date_)) return std::nullopt;
  const double wholeDays = std::trunc(date_);
  const double fraction = std::fabs(date_ - wholeDays);
  if (std::fabs(wholeDays) > 3.0e6) return std::nullopt;
  std::int64_t days = static_cast<std::int64_t>(wholeDays);
  std::int64_t seconds = std::llround(fraction * kSecondsPerDay);
  if (seconds >= 86400) {  // rounds up into the next day
    seconds -= 86400;
    days += 1;
  }
  CalendarTime t{};
  CivilFromDays(days - kEpochShift, t.year, t.month, t.day);
  if (t.year < kFirstYear || t.year > kLastYear) return std::nullopt;
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds / 60 % 60);
  t.second = static_cast<int>(seconds % 60);
  return t;
}

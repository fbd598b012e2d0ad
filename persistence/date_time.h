// A date and time as days since 1899-12-30 00:00:00 (the fraction is the
// time of day), with a status; the files store it this way.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

struct CalendarTime {
  int year, month, day, hour, minute, second;
  bool operator==(const CalendarTime&) const = default;
};

class CDateTime {
 public:
  enum Status : std::int32_t { valid = 0, invalid = 1, null = 2 };

  CDateTime() = default;
  CDateTime(double date, Status status) : date_(date), status_(status) {}
  // A calendar time in whole seconds; invalid when out of range.
  static CDateTime FromCalendar(const CalendarTime& time);
  // The local calendar time of a system time, in whole seconds.
  static CDateTime FromLocalTime(std::time_t time);
  static CDateTime Now() { return FromLocalTime(std::time(nullptr)); }

  double date() const { return date_; }
  Status status() const { return status_; }
  // Nearest whole second; nothing unless valid and within years 100-9999.
  std::optional<CalendarTime> ToCalendar() const;

  bool operator==(const CDateTime&) const = default;

 private:
  double date_ = 0.0;
  Status status_ = valid;
};

#include "recording/time_texts.h"

#include <cmath>

#include "base/text_helpers.h"

std::u16string RealTimeText(const CDateTime& time) {
  const auto t = time.ToCalendar();
  if (!t) return {};
  return DateText(t->year, t->month, t->day) + u',' + ClockText(t->hour, t->minute, t->second);
}

std::u16string RelativeTimeText(const CDateTime& time, const CDateTime& first) {
  // Both are whole seconds of the local clock: round away the double's noise.
  const long long seconds = std::llround((time.date() - first.date()) * 86400.0);
  return ClockText(seconds / 3600, seconds / 60 % 60, seconds % 60);
}

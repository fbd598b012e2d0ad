#include "recording/time_texts.h"

#include <cmath>
#include <cstdio>

namespace {
std::u16string Widen(const char* text) {
  std::u16string wide;
  for (; *text; ++text) wide.push_back(static_cast<unsigned char>(*text));
  return wide;
}
}  // namespace

std::u16string RealTimeText(const CDateTime& time) {
  const auto t = time.ToCalendar();
  if (!t) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d,%02d:%02d:%02d", t->year, t->month, t->day, t->hour, t->minute,
                t->second);
  return Widen(text);
}

std::u16string RelativeTimeText(const CDateTime& time, const CDateTime& first) {
  // Both are whole seconds of the local clock: round away the double's noise.
  const long long seconds = std::llround((time.date() - first.date()) * 86400.0);
  char text[48];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return Widen(text);
}

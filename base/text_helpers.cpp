#include "base/text_helpers.h"

namespace {

constexpr int kYearWidth = 4;
constexpr int kTwoDigits = 2;

struct Field {
  long long number;
  int width = 0;
};

std::u16string Joined(Field first, Field second, Field third, char16_t separator) {
  std::u16string text;
  AppendNumber(text, first.number, first.width);
  text += separator;
  AppendNumber(text, second.number, second.width);
  text += separator;
  AppendNumber(text, third.number, third.width);
  return text;
}

}  // namespace

void AppendNumber(std::u16string& text, long long number, int width) {
  char digits[24];
  int count = 0;
  // Through unsigned: the magnitude of the smallest number has no signed form.
  unsigned long long magnitude = number < 0 ? 0ULL - static_cast<unsigned long long>(number) : number;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (number < 0) {
    text += u'-';
    --width;
  }
  for (int zeros = width - count; zeros > 0; --zeros) text += u'0';
  while (count > 0) text += static_cast<char16_t>(digits[--count]);
}

std::u16string NumberText(long long number) {
  std::u16string text;
  AppendNumber(text, number);
  return text;
}

std::u16string DateText(int year, int month, int day) {
  return Joined({year, kYearWidth}, {month, kTwoDigits}, {day, kTwoDigits}, u'/');
}

std::u16string ShortDateText(int year, int month, int day) { return Joined({year}, {month}, {day}, u'/'); }

std::u16string ClockText(long long hours, long long minutes, long long seconds) {
  return Joined({hours, kTwoDigits}, {minutes, kTwoDigits}, {seconds, kTwoDigits}, u':');
}

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  for (std::size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

std::u16string Filled(std::u16string_view pattern, std::u16string_view value) {
  std::u16string text(pattern);
  ReplaceAll(text, u"%s", value);
  return text;
}

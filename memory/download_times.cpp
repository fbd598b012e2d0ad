#include "memory/download_times.h"

#include "text/ui_text.h"

namespace {

constexpr int kMinuteWord = 114;  // "分" / " min"
constexpr int kSecondWord = 115;  // "秒" / " sec"

std::u16string Number(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string DurationText(std::int64_t seconds, int language) {
  const std::u16string second(Word(kSecondWord, language));
  if (seconds < 60) return Number(seconds) + second;
  return Number(seconds / 60) + std::u16string(Word(kMinuteWord, language)) + u' ' + Number(seconds % 60) + second;
}

void DownloadTimes::Update(int fetched, int total, std::int64_t sinceReaderStart, std::int64_t sinceOk, int language,
                           std::u16string& remaining, std::u16string& elapsed) {
  if (fetched <= 0) return;
  if (sinceReaderStart != lastShown_) {
    remaining = DurationText(static_cast<std::int64_t>(total - fetched) * sinceReaderStart / fetched, language);
    elapsed = DurationText(sinceOk, language);
    lastShown_ = sinceReaderStart;
  } else if (fetched == total) {
    remaining = DurationText(0, language);
    if (elapsed.empty()) elapsed = DurationText(1, language);
  }
}

#include "memory/download_times.h"

#include "base/text_helpers.h"
#include "text/ui_text.h"

std::u16string DurationText(std::int64_t seconds, int language) {
  const std::u16string second(Word(TextId::secondSuffix, language));
  if (seconds < 60) return NumberText(seconds) + second;
  return NumberText(seconds / 60) + std::u16string(Word(TextId::minuteSuffix, language)) + u' ' +
         NumberText(seconds % 60) + second;
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

// The remaining and elapsed times shown while the memory is downloaded.
#pragma once

#include <cstdint>
#include <string>

// "%d sec" under a minute, else "%d min %d sec", in `language` (0 Japanese).
std::u16string DurationText(std::int64_t seconds, int language);

class DownloadTimes {
 public:
  // The reader has started; nothing shown yet.
  void Restart() { lastShown_ = 0; }
  // Memory `fetched` of `total` has arrived, `sinceReaderStart` whole
  // seconds after the reader started and `sinceOk` after OK.  The labels
  // change once a second; the last memory ends the remaining time at 0.
  void Update(int fetched, int total, std::int64_t sinceReaderStart, std::int64_t sinceOk, int language,
              std::u16string& remaining, std::u16string& elapsed);

 private:
  std::int64_t lastShown_ = 0;
};

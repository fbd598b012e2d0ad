// One sample of a recording: 64 bytes, sixteen 32-bit words in a fixed
// order (the recording file stores them field by field).  The acquisition
// cycle fills the template of the next record; the recording engine stamps
// its time.
#pragma once

#include <cstddef>
#include <cstdint>

struct _RECORD_DATA {
  std::int32_t mainFunction = 0;
  std::int32_t mainCount = 0;
  std::int32_t mainRange = 0;
  std::int32_t subFunction = 0;  // -1: frequency
  std::int32_t subCount = 0;
  std::int32_t subRange = 0;
  double timeDate = 0.0;        // days since 1899-12-30
  std::int32_t timeStatus = 0;  // 0 valid
  std::int32_t reserved = 0;
  std::int32_t settingValue = 0;
  std::int32_t flags = 0;  // REL and marker bits, only while REL is on
  std::int32_t filterOn = 0;
  std::int32_t peakOn = 0;
  std::int32_t slowOn = 0;
  std::int32_t hasSub = 0;

  bool operator==(const _RECORD_DATA&) const = default;
};

static_assert(sizeof(_RECORD_DATA) == 64);
static_assert(offsetof(_RECORD_DATA, timeDate) == 24);
static_assert(offsetof(_RECORD_DATA, timeStatus) == 32);
static_assert(offsetof(_RECORD_DATA, settingValue) == 40);
static_assert(offsetof(_RECORD_DATA, hasSub) == 60);

// The current reading of one display: function, count, range.
struct ValueRecord {
  std::int32_t function = 0;
  std::int32_t count = 0;
  std::int32_t range = 0;
  bool operator==(const ValueRecord&) const = default;
};

// The latest reading as text, published by each acquisition cycle for the
// recording engine and the spreadsheet link.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct _READING_TEXT {
  // Indexes of `text`.
  enum Text : int {
    kTimeStamp = 0,  // 0 and 1: the consumer's time stamp texts
    kTimeStamp2 = 1,
    kMainValue = 2,  // as in control::kMainValue
    kSubValue = 3,   // control::kSubValue
    kMainUnit = 4,   // control::kMainUnit
    kSubUnit = 5,    // control::kSubUnit
    kMainFunction = 6,
    kSubFunction = 7,     // "<none>" without a sub display
    kMainRangeToken = 8,  // of the ":CONF?" reply
    kSubRangeToken = 9,   // of the ":CONF2?" reply
  };
  // Indexes of `value`.
  enum Value : int { kPeakHold = 0, kSubPresent = 1, kMainOver = 2, kSubOver = 3, kMainOpen = 4 };

  std::array<std::u16string, 10> text;
  std::array<std::int32_t, 5> value{};

  bool operator==(const _READING_TEXT&) const = default;
};

// Memory records laid out byte by byte as the meter sends them, written
// here independently of the program's decoder.
#pragma once

#include <cstdint>

#include "memory/memory_record.h"

struct RecordFields {
  std::int32_t main = 0;
  int function = 4;  // RV736X row
  int mainStatus = 0;
  int range = 0;
  int flags = 1;  // bit 0: the slot holds a reading
  int hold = 0;
  std::int32_t sub = 0;
  int subStatus = 0;
  int frequencyRange = 0;
  int setting = 0;
};

inline MemoryBytes RecordBytes(const RecordFields& f) {
  MemoryBytes b{};
  auto put = [&](int at, std::int64_t value, int width) {
    for (int i = 0; i < width; ++i)
      b[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
  };
  put(0, f.main, 4);
  put(4, f.function + 2, 2);
  put(6, f.mainStatus, 2);
  put(8, f.range, 1);
  put(9, f.flags, 1);
  put(10, f.hold, 1);
  put(16, f.sub, 4);
  put(20, f.subStatus, 2);
  put(22, f.frequencyRange, 1);
  put(23, f.setting, 1);
  // Bytes the layout leaves unused carry whatever the meter had there.
  for (const int unused : {11, 12, 13, 14, 15, 24, 31}) b[static_cast<std::size_t>(unused)] = 0xA5;
  return b;
}

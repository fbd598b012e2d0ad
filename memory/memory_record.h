// What the meter's memory holds: which of its 400 numbers are in use, and
// the 32-byte record of one stored reading.
#pragma once

#include <array>
#include <cstdint>

#include "link/commands.h"

using MemoryBytes = std::array<std::uint8_t, command::kMemoryRecordBytes>;

// The reply to the memory check: one bit per memory number, number n at
// bit (n - 1) mod 8 of byte (n - 1) div 8.
class PresenceMap {
 public:
  static constexpr int kNumbers = command::kMemorySlots;

  // Every number in use: what a meter too old for the memory check is taken to hold.
  static PresenceMap All();

  void SetByte(int index, std::uint8_t bits) { bytes_[index] = bits; }
  bool Present(int number) const;  // number 1-400
  int Count() const;

 private:
  std::array<std::uint8_t, command::kMemoryCheckBytes> bytes_{};
};

// One stored reading, its fields as the meter lays them out (little-endian).
struct MemoryRecord {
  std::int32_t mainValue = 0;     // a count, or a marker count
  std::int16_t functionCode = 0;  // the RV736X function row + 2
  std::int16_t mainStatus = 0;    // 3 over, 1 or 2 blank
  std::int8_t range = 0;          // the meter's range number
  std::uint8_t flags = 0;         // see memory_flag
  std::int8_t holdMode = 0;       // see memory_hold
  std::int32_t subValue = 0;      // peak minimum, frequency, AC part, or TEMP's REL reference
  std::int16_t subStatus = 0;
  std::int8_t frequencyRange = 0;  // 0-5
  std::int8_t setting = 0;         // threshold or impedance choice; current loop: 1 = 0-20 mA

  static MemoryRecord Decode(const MemoryBytes& bytes);

  int FunctionRow() const { return functionCode - 2; }
  bool HoldsReading() const;
  bool Peak() const;
};

namespace memory_flag {
inline constexpr std::uint8_t kHoldsReading = 1;
inline constexpr std::uint8_t kFilter = 4;
inline constexpr std::uint8_t kRel = 8;
inline constexpr std::uint8_t kSlow = 16;
}  // namespace memory_flag

namespace memory_hold {
inline constexpr int kMax = 1;
inline constexpr int kMin = 2;
inline constexpr int kPeak = 4;
}  // namespace memory_hold

namespace memory_status {
inline constexpr int kOver = 3;
inline constexpr int kBlank1 = 1;
inline constexpr int kBlank2 = 2;
}  // namespace memory_status

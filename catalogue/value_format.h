// Turning counts into the texts the user sees: the decimal mark, the
// stored-value formatter, and the rule by which counts of different ranges
// compare.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Marker counts in readings and records.
inline constexpr std::int32_t kOverCount = 1000000;   // and -1000000
inline constexpr std::int32_t kBlankCount = 2000000;  // nothing to show
inline constexpr std::int32_t kOpenCount = 3000000;   // open input (main value)

// Flag word of a stored record.
namespace record_flag {
inline constexpr int kRel = 1;
inline constexpr int kMainOver = 2;
inline constexpr int kSubOver = 4;
inline constexpr int kMainBlank = 8;
inline constexpr int kSubBlank = 16;
inline constexpr int kMainOpen = 32;
}  // namespace record_flag

bool IsNegative(std::string_view digits);
// A catalogue full-scale count, signed like the value it stands for.
std::u16string SignedPattern(std::string_view count, std::string_view value);

// The mark before the last `decimals` characters ("6000", 3 -> "6.000").
std::u16string InsertMarkInPattern(std::u16string_view text, int decimals, std::u16string_view mark);
// The mark by the digits of `digits` (the reading's own digit text), with
// leading zeros added as needed: 5 -> 0.005, -12 -> -0.012 (3 decimals).
std::u16string InsertMarkInNumber(std::u16string_view text, std::string_view digits, int decimals,
                                  std::u16string_view mark);

// The dashes of a blank value: "----" below the RV736X or for a pattern of
// four characters, else "-----".
std::u16string BlankPattern(int modelIndex, std::u16string_view pattern);

// A recorded or downloaded count as text.  `selector` is the temperature
// unit for a TEMP function, else the PEAK state; `function` -1 is the
// frequency sub display.
struct StoredValue {
  int modelIndex;
  std::string_view count;  // the stored count written as a decimal integer
  int decimals;
  std::u16string_view mark;
  int function;
  int range;
  int selector;
  int flags;
  bool sub;
};
std::u16string FormatStoredValue(const StoredValue& value);

// Count `count` of range `from` expressed in range `to` of the same
// function: one range step is one decade.  Only a lower range converts to a
// higher one (trunc(count / 10^(to - from))); the RV736X "RES" ranges from 7
// up count one step more.
std::int64_t CountInRange(int modelIndex, int function, std::int64_t count, int from, int to);
// Effective decade step of a range (the RES rule above applied).
int RangeDecade(int modelIndex, int function, int range);

#include "catalogue/value_format.h"

#include <algorithm>

#include "base/utf16.h"
#include "catalogue/catalogue.h"

namespace {
// Ranges of stored records are checked against this before any arithmetic:
// a damaged file must not overflow it.
constexpr int kRangeLimit = 1000;
}  // namespace

bool IsNegative(std::string_view digits) { return !digits.empty() && digits.front() == '-'; }

std::u16string SignedPattern(std::string_view count, std::string_view value) {
  std::u16string pattern = AsciiToUtf16(count);
  if (IsNegative(value)) pattern.insert(pattern.begin(), u'-');
  return pattern;
}

std::u16string InsertMarkInPattern(std::u16string_view text, int decimals, std::u16string_view mark) {
  std::u16string result(text);
  const int at = static_cast<int>(result.size()) - decimals;
  result.insert(static_cast<std::size_t>(std::max(at, 0)), mark);
  return result;
}

std::u16string InsertMarkInNumber(std::u16string_view text, std::string_view digits, int decimals,
                                  std::u16string_view mark) {
  std::u16string result(text);
  const int sign = IsNegative(digits) ? 1 : 0;
  int count = static_cast<int>(digits.size()) - sign;
  const int padding = decimals + 1 - count;
  if (padding >= 1) {
    result.insert(std::min<std::size_t>(sign, result.size()), static_cast<std::size_t>(padding), u'0');
    count += padding;
  }
  const int at = std::clamp(sign + count - decimals, 0, static_cast<int>(result.size()));
  result.insert(static_cast<std::size_t>(at), mark);
  return result;
}

std::u16string BlankPattern(int modelIndex, std::u16string_view pattern) {
  return FamilyOf(modelIndex) != Family::RV736X || pattern.size() == 4 ? u"----" : u"-----";
}

std::u16string FormatStoredValue(const StoredValue& v) {
  const Family family = FamilyOf(v.modelIndex);
  const int range = std::clamp(v.range, -1, kRangeLimit);
  const bool temperature = v.function >= 0 && IsTemperature(family, v.function);
  const std::string_view token = v.function >= 0 ? FunctionToken(family, v.function) : std::string_view();
  // TEMP: the count list holds Celsius +/- then Fahrenheit +/-.
  const int patternIndex = temperature ? range + (v.count == "-1000000" ? 1 : 0) + (v.selector != 0 ? 2 : 0) : range;

  std::u16string pattern;
  if (v.function == -1) {
    pattern = family == Family::RV736X ? u"-----" : u"----";
  } else if (family != Family::RV732X && v.selector != 0 && !temperature) {
    pattern = SignedPattern(FullScaleCount(family, v.function, RangeSetKind::peak, range), v.count);
  } else if (family == Family::RV734X && token == "DC_4_20mA") {
    pattern = u"----";
  } else if (family == Family::RV736X && (token == "dBm" || token == "DC_4_20mA")) {
    pattern = u"-----";
  } else if (family == Family::RV736X && token == "dBV") {
    pattern = u"----";
  } else {
    pattern = SignedPattern(FullScaleCount(family, v.function, RangeSetKind::normal, patternIndex), v.count);
  }

  const int overBit = v.sub ? record_flag::kSubOver : record_flag::kMainOver;
  const int blankBit = v.sub ? record_flag::kSubBlank : record_flag::kMainBlank;
  const bool rel = (v.flags & record_flag::kRel) != 0;
  int decimals = v.decimals;
  std::u16string result;
  bool patternForm = true;
  if (v.count == "1000000" || v.count == "-1000000" || (rel && (v.flags & overBit))) {
    result = pattern;
  } else if (v.count == "2000000" || (v.flags & blankBit)) {
    result = BlankPattern(v.modelIndex, pattern);
  } else if (v.count == "3000000" || (v.flags & record_flag::kMainOpen)) {
    result = u"OPEN";
    decimals = 0;
  } else {
    result = AsciiToUtf16(v.count);
    patternForm = false;
  }
  if (decimals == 0) return result;
  return patternForm ? InsertMarkInPattern(result, decimals, v.mark)
                     : InsertMarkInNumber(result, v.count, decimals, v.mark);
}

int RangeDecade(int modelIndex, int function, int range) {
  const Family family = FamilyOf(modelIndex);
  range = std::clamp(range, -kRangeLimit, kRangeLimit);
  const bool longResistance = family == Family::RV736X && FunctionToken(family, function) == "RES" && range >= 7;
  return longResistance ? range + 1 : range;
}

std::int64_t CountInRange(int modelIndex, int function, std::int64_t count, int from, int to) {
  const int steps = RangeDecade(modelIndex, function, to) - RangeDecade(modelIndex, function, from);
  for (int i = 0; i < steps; ++i) count /= 10;  // truncates toward zero
  return count;
}

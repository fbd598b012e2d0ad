#include "catalogue/reading_decode.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "base/models.h"
#include "base/text_helpers.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "catalogue/value_format.h"
#include "link/commands.h"
#include "text/text_id.h"

namespace {

constexpr std::u16string_view kDot = u".";

// No meter has a range number beyond this; a garbled one must not overflow
// the adjustments that follow.
constexpr int kRangeNumberLimit = 1000;

int RangeNumberOf(std::string_view text) {
  return std::clamp<std::int32_t>(IntegerOf(text), -kRangeNumberLimit, kRangeNumberLimit);
}

struct Substitution {
  std::u16string_view from, to;
};

template <std::size_t N>
void Substitute(std::u16string& text, const std::array<Substitution, N>& list) {
  for (const Substitution& s : list) ReplaceAll(text, s.from, s.to);
}

// The meter names some PEAK ranges by their normal token; the panel shows
// what the range really reaches.  Earlier entries protect later ones.
constexpr std::array<Substitution, 14> kPeakRv7341 = {{
    {u"ACDCV,1000", u"ACDCV,1500"},
    {u"ACDCV,6", u"ACDCV,12"},
    {u"DCV,600m", u"DCV,1200m"},
    {u"DCV,600", u"DCV,1000"},
    {u"DCV,6", u"DCV,12"},
    {u"ACV,1000", u"ACV,1500"},
    {u"ACV,6", u"ACV,12"},
    {u"CA,600m", u"CA,1200m"},
    {u"ACDCA,10", u"ACDCA,15"},
    {u"ACDCA,6", u"ACDCA,12"},
    {u"DCA,6", u"DCA,10"},
    {u"ACA,10", u"ACA,15"},
    {u"ACA,6", u"ACA,12"},
    {u"CLAMP,1000", u"CLAMP,1500"},
}};
constexpr std::array<Substitution, 13> kPeakRv736x = {{
    {u"ACV,600", u"ACV,1500"},
    {u"ACV,60", u"ACV,180"},
    {u"ACV,6", u"ACV,18"},
    {u"DCACV,600", u"DCACV,1500"},
    {u"DCACV,60", u"DCACV,180"},
    {u"DCACV,6", u"DCACV,18"},
    {u"CuA,6000u", u"CuA,12000u"},
    {u"CuA,600u", u"CuA,1200u"},
    {u"CmA,600m", u"CmA,1200m"},
    {u"CmA,60m", u"CmA,120m"},
    {u"CA,10", u"CA,15"},
    {u"CA,6", u"CA,12"},
    {u"CLAMP,1000", u"CLAMP,3000"},
}};
constexpr std::array<Substitution, 6> kPeakEveryModel = {{
    {u"CLAMP,500", u"CLAMP,1500"},
    {u"CLAMP,200", u"CLAMP,600"},
    {u"CLAMP,100", u"CLAMP,300"},
    {u"CLAMP,50", u"CLAMP,150"},
    {u"CLAMP,20", u"CLAMP,60"},
    {u"CLAMP,10", u"CLAMP,30"},
}};

void SubstitutePeak(int modelIndex, std::u16string& text) {
  if (IsRv7341(modelIndex)) Substitute(text, kPeakRv7341);
  if (IsRv736x(modelIndex)) Substitute(text, kPeakRv736x);
  Substitute(text, kPeakEveryModel);
}

// A measurement reply: display text, count, range number.  A field that
// reaches 31 characters without a comma, and the fields after it, read as
// "0", "0", "100"; so do missing fields.
std::array<std::string, 3> SplitMeasurement(std::string_view reply) {
  std::array<std::string, 3> fields = {"0", "0", "100"};
  std::size_t at = 0;
  for (std::string& field : fields) {
    if (at > reply.size()) break;
    const std::size_t comma = reply.find(',', at);
    const std::size_t end = comma == std::string_view::npos ? reply.size() : comma;
    if (end - at >= 31) break;
    field = std::string(reply.substr(at, end - at));
    at = end + 1;
    if (comma == std::string_view::npos) {
      at = reply.size() + 1;
    }
  }
  return fields;
}

bool StartsWithAuto(Family family, int row) { return RangeName(family, row, RangeSetKind::normal, 0) == u"Auto"; }

// Whether a reading's range column is one the meter measures in: not the
// "Auto" entry (where range number -1 lands), not before the row's first
// column, not past its units.
bool IsMeasuringRange(Family family, int row, int column) {
  const int units = static_cast<int>(RangeSetOf(family, row, RangeSetKind::normal).units.size());
  return column >= (StartsWithAuto(family, row) ? 1 : 0) && column < units;
}

// What a reading reply says.  Under peak hold it is one number; otherwise
// display text, count and range number.
struct ReadingFields {
  std::string shown;   // the text shown: the display text, later maybe the count
  std::string digits;  // the display text, whose digits place the decimal mark
  std::string countText;
  std::int32_t count = 0;
  int rangeNumber = 0;
};

ReadingFields ReadFields(std::string_view reply, bool peak) {
  if (peak) return {std::string(reply), std::string(reply), std::string(reply), IntegerOf(reply), 0};
  auto [display, countText, rangeText] = SplitMeasurement(reply);
  return {display, display, countText, IntegerOf(countText), RangeNumberOf(rangeText)};
}

// With REL off a reading of another range than the configured one shows
// nothing; one of the configured range shows its count.
void ShowCountOrBlank(ReadingFields& fields, bool sameRange) {
  if (sameRange) {
    fields.shown = fields.countText;
  } else {
    fields.shown = "2000000";
    fields.count = kBlankCount;
  }
}

// The RV736X numbers its ranges from the first real one, and the DC+AC
// functions two further on.
int Rv736xRangeAdjustment(int row) {
  const Family family = Family::RV736X;
  const std::string_view token = FunctionToken(family, row);
  return (StartsWithAuto(family, row) ? 1 : 0) - (token == "ACDCV" || token == "SEPV" ? 2 : 0);
}

int TemperatureColumn(const _MONITOR_DATA& data) { return data.status[kStatusTemperatureUnit] == 1 ? 1 : 0; }

// The shown text with its decimal mark: a pattern takes the mark by
// position, a number by its digits.
std::u16string WithMark(std::u16string text, bool pattern, std::string_view digits, int decimals) {
  if (decimals == 0) return text;
  return pattern ? InsertMarkInPattern(text, decimals, kDot) : InsertMarkInNumber(text, digits, decimals, kDot);
}

std::u16string FormatMain(int modelIndex, std::string_view shown, std::string_view digits, const _MONITOR_DATA& data) {
  const Family family = FamilyOf(modelIndex);
  const int row = data.functionIndex;
  const bool rel = data.status[kStatusRel] != 0;
  const bool peak = data.status[kStatusPeak] != 0;
  int decimals = MainDecimals(modelIndex, row, rel ? data.fetchRangeIndex : data.rangeIndex, peak);
  const std::string_view token = FunctionToken(family, row);
  const int t =
      IsTemperature(family, row) ? (data.mainOver && IsNegative(digits) ? 1 : 0) + 2 * TemperatureColumn(data) : 0;
  std::u16string pattern;
  if (family != Family::RV732X && peak) {
    pattern = SignedPattern(FullScaleCount(family, row, RangeSetKind::peak, data.rangeIndex), digits);
  } else if ((family == Family::RV734X && token == "DC_4_20mA") || (family == Family::RV736X && token == "dBV")) {
    pattern = u"----";
  } else if (family == Family::RV736X && (token == "dBm" || token == "DC_4_20mA")) {
    pattern = u"-----";
  } else {
    pattern = SignedPattern(FullScaleCount(family, row, RangeSetKind::normal, data.rangeIndex + t), digits);
  }
  if (data.mainOver && !rel) return WithMark(pattern, true, digits, decimals);
  if (data.mainBlank) return WithMark(BlankPattern(modelIndex, pattern), true, digits, decimals);
  if (data.mainOpen) return u"OPEN";
  return WithMark(AsciiToUtf16(shown), false, digits, decimals);
}

std::u16string FormatSub(int modelIndex, std::string_view shown, std::string_view digits, const _MONITOR_DATA& data) {
  const Family family = FamilyOf(modelIndex);
  const int row = data.subFunctionIndex;
  const bool rel = data.status[kStatusRel] != 0;
  const bool peak = data.status[kStatusPeak] != 0;
  const int decimals = SubDecimals(modelIndex, row, rel ? data.subFetchRangeIndex : data.subRangeIndex, peak);
  std::u16string pattern = u"----";
  if (family == Family::RV734X && peak) {
    pattern = SignedPattern(FullScaleCount(family, row, RangeSetKind::peak, data.subRangeIndex), digits);
  } else if (family == Family::RV736X) {
    pattern = row == -1 ? u"-----"
                        : SignedPattern(FullScaleCount(family, row, peak ? RangeSetKind::peak : RangeSetKind::normal,
                                                       data.subRangeIndex),
                                        digits);
  }
  if (data.subOver && (!rel || row == -1)) return WithMark(pattern, true, digits, decimals);
  if (data.subBlank) return WithMark(pattern.size() == 4 ? u"----" : u"-----", true, digits, decimals);
  return WithMark(AsciiToUtf16(shown), false, digits, decimals);
}

}  // namespace

std::int32_t IntegerOf(std::string_view text) {
  const std::string copy(text);
  const long long value = std::strtoll(copy.c_str(), nullptr, 10);
  return static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

std::u16string MainConfigurationText(int modelIndex, std::string_view reply, bool zeroTo20Seen, bool peak) {
  if (command::IsCommandError(reply)) return u"<Error>";
  std::u16string text = AsciiToUtf16(reply);
  Substitute(text, std::array<Substitution, 3>{
                       {{u"DIODE,2", u"DIODE,1.8"}, {u"DIODE,4", u"DIODE,3.6"}, {u"DIODE,1500", u"DIODE,1.5"}}});
  if (modelIndex == kRv7324) ReplaceAll(text, u"DCV,1000", u"DCV,1500");
  if (modelIndex >= kRv7324 && modelIndex <= kRv7326) {
    ReplaceAll(text, u"VDET,0", u"VDET,Lo");
    ReplaceAll(text, u"VDET,1", u"VDET,Hi");
  }
  if (zeroTo20Seen) ReplaceAll(text, u"DC_4_20mA", u"DC_0_20mA");
  if (peak) SubstitutePeak(modelIndex, text);
  return text;
}

std::u16string SubConfigurationText(int modelIndex, std::string_view reply, bool peak) {
  if (command::IsCommandError(reply)) return std::u16string(kNoSubDisplay);
  std::u16string text = AsciiToUtf16(reply);
  if (peak) SubstitutePeak(modelIndex, text);
  return text;
}

DisplayNames NamesAndLabels(int modelIndex, const _MONITOR_DATA& data) {
  const Family family = FamilyOf(modelIndex);
  const int row = data.functionIndex;
  const int subRow = data.subFunctionIndex;
  const bool peak = data.status[kStatusPeak] != 0;
  DisplayNames names{LongName(family, row), ShortName(family, row), {}, {}, {}, {}};
  const std::u16string mainLabel = UiWord(TextId::mainLabel);
  const std::u16string subLabel = UiWord(TextId::subLabel);

  // The sub display's suffix: RV734X shows PEAK max there, RV736X PEAK min.
  std::u16string_view subPeakSuffix;
  if (family == Family::RV734X) {
    names.mainLabel = mainLabel;
    names.subLabel = subLabel;
    if (peak) {
      names.mainLong += u" PEAK min";
      names.mainLabel = mainLabel + u" PEAK min";
      names.subLabel = subLabel + u"  PEAK max";
      subPeakSuffix = u" PEAK max";
    }
  } else if (family == Family::RV736X) {
    names.mainLabel = mainLabel;
    names.subLabel = subLabel;
    if (FunctionToken(family, row) == "SEPV") {
      names.mainLong = names.mainShort = u"DCV";
      names.mainLabel = mainLabel + u" DCV";
      names.subLabel = subLabel + u"  ACV";
    } else if (peak) {
      names.mainLong += u" PEAK max";
      names.mainLabel = mainLabel + u" PEAK max";
      names.subLabel = subLabel + u"  PEAK min";
    }
    if (peak) subPeakSuffix = u" PEAK min";
  }

  if (!data.subPresent) {
    names.subLong = names.subShort = std::u16string(kNoSubDisplay);
  } else if (family == Family::RV732X || subRow == -1) {
    names.subShort = UiWord(TextId::frequencyShort);
    names.subLong = UiWord(TextId::frequency);
  } else if (family == Family::RV736X && FunctionToken(family, subRow) == "SEPV") {
    names.subLong = names.subShort = u"ACV";
  } else {
    names.subShort = ShortName(family, subRow);
    names.subLong = LongName(family, row) + std::u16string(subPeakSuffix);
  }
  return names;
}

DecodedValue DecodeMainReading(int modelIndex, std::string_view reply, _MONITOR_DATA& data, DisplayNames& names) {
  if (command::IsCommandError(reply)) return {false, std::u16string(kReadingError), {}, 0};
  const Family family = FamilyOf(modelIndex);
  const int row = data.functionIndex;
  const std::string_view token = FunctionToken(family, row);
  const bool rel = data.status[kStatusRel] != 0;
  const bool peak = data.status[kStatusPeak] != 0;

  ReadingFields fields = ReadFields(reply, peak);
  if (!peak) {
    int fetched = fields.rangeNumber;
    if (family == Family::RV736X) {
      fetched += Rv736xRangeAdjustment(row);
    } else if (family == Family::RV734X) {
      if (StartsWithAuto(family, row)) fetched += 1;
    } else {
      if (token == "AutoV") {
        // The meter picks AC or DC itself; its range number tells which.
        const std::u16string_view kind = fetched != 0 ? u"Auto ACV" : u"Auto DCV";
        names.mainLong = names.mainShort = std::u16string(kind);
        names.mainLabel = UiWord(TextId::mainLabel) + u" " + std::u16string(kind);
        fetched = 0;
      }
      if (StartsWithAuto(family, row)) fetched += 1;
    }
    data.fetchRangeIndex = fetched;
    // A reading placed in no range has no unit or decimals to show it with.
    const bool placed = IsMeasuringRange(family, row, fetched);
    if (!rel) {
      ShowCountOrBlank(fields, (placed && data.rangeIndex == fetched) ||
                                   (family == Family::RV736X && (token == "dBm" || token == "dBV")) ||
                                   (IsRv7341(modelIndex) && token == "LoZV"));
    } else if (!placed) {
      ShowCountOrBlank(fields, false);
    }
  }
  std::int32_t& count = fields.count;
  data.mainOver = count == kOverCount || count == -kOverCount;
  data.mainBlank = count == kBlankCount;
  data.mainOpen = count == kOpenCount;
  if (rel && !data.mainBlank) count = IntegerOf(fields.shown);

  DecodedValue value{true, FormatMain(modelIndex, fields.shown, fields.digits, data), {}, count};
  const int u = IsTemperature(family, row) ? TemperatureColumn(data) : 0;
  if (family != Family::RV732X && peak) {
    value.unit = Unit(family, row, RangeSetKind::peak, data.rangeIndex);
  } else if (family != Family::RV734X && rel) {
    value.unit = Unit(family, row, RangeSetKind::normal, data.fetchRangeIndex + u);
  } else {
    value.unit = Unit(family, row, RangeSetKind::normal, data.rangeIndex + u);
  }
  return value;
}

DecodedValue DecodeSubReading(int modelIndex, std::string_view reply, _MONITOR_DATA& data) {
  if (command::IsCommandError(reply)) {
    data.subPresent = 0;
    return {};
  }
  const Family family = FamilyOf(modelIndex);
  const int row = data.subFunctionIndex;
  const bool rel = data.status[kStatusRel] != 0;
  const bool peak = data.status[kStatusPeak] != 0;

  ReadingFields fields = ReadFields(reply, peak);
  if (!peak) {
    data.subFetchRangeIndex =
        fields.rangeNumber + (family == Family::RV736X && row != -1 ? Rv736xRangeAdjustment(row) : 0);
    if (!rel) ShowCountOrBlank(fields, data.subRangeIndex == data.subFetchRangeIndex);
  }
  std::int32_t& count = fields.count;
  data.subOver = count == kOverCount || count == -kOverCount;
  data.subBlank = count == kBlankCount;
  if (rel && !data.subBlank) count = IntegerOf(fields.shown);
  data.subPresent = 1;

  DecodedValue value{true, FormatSub(modelIndex, fields.shown, fields.digits, data), {}, count};
  if (family == Family::RV732X || row == -1) {
    value.unit = FrequencyUnit(family, data.subRangeIndex);
  } else if (peak) {
    value.unit = Unit(family, row, RangeSetKind::peak, data.subRangeIndex);
  } else if (family == Family::RV736X && rel) {
    value.unit = Unit(family, row, RangeSetKind::normal, data.subFetchRangeIndex);
  } else {
    value.unit = Unit(family, row, RangeSetKind::normal, data.subRangeIndex);
  }
  return value;
}

std::u16string ConfigurationErrorText(int modelIndex, _MONITOR_DATA& data) {
  data.confError = 1;
  return FamilyOf(modelIndex) == Family::RV736X ? u"-----" : u"----";
}

// The meter's reading and configuration replies turned into what the
// monitor panel shows: values, units, names, labels and configuration texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "monitor/monitor_data.h"

// Text of control::kMainConfig for a ":CONF?" reply ("<Error>" for "CMD ERR").
// `zeroTo20Seen`: the last status 17 seen was 1.
std::u16string MainConfigurationText(int modelIndex, std::string_view reply, bool zeroTo20Seen, bool peak);
// Text of control::kSubConfig for a ":CONF2?" reply ("<none>" for "CMD ERR").
std::u16string SubConfigurationText(int modelIndex, std::string_view reply, bool peak);

// Display names of the two values and the labels above them
// (control::kMainLabel, control::kSubLabel); a label left empty is not
// written.
struct DisplayNames {
  std::u16string mainLong, mainShort;
  std::u16string subLong, subShort;
  std::optional<std::u16string> mainLabel, subLabel;
};
inline constexpr std::u16string_view kNoSubDisplay = u"<none>";
DisplayNames NamesAndLabels(int modelIndex, const _MONITOR_DATA& data);

struct DecodedValue {
  bool shown = false;      // main: false for "CMD ERR" ("Error" shown); sub: subPresent
  std::u16string text;     // control::kMainValue / kSubValue
  std::u16string unit;     // control::kMainUnit / kSubUnit
  std::int32_t count = 0;  // the value count published for recording
};
inline constexpr std::u16string_view kReadingError = u"Error";

// The main reading reply (":FETCCNTDISP?" or a peak reply while PEAK is on).
// Updates fetchRangeIndex and the over, blank and open flags; the "AutoV"
// function of the RV732X renames the main value in `names`.
DecodedValue DecodeMainReading(int modelIndex, std::string_view reply, _MONITOR_DATA& data, DisplayNames& names);
// The sub reading reply; decoded only after a main reading was.
DecodedValue DecodeSubReading(int modelIndex, std::string_view reply, _MONITOR_DATA& data);

// The ":CONF?" reply was "CMD ERR": the dashes shown for the main value and
// as its names; sets confError.
std::u16string ConfigurationErrorText(int modelIndex, _MONITOR_DATA& data);

// Whole-number value of a reply field; text that is not a number reads as 0.
std::int32_t IntegerOf(std::string_view text);

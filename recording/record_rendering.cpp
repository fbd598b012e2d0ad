#include "recording/record_rendering.h"

#include <string>

#include "base/text_helpers.h"
#include "catalogue/catalogue.h"
#include "catalogue/reading_decode.h"
#include "catalogue/value_format.h"
#include "recording/time_texts.h"
#include "text/text_id.h"

std::u16string StoredValueText(const _RECORD_DATA& r, int modelIndex, bool sub, std::u16string_view mark) {
  const Family family = FamilyOf(modelIndex);
  const int function = sub ? r.subFunction : r.mainFunction;
  const int range = sub ? r.subRange : r.mainRange;
  const std::string count = std::to_string(sub ? r.subCount : r.mainCount);
  const bool temperature = !sub && function >= 0 && IsTemperature(family, function);
  const int decimals = sub ? SubDecimals(modelIndex, function, range, r.peakOn != 0)
                           : MainDecimals(modelIndex, function, range, r.peakOn != 0);
  // Each display's text ignores the other display's blank bit.
  const int flags = r.flags & ~(sub ? record_flag::kMainBlank : record_flag::kSubBlank);
  const int selector = temperature ? r.settingValue : r.peakOn;
  return FormatStoredValue({modelIndex, count, decimals, mark, function, range, selector, flags, sub});
}

std::u16string StoredUnit(const _RECORD_DATA& r, int modelIndex, bool sub) {
  const Family family = FamilyOf(modelIndex);
  if (sub) {
    if (family == Family::RV732X || r.subFunction == -1) return std::u16string(FrequencyUnit(family, r.subRange));
    return std::u16string(
        Unit(family, r.subFunction, r.peakOn ? RangeSetKind::peak : RangeSetKind::normal, r.subRange));
  }
  const int f = IsTemperature(family, r.mainFunction) && r.settingValue == 1 ? 1 : 0;
  if (family != Family::RV732X && r.peakOn) {
    return std::u16string(Unit(family, r.mainFunction, RangeSetKind::peak, r.mainRange));
  }
  return std::u16string(Unit(family, r.mainFunction, RangeSetKind::normal, r.mainRange + f));
}

namespace {

std::u16string MainLabel(const _RECORD_DATA& r, Family family) {
  const std::string_view token = FunctionToken(family, r.mainFunction);
  if (family == Family::RV734X && token == "DC_4_20mA") return u"DC 4-20mA";
  if (family == Family::RV736X && token == "DC_4_20mA") return r.settingValue == 0 ? u"DC 4-20mA" : u"DC 0-20mA";
  if (family == Family::RV736X && token == "SEPV") return u"DCV";
  return ShortName(family, r.mainFunction);
}

std::u16string SubLabel(const _RECORD_DATA& r, Family family) {
  if (!r.hasSub) return std::u16string(kNoSubDisplay);
  if (family == Family::RV732X || r.subFunction == -1) return UiWord(TextId::frequencyShort);
  if (family == Family::RV736X && FunctionToken(family, r.subFunction) == "SEPV") return u"ACV";
  return ShortName(family, r.subFunction);
}

std::u16string Cell(std::u16string text) {
  if (text.size() > 31) text.resize(31);
  return text;
}

}  // namespace

std::u16string TimeText(const CDateTime& time, const RenderContext& context) {
  return context.timeDisplayMode == 1 ? RelativeTimeText(time, context.firstRecordTime) : RealTimeText(time);
}

_READING_TEXT RenderRecord(const _RECORD_DATA& r, const RenderContext& context) {
  const Family family = FamilyOf(context.modelIndex);
  _READING_TEXT text;
  text.text[_READING_TEXT::kTimeStamp] = TimeText(CDateTime(r.timeDate, CDateTime::Status(r.timeStatus)), context);
  text.text[_READING_TEXT::kMainValue] = StoredValueText(r, context.modelIndex, false, u".");
  text.text[_READING_TEXT::kMainUnit] = StoredUnit(r, context.modelIndex, false);
  text.text[_READING_TEXT::kMainFunction] = MainLabel(r, family);
  if (r.hasSub) {
    text.text[_READING_TEXT::kSubValue] = StoredValueText(r, context.modelIndex, true, u".");
    text.text[_READING_TEXT::kSubUnit] = StoredUnit(r, context.modelIndex, true);
  }
  text.text[_READING_TEXT::kSubFunction] = SubLabel(r, family);
  text.value[_READING_TEXT::kSubPresent] = r.hasSub ? 1 : 0;
  return text;
}

RowTexts RowOf(const _READING_TEXT& t) {
  using T = _READING_TEXT;
  return {Cell(t.text[T::kTimeStamp]),
          Cell(t.text[T::kMainFunction] + u" " + t.text[T::kMainValue] + u" " + t.text[T::kMainUnit]),
          Cell(t.text[T::kSubFunction] + u" " + t.text[T::kSubValue] + u" " + t.text[T::kSubUnit])};
}

std::u16string StatisticsLabel(int modelIndex, int function, bool sub) {
  const Family family = FamilyOf(modelIndex);
  if (sub && (family == Family::RV732X || function == -1)) return UiWord(TextId::frequency);
  return LongName(family, function);
}

std::u16string StatisticsLine(std::u16string_view timeText, std::u16string_view label, std::u16string_view valueText) {
  if (valueText.empty()) return {};
  std::u16string line(timeText);
  line += u"    ";
  line += label;
  line += u" ";
  line += valueText;
  return line;
}

std::u16string IntervalText(const Settings& s) {
  std::u16string text;
  const std::pair<std::int32_t, char16_t> parts[] = {
      {s.intervalHours, u'h'}, {s.intervalMinutes, u'm'}, {s.intervalSeconds, u's'}};
  for (const auto& [value, unit] : parts) {
    if (value == 0) continue;
    if (!text.empty()) text += u' ';
    AppendNumber(text, value);
    text += unit;
  }
  return text.empty() ? u"0s" : text;
}

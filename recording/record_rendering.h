// A stored record rendered as the texts of a live reading, so that a
// recording reads the same on every page and in every export; and the
// other texts the record pages build.
#pragma once

#include <array>
#include <string>

#include "monitor/reading_text.h"
#include "monitor/record_data.h"
#include "persistence/date_time.h"
#include "persistence/settings.h"

// The three cells of a list row: time, main reading, sub reading.
using RowTexts = std::array<std::u16string, 3>;

// What rendering needs besides the record.
struct RenderContext {
  int modelIndex;       // recordModel: the family whose tables apply
  int timeDisplayMode;  // 0 real time, 1 relative to firstRecordTime
  CDateTime firstRecordTime;
};

// A stored count as text, with the decimal mark `mark` (the formatter of
// stored values with the record's decimals, TEMP unit and PEAK state).
std::u16string StoredValueText(const _RECORD_DATA& record, int modelIndex, bool sub, std::u16string_view mark);
// The unit of the main or sub reading of a record.
std::u16string StoredUnit(const _RECORD_DATA& record, int modelIndex, bool sub);

// timeText, value, unit and short label texts of a record (value 1 is
// subPresent); the label texts are those of the first copy of the live
// reading texts.
_READING_TEXT RenderRecord(const _RECORD_DATA& record, const RenderContext& context);
// Time text of a record or statistic in the display mode.
std::u16string TimeText(const CDateTime& time, const RenderContext& context);

// Cells of a list row; at most 31 characters each.
RowTexts RowOf(const _READING_TEXT& text);

// The label of a statistics line: the long name of the function, for a sub
// line the frequency word where the sub display showed frequency.
std::u16string StatisticsLabel(int modelIndex, int function, bool sub);
// time text + four spaces + label + " " + value and unit; empty for an empty value.
std::u16string StatisticsLine(std::u16string_view timeText, std::u16string_view label, std::u16string_view valueText);

// "1h 30s": each non-zero part of the recording interval; "0s" when all are zero.
std::u16string IntervalText(const Settings& settings);

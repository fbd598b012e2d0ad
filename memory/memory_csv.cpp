#include "memory/memory_csv.h"

#include <algorithm>
#include <cstdint>

#include "base/text_helpers.h"
#include "base/utf16.h"
#include "base/version.h"
#include "catalogue/catalogue.h"
#include "catalogue/configuration_commands.h"
#include "catalogue/value_format.h"
#include "link/identification.h"
#include "persistence/csv_encoder.h"
#include "persistence/csv_field.h"
#include "text/text_id.h"

namespace {

constexpr std::u16string_view kRule = u"---------------------------------------";
constexpr std::u16string_view kMaker = u"VORNEK";

// Only RV736X meters have a memory; either model index formats alike.
constexpr Family kFamily = Family::RV736X;
constexpr int kFormatModel = kRv7361;

// RV736X function rows that the line's rules name.
enum Row {
  kAcv = 0,
  kDbm = 1,
  kDbv = 2,
  kClamp = 3,
  kDcv = 4,
  kAcdcv = 5,
  kSepv = 6,
  kCont = 7,
  kDiode = 8,
  kTemp = 10,
  kDcua = 13,
  kAcua = 14,
  kDcma = 15,
  kAcma = 16,
  kCurrentLoop = 17,
  kDca = 18,
  kAca = 19,
};
// Rows whose sub display counts the signal's frequency.
constexpr int kFrequencyRows[] = {kAcv, kDbm, kDbv, kAcdcv, kAcua, kAcma, kAca};
// Rows whose PEAK set starts one range above the normal set's first real range.
constexpr int kPeakOneDown[] = {kAcdcv, kDcua, kAcua, kDcma, kAcma, kDca, kAca};
// Rows that store an over range with the over status instead of the marker.
constexpr int kOverByStatus[] = {kDbm, kDbv, kCurrentLoop};

constexpr int kFreezingTenthsFahrenheit = 320;

template <std::size_t N>
bool OneOf(int row, const int (&rows)[N]) {
  return std::find(std::begin(rows), std::end(rows), row) != std::end(rows);
}

bool IsMarker(std::int64_t count) {
  return count == kOverCount || count == -kOverCount || count == kBlankCount || count == kOpenCount;
}

// Fahrenheit tenths to Celsius tenths, truncated toward zero.
std::int64_t CelsiusTenths(std::int64_t fahrenheit) { return (fahrenheit - kFreezingTenthsFahrenheit) * 5 / 9; }

// A difference of Fahrenheit tenths in Celsius tenths, rounded half away from zero.
std::int64_t CelsiusDifference(std::int64_t fahrenheit) {
  const std::int64_t scaled = fahrenheit * 5;
  return (scaled + (scaled >= 0 ? 4 : -4)) / 9;
}

// The long name of the table row, not the live meter's current-loop naming:
// the record names its own scale.
std::u16string RowName(int row) {
  if (row < 0 || row >= RowCount(kFamily)) return {};
  return InLanguage(TablesOf(kFamily).rows[static_cast<std::size_t>(row)].longName);
}

// Fields joined by the separator.  A field holding the separator, a quote
// or a line break is quoted, so the columns after it stay in place.
class Fields {
 public:
  explicit Fields(char16_t separator) : separator_(separator) {}

  Fields& operator<<(std::u16string_view field) {
    AppendCsvField(line_, field, separator_, first_);
    first_ = false;
    return *this;
  }
  const std::u16string& Line() const { return line_; }

 private:
  char16_t separator_;
  std::u16string line_;
  bool first_ = true;
};

// The record's range as a column of the catalogue row: the meter numbers a
// row's ranges from its first real one ("Auto" is column 0), "ACDCV" and
// "SEPV" two higher, and in peak hold still by the normal ranges.
int RangeColumn(const MemoryRecord& r, int row) {
  int range = r.range;
  if (row != kClamp && RangeCount(kFamily, row, RangeSetKind::normal) > 1) {
    range += row == kAcdcv || row == kSepv ? -1 : 1;
  }
  if (r.Peak()) {
    if (row == kAcv || row == kDcv) range -= 3;
    if (OneOf(row, kPeakOneDown)) range -= 1;
  }
  return range;
}

std::u16string Formatted(std::int64_t count, int decimals, const MemoryCsvFormat& format, int function, int range,
                         int selector, int flags, bool sub) {
  const std::string text = std::to_string(count);
  return FormatStoredValue({kFormatModel, text, decimals, format.mark, function, range, selector, flags, sub});
}

int StatusFlags(int status, int overBit, int blankBit) {
  int flags = status == memory_status::kOver ? overBit : 0;
  if (status == memory_status::kBlank1 || status == memory_status::kBlank2) flags |= blankBit;
  return flags;
}

}  // namespace

MemoryCsvFormat MemoryCsvFormat::FromSettings(const Settings& settings, int temperatureUnit) {
  return {settings.listSeparator == 1 ? u';' : u',', settings.decimalSymbol == 1 ? u"," : u".",
          temperatureUnit != 0 ? 1 : 0};
}

std::vector<std::u16string> MemoryCsvHeader(const MemoryCsvMeter& meter, const CalendarTime& date,
                                            const MemoryCsvFormat& format) {
  std::vector<std::u16string> lines{std::u16string(kProgramTitle), std::u16string(kRule), UiWord(TextId::memoryData)};
  const std::string_view model = meter.modelIndex >= 0 && meter.modelIndex < kModelCount
                                     ? kModelNames[static_cast<std::size_t>(meter.modelIndex)]
                                     : std::string_view();
  lines.push_back((Fields(format.separator) << UiWord(TextId::model) + u':' << kMaker << AsciiToUtf16(model)
                                            << u"Ver " + AsciiToUtf16(meter.firmwareVersion))
                      .Line());
  lines.push_back((Fields(format.separator) << u"S/N:" << AsciiToUtf16(meter.serialNumber)).Line());
  const std::u16string day = ShortDateText(date.year, date.month, date.day);
  lines.push_back((Fields(format.separator) << UiWord(TextId::date) + u':' << day).Line());
  lines.emplace_back();
  Fields titles(format.separator);
  titles << u"No";
  for (const TextId title : {TextId::csvMainFunction, TextId::csvMainValue, TextId::csvMainUnit, TextId::csvMainOver,
                             TextId::csvSubFunction, TextId::csvSubValue, TextId::csvSubUnit, TextId::csvSubOver}) {
    titles << UiWord(title);
  }
  titles << u"MAX/MIN" << u"REL" << u"FILTER" << u"SLOW" << UiWord(TextId::csvSubInformation);
  lines.push_back(titles.Line());
  return lines;
}

// The status words and modes the meter writes; anything else is not a
// record of this meter's (line noise, a reply cut or shifted).
constexpr int kHighestStatus = 3;
constexpr int kHoldModes[] = {0, memory_hold::kMax, memory_hold::kMin, memory_hold::kPeak};

bool MemoryRecordDecodes(const MemoryRecord& r) {
  const int row = r.FunctionRow();
  if (row < 0 || row >= RowCount(kFamily)) return false;
  const RangeSetKind set = r.Peak() ? RangeSetKind::peak : RangeSetKind::normal;
  const int range = RangeColumn(r, row);
  const int frequencyRanges = static_cast<int>(TablesOf(kFamily).frequency.tokens.size());
  return range >= 0 && range < RangeCount(kFamily, row, set) && r.mainStatus >= 0 && r.mainStatus <= kHighestStatus &&
         r.subStatus >= 0 && r.subStatus <= kHighestStatus && OneOf(r.holdMode, kHoldModes) && r.frequencyRange >= 0 &&
         r.frequencyRange < frequencyRanges;
}

std::u16string MemoryCsvLine(int number, const MemoryRecord& r, const MemoryCsvFormat& format) {
  const int row = r.FunctionRow();
  const bool peak = r.Peak();
  const bool rel = (r.flags & memory_flag::kRel) != 0;
  const int range = RangeColumn(r, row);
  const RangeSetKind set = peak ? RangeSetKind::peak : RangeSetKind::normal;
  const int decimals = Decimals(kFamily, row, set, range);
  Fields line(format.separator);
  line << NumberText(number);

  // Main function.
  if (row == kSepv) {
    line << u"DCV";
  } else if (row == kCurrentLoop && r.setting == 1) {
    line << u"0-20mA";
  } else {
    line << RowName(row) + (peak ? u" PEAK max" : u"");
  }

  // Main value.  Temperatures are stored in Fahrenheit tenths; REL keeps
  // the reference beside the value.
  std::int64_t value = r.mainValue;
  int selector = peak ? 1 : 0;
  if (row == kTemp) {
    selector = format.temperatureUnit;
    if (!IsMarker(value)) {
      if (rel) value -= r.subValue;
      if (format.temperatureUnit == 0) value = rel ? CelsiusDifference(value) : CelsiusTenths(value);
    }
  } else if (OneOf(row, kOverByStatus) && r.mainStatus == memory_status::kOver) {
    value = kOverCount;
  }
  const int mainFlags = StatusFlags(r.mainStatus, record_flag::kMainOver, record_flag::kMainBlank);
  line << Formatted(value, decimals, format, row, range, selector, mainFlags, false);

  // Main unit; its words follow the language ("Ohm", "Celsius"), and "ºF",
  // which the Japanese code page lacks, is spelt out in both.
  const int unitColumn = peak ? range : range + (row == kTemp ? format.temperatureUnit : 0);
  std::u16string unit(Unit(kFamily, row, set, unitColumn));
  ReplaceAll(unit, u"Ω", UiWord(TextId::ohm));
  ReplaceAll(unit, u"℃", UiWord(TextId::celsius));
  ReplaceAll(unit, u"ºF", UiWord(TextId::fahrenheit));
  line << unit;
  const std::int64_t overValue = row == kTemp ? r.mainValue : value;
  const bool mainOver = overValue == kOverCount || (r.mainValue != kOpenCount && r.mainStatus == memory_status::kOver);
  line << (mainOver ? u"OVER" : u"");

  // Sub display: the other peak, the frequency, or the AC part of "SEPV".
  enum class Sub { none, peak, frequency, acPart } sub = Sub::none;
  if (peak) {
    sub = Sub::peak;
    line << RowName(row) + u" PEAK min";
  } else if (OneOf(row, kFrequencyRows)) {
    sub = Sub::frequency;
    line << UiWord(TextId::frequency);
  } else if (row == kSepv) {
    sub = Sub::acPart;
    line << u"ACV";
  } else {
    line << u"";
  }
  const int subFlags = StatusFlags(r.subStatus, record_flag::kSubOver, record_flag::kSubBlank);
  switch (sub) {
    case Sub::none:
      line << u"" << u"";
      break;
    case Sub::frequency:
      line << Formatted(r.subValue, FrequencyDecimals(kFamily, r.frequencyRange), format, -1, r.frequencyRange, 0,
                        subFlags, true)
           << FrequencyUnit(kFamily, r.frequencyRange);
      break;
    case Sub::peak:
    case Sub::acPart:
      line << Formatted(r.subValue, decimals, format, row, range, peak ? 1 : 0, subFlags, true)
           << Unit(kFamily, row, set, range);
      break;
  }
  const bool subOver = r.subValue == kOverCount || (sub != Sub::none && r.subStatus == memory_status::kOver);
  line << (subOver ? u"OVER" : u"");

  line << (r.holdMode == memory_hold::kMax ? u"MAX" : r.holdMode == memory_hold::kMin ? u"MIN" : u"");
  line << (rel ? u"REL" : u"") << (r.flags & memory_flag::kFilter ? u"FILTER" : u"")
       << (r.flags & memory_flag::kSlow ? u"SLOW" : u"");

  // Sub information, only where the function has some.
  if (row == kCont || row == kDiode || row == kDbm) {
    line << SettingText(row, r.setting);
  } else if (row == kTemp && rel) {
    std::int64_t reference = r.subValue;
    if (format.temperatureUnit == 0 && !IsMarker(reference)) reference = CelsiusTenths(reference);
    line << Formatted(reference, decimals, format, row, range, format.temperatureUnit, 0, false) + unit;
  }
  return line.Line();
}

std::string EncodeMemoryCsvLine(std::u16string_view line, int systemCodePage) {
  // The words are the catalogue's: the code page must hold their language.
  CsvEncoder encoder(CatalogueLanguage(), systemCodePage);
  std::string bytes;
  encoder.Append(bytes, line);
  return bytes + "\r\n";
}

#include "recording/csv_export.h"

#include <iterator>
#include <optional>
#include <string>

#include "base/text_helpers.h"
#include "base/utf16.h"
#include "base/version.h"
#include "catalogue/catalogue.h"
#include "catalogue/configuration_commands.h"
#include "catalogue/value_format.h"
#include "link/identification.h"
#include "persistence/csv_encoder.h"
#include "persistence/replace_file.h"
#include "recording/record_rendering.h"
#include "recording/time_texts.h"
#include "text/text_id.h"

namespace {

constexpr std::u16string_view kRule = u"---------------------------------------";
constexpr std::u16string_view kMaker = u"VORNEK";

// The RV736X meters have SLOW and the settings that the last column names;
// a model index past them reads as RV736X too.
bool HasSlow(int model) { return FamilyOf(model) == Family::RV736X; }

// RV736X rows whose recorded setting value has a column of its own.
constexpr int kDbmRow = 1, kContRow = 7, kDiodeRow = 8;

// One line at a time: each field goes into the code page as it comes, and
// the finished line is handed on before the next one is begun.
class CsvLine {
 public:
  CsvLine(char16_t separator, CsvEncoder& encoder, const std::function<void(std::string_view)>& write)
      : separator_(separator), encoder_(encoder), write_(write) {}

  // A separator, quote or line break inside a field (the user's memo, the
  // name "DCV,ACV") would otherwise shift every later column.
  CsvLine& operator<<(std::u16string_view field) {
    encoder_.AppendField(line_, field, separator_, empty_);
    empty_ = false;
    return *this;
  }

  void End() {
    line_ += "\r\n";
    write_(line_);
    line_.clear();
    empty_ = true;
  }

 private:
  char16_t separator_;
  CsvEncoder& encoder_;
  const std::function<void(std::string_view)>& write_;
  std::string line_;
  bool empty_ = true;
};

std::u16string Labelled(TextId text) { return UiWord(text) + u':'; }

std::u16string ModelName(int modelIndex) {
  if (modelIndex < 0 || modelIndex >= kModelCount) return {};
  const std::string_view name = kModelNames[static_cast<std::size_t>(modelIndex)];
  return AsciiToUtf16(name);
}

// What every record line needs, looked up once for the whole file.
struct LineContext {
  int model;
  Family family;
  std::u16string mark;
  bool relativeTime;
  CDateTime firstRecordTime;
  std::u16string frequency, ohm, celsius, fahrenheit;
};

std::u16string MainFunctionText(const _RECORD_DATA& r, const LineContext& c) {
  if (c.family != Family::RV736X) return LongName(c.family, r.mainFunction);
  const std::string_view token = FunctionToken(c.family, r.mainFunction);
  // The loop range is named by the record's own setting, not by the mode
  // the meter happens to be in now.
  if (token == "DC_4_20mA") return r.settingValue == 0 ? u"DC 4-20mA" : u"DC 0-20mA";
  if (token == "SEPV") return u"DCV";
  std::u16string name = LongName(c.family, r.mainFunction);
  if (r.peakOn) name += u" PEAK max";
  return name;
}

std::u16string SubFunctionText(const _RECORD_DATA& r, const LineContext& c) {
  if (!r.hasSub) return {};
  if (c.family == Family::RV732X || r.subFunction == -1) return c.frequency;
  if (c.family == Family::RV736X && FunctionToken(c.family, r.subFunction) == "SEPV") return u"ACV";
  std::u16string name = LongName(c.family, r.subFunction);
  if (r.peakOn) name += u" PEAK min";
  return name;
}

std::u16string MainUnitText(const _RECORD_DATA& r, const LineContext& c) {
  std::u16string unit = StoredUnit(r, c.model, false);
  // The table's words carry the language rule: in Japanese "Ω" and "℃"
  // stay, "ºF" (not in the Japanese code page) is spelt out in both.
  ReplaceAll(unit, u"Ω", c.ohm);
  if (IsTemperature(c.family, r.mainFunction)) {
    ReplaceAll(unit, u"℃", c.celsius);
    ReplaceAll(unit, u"ºF", c.fahrenheit);
  }
  return unit;
}

void WriteRecord(CsvLine& line, const _RECORD_DATA& r, std::size_t index, const LineContext& c) {
  std::u16string number;
  AppendNumber(number, static_cast<long long>(index) + 1);
  line << number;

  const CDateTime time(r.timeDate, static_cast<CDateTime::Status>(r.timeStatus));
  if (c.relativeTime) {
    line << u"" << RelativeTimeText(time, c.firstRecordTime);
  } else if (const std::optional<CalendarTime> t = time.ToCalendar()) {
    line << ShortDateText(t->year, t->month, t->day) << ClockText(t->hour, t->minute, t->second);
  } else {
    line << u"" << u"";
  }

  line << MainFunctionText(r, c) << StoredValueText(r, c.model, false, c.mark) << MainUnitText(r, c);
  line << (r.mainCount == kOverCount || (r.flags & record_flag::kMainOver) ? u"OVER" : u"");
  line << SubFunctionText(r, c);
  if (r.hasSub) {
    line << StoredValueText(r, c.model, true, c.mark) << StoredUnit(r, c.model, true);
  } else {
    line << u"" << u"";
  }
  // Sub OVER follows the count even without a sub display.
  line << (r.subCount == kOverCount || (r.flags & record_flag::kSubOver) ? u"OVER" : u"");
  line << (r.flags != 0 ? u"REL" : u"") << (r.filterOn ? u"FILTER" : u"");
  if (HasSlow(c.model)) {
    line << (r.slowOn ? u"SLOW" : u"");
    if (r.mainFunction == kDbmRow || r.mainFunction == kContRow || r.mainFunction == kDiodeRow) {
      line << SettingText(r.mainFunction, r.settingValue);
    }
  }
  line.End();
}

}  // namespace

CsvLosses WriteRecordingCsv(const RecordStore& store, const CsvIdentity& meter, const Settings& settings,
                            const std::function<void(std::string_view bytes)>& write) {
  const char16_t separator = settings.listSeparator == 1 ? u';' : u',';
  const int model = meter.modelIndex;
  const Family family = FamilyOf(model);
  const bool relativeTime = settings.timeDisplayMode == 1;
  // The words are the catalogue's: the code page must hold their language.
  CsvEncoder encoder(CatalogueLanguage());
  CsvLine line(separator, encoder, write);

  line << kProgramTitle;
  line.End();
  line << kRule;
  line.End();
  line << UiWord(TextId::recordData);
  line.End();
  line << Labelled(TextId::model) << kMaker << ModelName(model) << u"Ver " + meter.firmwareVersion;
  line.End();
  line << u"S/N:" << meter.serialNumber;
  line.End();
  const std::pair<std::int32_t, const std::u16string*> items[] = {{settings.companyOn, &settings.companyText},
                                                                  {settings.titleOn, &settings.titleText},
                                                                  {settings.dateOn, &settings.dateText},
                                                                  {settings.operatorOn, &settings.operatorText}};
  const TextId itemWords[] = {TextId::company, TextId::title, TextId::date, TextId::operatorName};
  for (std::size_t i = 0; i < std::size(items); ++i) {
    if (!items[i].first) continue;
    line << Labelled(itemWords[i]) << *items[i].second;
    line.End();
  }
  if (settings.tempHumidOn) {
    line << Labelled(TextId::tempHumid)
         << settings.temperatureText + UiWord(TextId::celsius) + u'/' + settings.humidityText + u"%rh";
    line.End();
  }
  line << Labelled(TextId::interval) << IntervalText(settings);
  line.End();
  line << Labelled(TextId::function) << LongName(family, store.maxMainFunction);
  line.End();
  line << Labelled(TextId::range) << store.recordRangeText;
  line.End();
  if (settings.memoOn) {
    line << Labelled(TextId::memo) << settings.memoText;
    line.End();
  }
  if (relativeTime) {
    line << Labelled(TextId::baseTime);
    if (const std::optional<CalendarTime> t = store.firstRecordTime.ToCalendar()) {
      line << ShortDateText(t->year, t->month, t->day) << ClockText(t->hour, t->minute, t->second);
    } else {
      line << u"" << u"";
    }
    line.End();
  }
  line.End();
  std::u16string count;
  AppendNumber(count, store.recordCount());
  line << Labelled(TextId::buffer) << count;
  line.End();

  line << u"No";
  for (const TextId title : {TextId::csvColumnDate, TextId::csvColumnTime, TextId::csvMainFunction,
                             TextId::csvMainValue, TextId::csvMainUnit, TextId::csvMainOver, TextId::csvSubFunction,
                             TextId::csvSubValue, TextId::csvSubUnit, TextId::csvSubOver}) {
    line << UiWord(title);
  }
  line << u"REL" << u"FILTER";
  if (HasSlow(model)) line << u"SLOW";
  line << UiWord(TextId::csvSubInformation);
  line.End();

  const LineContext context{model,
                            family,
                            settings.decimalSymbol == 1 ? u"," : u".",
                            relativeTime,
                            store.firstRecordTime,
                            UiWord(TextId::frequency),
                            UiWord(TextId::ohm),
                            UiWord(TextId::celsius),
                            UiWord(TextId::fahrenheit)};
  for (std::size_t i = 0; i < store.Size(); ++i) WriteRecord(line, store.At(i), i, context);
  return encoder.Losses();
}

CsvLosses ExportRecordingCsv(const std::filesystem::path& file, const RecordStore& store, const CsvIdentity& meter,
                             const Settings& settings) {
  // Lines are short; gathering them spares the disk a call per record.
  constexpr std::size_t kChunk = 64 * 1024;
  CsvLosses losses;
  ReplaceFile(file, [&](CFile& output) {
    std::string chunk;
    chunk.reserve(kChunk + 1024);
    losses = WriteRecordingCsv(store, meter, settings, [&](std::string_view bytes) {
      chunk += bytes;
      if (chunk.size() >= kChunk) {
        output.Write(chunk.data(), chunk.size());
        chunk.clear();
      }
    });
    if (!chunk.empty()) output.Write(chunk.data(), chunk.size());
  });
  return losses;
}

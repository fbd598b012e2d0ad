#include "cli/recording_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "catalogue/value_format.h"
#include "recording/record_rendering.h"
#include "recording/time_texts.h"

namespace {

// What makes readings comparable.  Of the function's setting only the
// temperature unit changes what a count means; a record of another function
// carries the last setting on, which would split readings that belong
// together.
struct Measurement {
  bool sub;
  std::int32_t function, peak, setting, rel;
  bool operator==(const Measurement&) const = default;
};

// Welford's running mean and squared deviations, in units of the finest
// decade (count x 10^decade), so that readings of every range add up.
struct Accumulator {
  Measurement measurement;
  _RECORD_DATA coarsest;  // a record of the coarsest range seen: its decimals and unit
  int coarsestDecade = 0;
  long long readings = 0;
  double mean = 0;
  double squares = 0;
};

Measurement MeasurementOf(const _RECORD_DATA& r, bool sub, int modelIndex) {
  const bool rel = (r.flags & record_flag::kRel) != 0;
  const int function = sub ? r.subFunction : r.mainFunction;
  const bool temperature = !sub && IsTemperature(FamilyOf(modelIndex), function);
  return {sub, function, r.peakOn, temperature ? r.settingValue : 0, rel ? 1 : 0};
}

// As the value's text shows it: a marker count, or a marker bit of REL.
bool IsMarker(const _RECORD_DATA& r, bool sub) {
  const std::int32_t count = sub ? r.subCount : r.mainCount;
  const int bits = record_flag::kMainOpen | (sub ? record_flag::kSubOver | record_flag::kSubBlank
                                                 : record_flag::kMainOver | record_flag::kMainBlank);
  return count >= kOverCount || count <= -kOverCount || (r.flags & bits) != 0;
}

std::u16string ValueText(double count, const _RECORD_DATA& r, int modelIndex, bool sub) {
  const int function = sub ? r.subFunction : r.mainFunction;
  const int range = sub ? r.subRange : r.mainRange;
  const int decimals = sub ? SubDecimals(modelIndex, function, range, r.peakOn != 0)
                           : MainDecimals(modelIndex, function, range, r.peakOn != 0);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals + 1, count / std::pow(10.0, decimals));
  return Utf8ToUtf16(text) + u" " + StoredUnit(r, modelIndex, sub);
}

}  // namespace

std::vector<ReadingStatistics> StatisticsOf(const RecordStore& store, int modelIndex) {
  std::vector<Accumulator> all;
  for (std::size_t i = 0; i < store.Size(); ++i) {
    const _RECORD_DATA r = store.At(i);
    for (const bool sub : {false, true}) {
      if ((sub && !r.hasSub) || IsMarker(r, sub)) continue;
      const Measurement measurement = MeasurementOf(r, sub, modelIndex);
      const int decade = RangeDecade(modelIndex, measurement.function, sub ? r.subRange : r.mainRange);
      auto found =
          std::find_if(all.begin(), all.end(), [&](const Accumulator& a) { return a.measurement == measurement; });
      if (found == all.end()) found = all.insert(all.end(), {measurement, r, decade});
      Accumulator& a = *found;
      if (decade > a.coarsestDecade) {
        a.coarsest = r;
        a.coarsestDecade = decade;
      }
      const double value = (sub ? r.subCount : r.mainCount) * std::pow(10.0, decade);
      ++a.readings;
      const double step = value - a.mean;
      a.mean += step / static_cast<double>(a.readings);
      a.squares += step * (value - a.mean);
    }
  }
  std::vector<ReadingStatistics> statistics;
  for (const Accumulator& a : all) {
    const Measurement& m = a.measurement;
    const double scale = std::pow(10.0, a.coarsestDecade);
    std::u16string label = StatisticsLabel(modelIndex, m.function, m.sub);
    if (m.peak) label += u" PEAK";
    if (m.rel) label += u" REL";
    statistics.push_back(
        {m.sub, label, a.readings, ValueText(a.mean / scale, a.coarsest, modelIndex, m.sub),
         ValueText(std::sqrt(a.squares / static_cast<double>(a.readings)) / scale, a.coarsest, modelIndex, m.sub)});
  }
  return statistics;
}

std::u16string DurationOf(const RecordStore& store) {
  if (store.Size() < 2) return {};
  const _RECORD_DATA first = store.At(0);
  const _RECORD_DATA last = store.At(store.Size() - 1);
  if (first.timeStatus != CDateTime::valid || last.timeStatus != CDateTime::valid) return {};
  return RelativeTimeText(CDateTime(last.timeDate, CDateTime::valid), CDateTime(first.timeDate, CDateTime::valid));
}

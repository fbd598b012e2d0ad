// Every sample of a recording, oldest first, with the recording's summary
// and the maxima and minima of the current interval run.  Touched only on
// the window's thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/models.h"
#include "monitor/record_data.h"
#include "persistence/date_time.h"

// One extreme: when, in which function, what count, in which range.
struct ExtremeValue {
  CDateTime time;
  std::int32_t function = 0;
  std::int32_t count = 0;
  std::int32_t range = 0;
  bool operator==(const ExtremeValue&) const = default;
};

// An extreme and its "first" flag: the next accepted value replaces it.
struct Extreme {
  ExtremeValue value;
  bool first = true;
};

// Replaces the extreme when `sample` reaches it (a tie replaces too, so the
// extreme carries the latest time).  Blank and OPEN counts never count;
// over counts not when `excludeOver`.  Counts of different ranges compare
// in the coarser range's units (one range step is one decade).  Returns
// whether the extreme was replaced.
bool UpdateMax(Extreme& extreme, const ExtremeValue& sample, bool excludeOver, int modelIndex);
bool UpdateMin(Extreme& extreme, const ExtremeValue& sample, bool excludeOver, int modelIndex);

class RecordStore {
 public:
  void Append(const _RECORD_DATA& record) { records_.push_back(record); }
  // All records at once (a recording file read whole).
  void Assign(std::vector<_RECORD_DATA> records) { records_ = std::move(records); }
  // All records out at once, leaving the store empty (Assign puts them back).
  std::vector<_RECORD_DATA> Release() { return std::exchange(records_, {}); }
  void RemoveLast() {
    if (!records_.empty()) records_.pop_back();
  }
  void RemoveAll() { records_.clear(); }
  _RECORD_DATA At(std::size_t index) const { return records_.at(index); }
  std::size_t Size() const { return records_.size(); }
  // recordCount: the number of the newest record.
  std::int32_t recordCount() const { return static_cast<std::int32_t>(records_.size()); }

  // The start of an interval run: the statistics describe that run only.
  void ResetStatistics();

  std::int32_t runCount = 0;
  CDateTime firstRecordTime;
  CDateTime runStartTime;
  CDateTime stopTime;
  CDateTime lastTickTime;
  std::u16string startTimeText, stopTimeText;
  std::int32_t recordModel = kDefaultModel;
  std::u16string recordFirmware, recordSerial;
  std::int32_t recordFunction = 0;
  std::u16string recordRangeText;

  // For the record list (markers blank and OPEN left out) ...
  Extreme listMaxMain, listMinMain, listMaxSub, listMinSub;
  // ... and for the graph's scales (over left out as well).
  Extreme graphMaxMain, graphMinMain, graphMaxSub, graphMinSub;
  std::u16string maxMainText, minMainText, maxSubText, minSubText;
  CDateTime maxMainTime, minMainTime, maxSubTime, minSubTime;
  std::int32_t maxMainFunction = 0, maxSubFunction = 0;

 private:
  std::vector<_RECORD_DATA> records_;
};

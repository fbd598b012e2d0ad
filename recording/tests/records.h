// Records for the tests: a main reading at a time, and a sub reading added.
#pragma once

#include "monitor/record_data.h"
#include "persistence/date_time.h"

inline _RECORD_DATA MakeRecord(int function, int count, int range, const CDateTime& time) {
  _RECORD_DATA record;
  record.mainFunction = function;
  record.mainCount = count;
  record.mainRange = range;
  record.timeDate = time.date();
  return record;
}

inline _RECORD_DATA WithSub(_RECORD_DATA record, int function, int count, int range) {
  record.hasSub = 1;
  record.subFunction = function;
  record.subCount = count;
  record.subRange = range;
  return record;
}

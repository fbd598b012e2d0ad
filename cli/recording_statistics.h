// What `info` tells of a recording beyond what its file keeps: the mean and
// the spread of each display's readings, and how long it ran.
#pragma once

#include <string>
#include <vector>

#include "recording/record_store.h"

// The readings of one display in one measurement: the same function, PEAK,
// REL and, for a temperature, unit.  Markers (over, blank, OPEN) are left
// out.  Counts of different ranges are taken in the coarsest range's units
// by the meter's decade rule and shown with that range's decimals (one
// more: a mean is finer than a reading) and unit.
struct ReadingStatistics {
  bool sub = false;
  std::u16string label;  // the function's long name, with " PEAK" or " REL"
  long long readings = 0;
  std::u16string mean;               // value and unit
  std::u16string standardDeviation;  // of the readings themselves (population)
};

// In the order the measurements first occur.
std::vector<ReadingStatistics> StatisticsOf(const RecordStore& store, int modelIndex);

// First to last record as "%02d:%02d:%02d"; empty without two valid times.
std::u16string DurationOf(const RecordStore& store);

#include "recording/record_store.h"

#include <cmath>

#include "catalogue/catalogue.h"
#include "catalogue/value_format.h"

namespace {

bool Ignored(std::int32_t count, bool excludeOver) {
  if (count == kBlankCount || count == kOpenCount) return true;
  return excludeOver && (count == kOverCount || count == -kOverCount);
}

std::int64_t InCoarserRange(std::int32_t count, int decades) {
  return static_cast<std::int64_t>(std::trunc(count / std::pow(10.0, decades)));
}

// Whether `sample` takes the place of the stored extreme; `reaches` tells
// whether a count reaches another (<= for a maximum, >= for a minimum).
template <typename Reaches>
bool Update(Extreme& extreme, const ExtremeValue& sample, bool excludeOver, int modelIndex, Reaches reaches) {
  if (Ignored(sample.count, excludeOver)) return false;
  if (extreme.first) {
    extreme.first = false;
    extreme.value = sample;
    return true;
  }
  const ExtremeValue& stored = extreme.value;
  // The case follows the ranges as recorded, the decades the RES rule of the RV736X.
  const int storedDecade = RangeDecade(modelIndex, sample.function, stored.range);
  const int sampleDecade = RangeDecade(modelIndex, sample.function, sample.range);
  bool replace;
  if (stored.range == sample.range) {
    replace = reaches(stored.count, sample.count);
  } else if (stored.range < sample.range) {
    replace = reaches(InCoarserRange(stored.count, sampleDecade - storedDecade), sample.count);
  } else {
    replace = reaches(stored.count, InCoarserRange(sample.count, storedDecade - sampleDecade));
  }
  if (replace) extreme.value = sample;
  return replace;
}

}  // namespace

bool UpdateMax(Extreme& extreme, const ExtremeValue& sample, bool excludeOver, int modelIndex) {
  return Update(extreme, sample, excludeOver, modelIndex, [](std::int64_t a, std::int64_t b) { return a <= b; });
}

bool UpdateMin(Extreme& extreme, const ExtremeValue& sample, bool excludeOver, int modelIndex) {
  return Update(extreme, sample, excludeOver, modelIndex, [](std::int64_t a, std::int64_t b) { return a >= b; });
}

void RecordStore::ResetStatistics() {
  for (Extreme* extreme : {&listMaxMain, &listMinMain, &listMaxSub, &listMinSub, &graphMaxMain, &graphMinMain,
                           &graphMaxSub, &graphMinSub}) {
    extreme->first = true;
  }
}

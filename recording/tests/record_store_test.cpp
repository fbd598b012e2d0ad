#include <gtest/gtest.h>

#include "recording/record_store.h"

namespace {

ExtremeValue Sample(std::int32_t count, std::int32_t range, double time = 1.0, std::int32_t function = 4) {
  return {CDateTime(time, CDateTime::valid), function, count, range};
}

TEST(Extremes, MarkersNeverBecomeExtremes) {
  for (const std::int32_t marker : {2000000, 3000000}) {
    Extreme list, graph;
    EXPECT_FALSE(UpdateMax(list, Sample(marker, 1), false, 8));
    EXPECT_FALSE(UpdateMin(graph, Sample(marker, 1), true, 8));
    EXPECT_TRUE(list.first) << "the first flag waits for a real value";
    EXPECT_TRUE(graph.first);
  }
  Extreme list, graph;
  EXPECT_TRUE(UpdateMax(list, Sample(1000000, 1), false, 8)) << "the list takes an over value";
  EXPECT_FALSE(UpdateMax(graph, Sample(1000000, 1), true, 8)) << "the graph never does";
  EXPECT_FALSE(UpdateMin(graph, Sample(-1000000, 1), true, 8));
  EXPECT_TRUE(graph.first);
}

TEST(Extremes, RangesCompareByDecades) {
  struct Case {
    const char* what;
    ExtremeValue stored, sample;
    bool max;  // UpdateMax, else UpdateMin
    bool replaced;
  };
  const Case cases[] = {
      {"coarser sample reaches the truncated maximum", Sample(5999, 1), Sample(600, 2), true, true},
      {"coarser sample below it", Sample(5999, 1), Sample(598, 2), true, false},
      {"finer sample truncated to the stored range", Sample(600, 2), Sample(6009, 1), true, true},
      {"finer sample below after truncation", Sample(601, 2), Sample(6009, 1), true, false},
      {"equal counts: the later replaces", Sample(1234, 3, 1.0), Sample(1234, 3, 2.0), true, true},
      {"minimum, coarser sample", Sample(5999, 1), Sample(599, 2), false, true},
      {"minimum, coarser sample above", Sample(5999, 1), Sample(600, 2), false, false},
      {"negative counts truncate toward zero", Sample(-5999, 1), Sample(-599, 2), false, true},
  };
  for (const Case& c : cases) {
    Extreme extreme{c.stored, false};
    const bool replaced = c.max ? UpdateMax(extreme, c.sample, false, 8) : UpdateMin(extreme, c.sample, false, 8);
    EXPECT_EQ(replaced, c.replaced) << c.what;
    EXPECT_EQ(extreme.value, replaced ? c.sample : c.stored) << c.what;
  }
}

TEST(Extremes, Rv736xResistanceSkipsADecadeAboveRangeSix) {
  // RES (row 9): 6 MOhm (range 6, 60000 counts) against 60 MOhm (range 7,
  // 6000 counts): two decades apart.
  Extreme extreme{Sample(59999, 6, 1.0, 9), false};
  EXPECT_FALSE(UpdateMax(extreme, Sample(598, 7, 2.0, 9), false, 8));
  EXPECT_TRUE(UpdateMax(extreme, Sample(599, 7, 2.0, 9), false, 8));
  // The same rows of another family are a decade apart.
  Extreme other{Sample(59999, 6, 1.0, 9), false};
  EXPECT_FALSE(UpdateMax(other, Sample(599, 7, 2.0, 9), false, 6));
}

TEST(RecordStore, AppendRemoveAndStatisticsReset) {
  RecordStore store;
  _RECORD_DATA record;
  for (int i = 0; i < 5; ++i) {
    record.mainCount = i;
    store.Append(record);
  }
  EXPECT_EQ(store.recordCount(), 5);
  EXPECT_EQ(store.At(4).mainCount, 4);
  store.RemoveLast();
  EXPECT_EQ(store.Size(), 4u);
  EXPECT_THROW(store.At(4), std::out_of_range);
  store.RemoveAll();
  EXPECT_EQ(store.recordCount(), 0);
  store.RemoveLast();  // nothing to remove: no harm

  UpdateMax(store.listMaxMain, Sample(10, 1), false, 8);
  EXPECT_FALSE(store.listMaxMain.first);
  store.ResetStatistics();
  EXPECT_TRUE(store.listMaxMain.first);
  EXPECT_TRUE(store.graphMinSub.first);
}

}  // namespace

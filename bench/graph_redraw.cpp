// Redrawing the graph of a full-size run (1048576 records, 1 s apart) into
// a 440 x 250 area, as after every interval record of a long run
// (goal: under 50 ms a redraw).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "base/models.h"
#include "catalogue/catalogue.h"
#include "recording/graph.h"
#include "recording/record_store.h"
#include "recording/tests/bitmap_canvas.h"

namespace {

constexpr int kRecords = 1048576;
constexpr int kModel = kRv7361;
constexpr int kWidth = 440, kHeight = 250;

// A drifting DC voltage with noise on the 6 V range, a frequency on the sub
// display, an over now and then, and a few blank readings.
void FillRun(RecordStore& store, Graph& graph) {
  const int dcv = FindFunction(Family::RV736X, "DCV").value_or(0);
  std::mt19937 random(7361);
  std::normal_distribution<double> noise(0.0, 40.0);
  std::uniform_int_distribution<int> perMille(0, 999);
  double level = 30000;
  for (int i = 0; i < kRecords; ++i) {
    level = std::clamp(level + noise(random) * 0.2, 1000.0, 59000.0);
    _RECORD_DATA record;
    record.mainFunction = dcv;
    record.mainRange = 3;
    record.mainCount = static_cast<std::int32_t>(level + noise(random));
    const int roll = perMille(random);
    if (roll == 0) record.mainCount = 1000000;
    if (roll == 1) record.mainCount = -1000000;
    if (roll == 2 || roll == 3) record.mainCount = 2000000;
    record.subFunction = -1;
    record.subRange = 2;
    record.subCount = 5000 + static_cast<std::int32_t>(noise(random));
    record.hasSub = 1;
    record.timeDate = 45000.0 + i / 86400.0;
    store.Append(record);
  }
  graph.Reset(kModel);
  graph.Prime(store.At(0), 1, true);
  for (GraphChannel* channel : {&graph.mainChannel, &graph.subChannel}) {
    channel->dirty = 1;
    channel->maxRange = channel->minRange = channel == &graph.mainChannel ? 3 : 2;
  }
  graph.mainChannel.maxCount = 59500;
  graph.mainChannel.minCount = 500;
  graph.subChannel.maxCount = 5200;
  graph.subChannel.minCount = 4800;
  graph.subShown = 1;
  // The time axis as the run left it.
  graph.timeSpan = 10;
  while (graph.timeSpan <= kRecords - 1) graph.timeSpan = GrownTimeSpan(graph.timeSpan, graph.timeSpan);
}

void GraphRedraw(benchmark::State& state) {
  static RecordStore store;
  static Graph graph;
  if (store.Size() == 0) FillRun(store, graph);
  graph.tabIndex = static_cast<int>(state.range(0));
  BitmapCanvas canvas(kWidth, kHeight);
  for (auto _ : state) {
    graph.Draw(canvas, {0, 0, kWidth, kHeight}, store, kModel);
    benchmark::ClobberMemory();
  }
  state.counters["lines"] = benchmark::Counter(static_cast<double>(canvas.lineCount) / state.iterations());
}

}  // namespace

// 0: the main reading; 2: main and sub, two plots.
BENCHMARK(GraphRedraw)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// Rebuilding a page of 1000 rows of the record list from a full-size store
// (1,048,576 records): rendering the records, handing the rows to the
// list's model and painting the list once.  Goal: feels instant (well
// under 100 ms).
#include <QApplication>

#include <benchmark/benchmark.h>

#include "live/headless_window.h"
#include "shell/qt/record_pages.h"

namespace {

void RebuildPage(benchmark::State& state) {
  RecordStore store;
  _RECORD_DATA record;
  record.mainFunction = 4;
  record.mainRange = 3;
  record.hasSub = 1;
  record.subFunction = -1;
  record.subRange = 2;
  for (int i = 0; i < 1048576; ++i) {
    record.mainCount = i % 60000 - 30000;
    record.subCount = i % 5000;
    record.timeDate = 46366.5 + i / 86400.0;
    store.Append(record);
  }
  Settings settings;
  HeadlessWindow messages;
  CPpgRecord page(nullptr);
  page.resize(400, 300);
  page.show();
  RecordListPage list(page.PageControls(), page.Rows(), messages, store, settings);
  list.paging = {1, 1049, 576};
  int p = 1;
  for (auto _ : state) {
    p = p * 7 % 1048 + 1;
    if (!list.ShowPage(p) || page.Rows().Count() != 1000) state.SkipWithError("the page was not rebuilt");
    page.repaint();
  }
}

BENCHMARK(RebuildPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}

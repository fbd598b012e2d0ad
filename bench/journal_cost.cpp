// The recording journal's cost.  Goals: at the fast interval (10 records a
// second) the journal takes below 0.2 % of a core, i.e. under 200 µs of
// processor time per second of recording, measured here on a store of a
// full run (1,048,576 records) so that nothing scales with the run's
// length; a 1,048,576-record journal is recovered in under 1 s.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>

#include "recording/file/journal.h"

namespace {

constexpr int kRecords = 1048576;
constexpr int kFastRecordsPerSecond = 10;

std::filesystem::path Folder() {
  static const auto folder = [] {
    auto path = std::filesystem::temp_directory_path() / ("rv7300s-bench-journal-" + std::to_string(getpid()));
    return path;
  }();
  std::filesystem::create_directories(folder);
  return folder;
}

MeterIdentity Meter() { return {201, 19200, 8, "23120815", "1.04"}; }

_RECORD_DATA Record(int i) {
  _RECORD_DATA record;
  record.mainFunction = 4;
  record.mainRange = 3;
  record.mainCount = static_cast<std::int32_t>(static_cast<std::int64_t>(i) * 7919 % 60000) - 30000;
  record.timeDate = 46366.5 + i / 86400.0;
  return record;
}

double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One second of the fast interval: ten records reported, one block
// written and synced; processor time of the whole process, the journal's
// writer thread included.
void BM_OneSecondOfFastRecording(benchmark::State& state) {
  Settings settings;
  RecordStore store;
  Graph graph;
  for (int i = 0; i < kRecords; ++i) store.Append(Record(i));
  const auto file = Folder() / "fast.journal";
  std::filesystem::remove(file);
  RecordingJournal journal(file, {settings, store, graph}, Meter);
  journal.Changed();
  journal.Flush();  // the first block holds the whole store, once
  int next = kRecords;
  double share = 0;
  for (auto _ : state) {
    const double before = ProcessSeconds();
    for (int i = 0; i < kFastRecordsPerSecond; ++i) {
      store.Append(Record(next++));
      journal.Changed();
    }
    journal.Flush();
    const double spent = ProcessSeconds() - before;
    state.SetIterationTime(spent);
    share += 100.0 * spent;  // of the one second these records take
  }
  state.counters["percent_of_a_core"] = benchmark::Counter(share, benchmark::Counter::kAvgIterations);
  journal.Discard();
}
BENCHMARK(BM_OneSecondOfFastRecording)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_RecoverAFullJournal(benchmark::State& state) {
  const auto file = Folder() / "full.journal";
  {
    Settings settings;
    RecordStore store;
    Graph graph;
    std::filesystem::remove(file);
    RecordingJournal journal(file, {settings, store, graph}, Meter);
    for (int i = 0; i < kRecords; ++i) store.Append(Record(i));
    journal.Changed();
    journal.Flush();
  }  // left as a crash leaves it
  for (auto _ : state) {
    const RecoveredJournal recovered = ReadJournal(file);
    benchmark::DoNotOptimize(recovered.recording.store.Size());
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_RecoverAFullJournal)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

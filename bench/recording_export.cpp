// CSV export of a full recording (1,048,576 records) to a file, beside one
// plain write of as many bytes in the same run, so the two read against the
// same disk.  Goal: the export under 2 s.  Argument: 1 English (CP1252),
// 0 Japanese (CP932).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogue/catalogue.h"
#include "persistence/archive_file.h"
#include "recording/csv_export.h"

namespace {

constexpr int kRecords = 1048576;

const RecordStore& FullStore() {
  static const RecordStore store = [] {
    RecordStore s;
    s.maxMainFunction = 4;
    s.recordRangeText = u"6V";
    const CDateTime first = CDateTime::FromCalendar({2026, 1, 5, 9, 0, 0});
    s.firstRecordTime = first;
    for (int i = 0; i < kRecords; ++i) {
      _RECORD_DATA r;
      r.timeDate = first.date() + i / 86400.0;
      if (i % 2 == 0) {  // DC volts on the 6 V range
        r.mainFunction = 4;
        r.mainRange = 3;
        r.mainCount = 12000 + i % 5000;
      } else {  // AC volts with the frequency on the sub display
        r.mainFunction = 0;
        r.mainRange = 3;
        r.mainCount = 23000 - i % 3000;
        r.hasSub = 1;
        r.subFunction = -1;
        r.subRange = 1;
        r.subCount = 50000 + i % 17;
      }
      s.Append(r);
    }
    return s;
  }();
  return store;
}

const CsvIdentity kMeter{8, u"12345678", u"1.04"};

std::filesystem::path Target() {
  return std::filesystem::temp_directory_path() / ("rv7300s-bench-" + std::to_string(getpid()) + ".csv");
}

void UseLanguage(int language) {
  setenv("LC_ALL", language == 0 ? "ja_JP.UTF-8" : "C", 1);
  SetCatalogueLanguage(language);
}

double MaxRssMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

void ExportCsv(benchmark::State& state) {
  const RecordStore& store = FullStore();
  UseLanguage(static_cast<int>(state.range(0)));
  const Settings settings;
  const std::filesystem::path file = Target();
  const double rssBefore = MaxRssMiB();
  for (auto _ : state) ExportRecordingCsv(file, store, kMeter, settings);
  const auto bytes = std::filesystem::file_size(file);
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
  state.counters["file_MiB"] = static_cast<double>(bytes) / (1024 * 1024);
  // Growth of the peak resident size: the export itself should add little.
  state.counters["rss_growth_MiB"] = MaxRssMiB() - rssBefore;
  std::filesystem::remove(file);
}

void PlainWrite(benchmark::State& state) {
  UseLanguage(static_cast<int>(state.range(0)));
  std::size_t size = 0;
  WriteRecordingCsv(FullStore(), kMeter, Settings(), [&](std::string_view bytes) { size += bytes.size(); });
  const std::string bytes(size, 'x');
  const std::filesystem::path file = Target();
  for (auto _ : state) {
    // Synced like the export's file, so only the making of the text differs.
    CFile output(file, CFile::Mode::create);
    output.Write(bytes.data(), bytes.size());
    output.Flush();
    output.Close();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(size) * state.iterations());
  state.counters["file_MiB"] = static_cast<double>(size) / (1024 * 1024);
  std::filesystem::remove(file);
}

}  // namespace

BENCHMARK(ExportCsv)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PlainWrite)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();

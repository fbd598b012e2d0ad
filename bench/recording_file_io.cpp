// Saving and opening a full-size recording (1,048,576 records, 64 MiB),
// each beside one plain write and one plain read of the same number of
// bytes in the same run.  Goal: save and open within twice the plain time.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "recording/file/recording_file.h"

namespace {

constexpr int kRecords = 1048576;

std::filesystem::path Folder() {
  static const auto folder = [] {
    auto path = std::filesystem::temp_directory_path() / ("rv7300s-bench-file-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

Recording& FullRecording() {
  static Recording recording = [] {
    Recording r;
    _RECORD_DATA record;
    record.mainFunction = 4;
    record.mainRange = 3;
    for (int i = 0; i < kRecords; ++i) {
      record.mainCount = static_cast<std::int32_t>(static_cast<std::int64_t>(i) * 7919 % 60000) - 30000;
      record.timeDate = 46366.5 + i / 86400.0;
      r.store.Append(record);
    }
    r.store.runCount = kRecords;
    return r;
  }();
  return recording;
}

void Save(benchmark::State& state) {
  Recording& r = FullRecording();
  const auto file = Folder() / "full.vdmm";
  for (auto _ : state) WriteRecordingFile(file, {r.settings, r.store, r.graph}, 8);
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(file));
}

void Open(benchmark::State& state) {
  Recording& r = FullRecording();
  const auto file = Folder() / "full.vdmm";
  WriteRecordingFile(file, {r.settings, r.store, r.graph}, 8);
  for (auto _ : state) {
    Recording read;
    if (ReadRecordingFile(file, read) != RecordingCheck::ok || read.store.Size() != kRecords) {
      state.SkipWithError("the file did not read back");
    }
    benchmark::DoNotOptimize(read);
  }
}

// The same number of bytes in one write, synced and renamed like a save.
void PlainWrite(benchmark::State& state) {
  const std::vector<char> bytes(kRecords * 64, 'x');
  const auto file = Folder() / "plain.bin";
  for (auto _ : state) {
    FILE* out = std::fopen((file.string() + ".new").c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fflush(out);
    fsync(fileno(out));
    std::fclose(out);
    std::filesystem::rename(file.string() + ".new", file);
  }
}

// The same number of bytes in one read, into fresh memory as an open reads.
void PlainRead(benchmark::State& state) {
  const auto file = Folder() / "plain.bin";
  {
    const std::vector<char> bytes(kRecords * 64, 'x');
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  for (auto _ : state) {
    std::vector<char> bytes(kRecords * 64);
    FILE* in = std::fopen(file.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), in));
    std::fclose(in);
  }
}

BENCHMARK(PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(Save)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(Open)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::filesystem::remove_all(Folder());
  return 0;
}

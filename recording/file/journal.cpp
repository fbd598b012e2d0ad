#include "recording/file/journal.h"

#include <chrono>
#include <cstring>

#include "base/crc32.h"
#include "base/utf16.h"
#include "persistence/archive_exception.h"
#include "persistence/archive_file.h"
#include "persistence/regular_file.h"
#include "recording/time_texts.h"

namespace {

constexpr auto kSyncPeriod = std::chrono::seconds(1);
constexpr std::size_t kRecordSize = sizeof(_RECORD_DATA);
// A block: its payload's length, the payload, the payload's CRC-32.  The
// payload: records dropped, records that follow, the records, the state's
// length, the state.
constexpr std::size_t kFrameBytes = 8;
constexpr std::size_t kPayloadHead = 8;

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t GetU32(const std::uint8_t* in) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= std::uint32_t{in[i]} << (8 * i);
  return value;
}

std::vector<std::uint8_t> Frame(const std::vector<std::uint8_t>& payload) {
  std::vector<std::uint8_t> frame;
  frame.reserve(payload.size() + kFrameBytes);
  PutU32(frame, static_cast<std::uint32_t>(payload.size()));
  frame.insert(frame.end(), payload.begin(), payload.end());
  PutU32(frame, Crc32(payload.data(), payload.size()));
  return frame;
}

}  // namespace

RecordingJournal::RecordingJournal(std::filesystem::path file, RecordingParts recording,
                                   std::function<MeterIdentity()> meter)
    : file_(std::move(file)), recording_(recording), meter_(std::move(meter)) {}

RecordingJournal::~RecordingJournal() { Close(); }

bool RecordingJournal::Failed() const {
  std::lock_guard lock(mutex_);
  return failed_;
}

void RecordingJournal::Open() {
  std::unique_ptr<JournalFile> out = JournalFile::Create(file_);
  std::lock_guard lock(mutex_);
  if (!out || !out->Append(kJournalMagic, sizeof kJournalMagic)) {
    failed_ = true;
    return;
  }
  out_ = std::move(out);
  journaled_ = 0;
  pending_ = {};
  stop_ = false;
  writer_ = std::thread(&RecordingJournal::Run, this);
}

void RecordingJournal::Changed() {
  if (!out_ && !Failed()) Open();
  if (!out_) return;
  const RecordStore& store = recording_.store;
  std::vector<std::uint8_t> state = StateImage();
  std::lock_guard lock(mutex_);
  if (store.Size() < journaled_) {
    std::size_t removed = journaled_ - store.Size();
    // Records not yet written are simply taken back.
    const std::size_t unwritten = std::min(removed, pending_.records.size());
    pending_.records.resize(pending_.records.size() - unwritten);
    pending_.dropped += static_cast<std::uint32_t>(removed - unwritten);
  }
  for (std::size_t i = journaled_; i < store.Size(); ++i) pending_.records.push_back(store.At(i));
  journaled_ = store.Size();
  pending_.state = std::move(state);
  dirty_ = true;
}

void RecordingJournal::AllSaved() { Discard(); }

void RecordingJournal::Discard() {
  const bool had = out_ != nullptr;
  Close();
  std::error_code ignored;
  if (had) std::filesystem::remove(file_, ignored);
  std::lock_guard lock(mutex_);
  failed_ = false;  // the next unsaved record tries again
}

void RecordingJournal::Flush() {
  std::lock_guard writing(writing_);  // blocks reach the file in the order they were taken
  Pending block;
  {
    std::lock_guard lock(mutex_);
    if (!out_ || !dirty_) return;
    block = std::exchange(pending_, {});
    dirty_ = false;
  }
  WriteBlock(std::move(block));
}

void RecordingJournal::Close() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  if (writer_.joinable()) writer_.join();
  Flush();
  std::lock_guard lock(mutex_);
  out_.reset();
  journaled_ = 0;
  pending_ = {};
  dirty_ = false;
}

// The writer: a block of what changed, written and synced once a second.
// The recording's thread only ever waits for the hand-over of a block.
void RecordingJournal::Run() {
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      if (wake_.wait_for(lock, kSyncPeriod, [&] { return stop_; })) return;
    }
    Flush();
  }
}

// With writing_ held: one block at a time, whole.
void RecordingJournal::WriteBlock(Pending block) {
  std::vector<std::uint8_t> payload;
  payload.reserve(kPayloadHead + block.records.size() * kRecordSize + 4 + block.state.size());
  PutU32(payload, block.dropped);
  PutU32(payload, static_cast<std::uint32_t>(block.records.size()));
  const auto* records = reinterpret_cast<const std::uint8_t*>(block.records.data());
  payload.insert(payload.end(), records, records + block.records.size() * kRecordSize);
  PutU32(payload, static_cast<std::uint32_t>(block.state.size()));
  payload.insert(payload.end(), block.state.begin(), block.state.end());
  const std::vector<std::uint8_t> frame = Frame(payload);
  const bool written = out_->Append(frame.data(), frame.size()) && out_->Sync();
  if (!written) {
    std::lock_guard lock(mutex_);
    failed_ = true;
  }
}

// The recording as a recording file without its records holds it.
std::vector<std::uint8_t> RecordingJournal::StateImage() {
  RecordStore& store = recording_.store;
  const MeterIdentity meter = meter_();
  store.recordFirmware = Utf8ToUtf16(meter.firmwareVersion);
  store.recordSerial = Utf8ToUtf16(meter.serialNumber);
  struct PutBack {
    RecordStore& store;
    std::vector<_RECORD_DATA> records;
    ~PutBack() { store.Assign(std::move(records)); }
  } putBack{store, store.Release()};
  MemoryFile image;
  CArchive archive(image, CArchive::Mode::store);
  SerializeRecording(archive, recording_, meter.modelIndex);
  archive.Close();
  return image.Bytes();
}

RecoveredJournal ReadJournal(const std::filesystem::path& file) {
  std::uint64_t length = 0;
  std::vector<std::uint8_t> bytes;
  {
    CFile in(file, CFile::Mode::read);
    length = in.Length();
    bytes.resize(static_cast<std::size_t>(length));
    if (length > 0 && in.Read(bytes.data(), bytes.size()) != bytes.size()) {
      throw CArchiveException(CArchiveException::Cause::endOfFile, file);
    }
  }
  if (bytes.size() < sizeof kJournalMagic || std::memcmp(bytes.data(), kJournalMagic, sizeof kJournalMagic) != 0) {
    throw CArchiveException(CArchiveException::Cause::generic, file);
  }

  RecoveredJournal recovered;
  std::vector<_RECORD_DATA> records;
  const std::uint8_t* state = nullptr;
  std::size_t stateSize = 0;
  std::size_t at = sizeof kJournalMagic;
  // Whole blocks, in order, up to the first that is torn or damaged.
  for (;;) {
    if (bytes.size() - at < kFrameBytes) break;
    const std::size_t size = GetU32(&bytes[at]);
    if (size > bytes.size() - at - kFrameBytes || size < kPayloadHead + 4) break;
    const std::uint8_t* payload = &bytes[at + 4];
    if (Crc32(payload, size) != GetU32(payload + size)) break;
    const std::uint32_t dropped = GetU32(payload);
    const std::uint64_t count = GetU32(payload + 4);
    if (count > (size - kPayloadHead - 4) / kRecordSize) break;
    const std::uint8_t* stateAt = payload + kPayloadHead + count * kRecordSize;
    const std::size_t ownState = GetU32(stateAt);
    if (ownState != size - kPayloadHead - count * kRecordSize - 4) break;
    records.resize(records.size() - std::min<std::size_t>(dropped, records.size()));
    const std::size_t first = records.size();
    records.resize(first + count);
    std::memcpy(records.data() + first, payload + kPayloadHead, count * kRecordSize);
    state = stateAt + 4;
    stateSize = ownState;
    at += size + kFrameBytes;
  }
  // What the damaged block and the ones after it held.
  for (std::size_t next = at; bytes.size() - next >= 8;) {
    const std::size_t size = GetU32(&bytes[next]);
    const std::size_t available = std::min(size, bytes.size() - next - 4);
    if (available >= kPayloadHead) {
      recovered.dropped += std::min<std::uint64_t>(GetU32(&bytes[next + 8]), (available - kPayloadHead) / kRecordSize);
    }
    if (size > bytes.size() - next - kFrameBytes) break;
    next += size + kFrameBytes;
  }
  if (!state) throw CArchiveException(CArchiveException::Cause::endOfFile, file);

  MemoryFile image(std::vector<std::uint8_t>(state, state + stateSize));
  CArchive archive(image, CArchive::Mode::load);
  Recording& recording = recovered.recording;
  if (SerializeRecording(archive, {recording.settings, recording.store, recording.graph}) != RecordingCheck::ok) {
    throw CArchiveException(CArchiveException::Cause::generic, file);
  }
  // A run that never stopped ends at its last record.
  RecordStore& store = recording.store;
  if (store.stopTimeText.empty() && !records.empty()) {
    store.stopTime = CDateTime(records.back().timeDate, static_cast<CDateTime::Status>(records.back().timeStatus));
    store.stopTimeText = RealTimeText(store.stopTime);
  }
  store.Assign(std::move(records));
  return recovered;
}

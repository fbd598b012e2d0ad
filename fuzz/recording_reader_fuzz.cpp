// libFuzzer target: any bytes as a recording file.  The reader must read
// them, refuse them by its checks, or raise the archive's error; nothing
// else may happen, and no declared count may make it allocate more than
// the file could hold.
#include <cstddef>
#include <cstdint>

#include "recording/file/recording_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryFile file(std::vector<std::uint8_t>(data, data + size));
  CArchive archive(file, CArchive::Mode::load);
  Recording recording;
  try {
    SerializeRecording(archive, {recording.settings, recording.store, recording.graph});
  } catch (const CArchiveException&) {
  }
  return 0;
}

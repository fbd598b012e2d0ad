// libFuzzer target: any bytes as a settings file.  The reader must either
// read them or raise the archive's error; nothing else may happen.
#include <cstddef>
#include <cstdint>

#include "persistence/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryFile file(std::vector<std::uint8_t>(data, data + size));
  CArchive archive(file, CArchive::Mode::load);
  Settings settings;
  try {
    SerializeSettings(archive, settings);
  } catch (const CArchiveException&) {
  }
  return 0;
}

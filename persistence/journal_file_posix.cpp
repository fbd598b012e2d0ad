#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "persistence/journal_file.h"

namespace {

constexpr mode_t kOwnerOnly = 0600;  // the readings are the user's

class PosixJournalFile : public JournalFile {
 public:
  explicit PosixJournalFile(int descriptor) : descriptor_(descriptor) {}
  ~PosixJournalFile() override { close(descriptor_); }

  bool Append(const void* data, std::size_t size) override {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
      const ssize_t written = write(descriptor_, bytes, size);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      bytes += written;
      size -= static_cast<std::size_t>(written);
    }
    return true;
  }
  bool Sync() override { return fdatasync(descriptor_) == 0; }

 private:
  int descriptor_;
};

}  // namespace

std::unique_ptr<JournalFile> JournalFile::Create(const std::filesystem::path& path) {
  const int descriptor =
      open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kOwnerOnly);
  if (descriptor < 0) return nullptr;
  if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    close(descriptor);
    return nullptr;
  }
  return std::make_unique<PosixJournalFile>(descriptor);
}

bool JournalFile::HeldByAnother(const std::filesystem::path& path) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool held = flock(descriptor, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  close(descriptor);
  return held;
}

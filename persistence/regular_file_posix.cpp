#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "persistence/file_exception.h"
#include "persistence/regular_file.h"

namespace {

[[noreturn]] void Refuse(const std::filesystem::path& path, mode_t mode) {
  using Cause = CFileException::Cause;
  throw CFileException(S_ISDIR(mode) ? Cause::isFolder : Cause::notRegularFile, path, 0);
}

}  // namespace

std::FILE* OpenRegularFile(const std::filesystem::path& path, std::uint64_t& length) {
  // Looked at before opening: opening a pipe waits for a writer, and
  // opening a device may do something (a serial port raises its lines).
  struct stat status;
  if (stat(path.c_str(), &status) != 0) throw CFileException::FromErrno(path);
  if (!S_ISREG(status.st_mode)) Refuse(path, status.st_mode);
  // It may have been swapped since: opened without waiting, and what was
  // opened is what counts.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw CFileException::FromErrno(path);
  // (O_NONBLOCK does not change how a regular file reads.)
  const bool statusRead = fstat(fd, &status) == 0;
  const int error = errno;
  if (!statusRead || !S_ISREG(status.st_mode)) {
    close(fd);
    if (!statusRead) throw CFileException::FromErrno(path, error);
    Refuse(path, status.st_mode);
  }
  std::FILE* file = fdopen(fd, "rb");
  if (!file) {
    const int error = errno;
    close(fd);
    throw CFileException::FromErrno(path, error);
  }
  length = static_cast<std::uint64_t>(status.st_size);
  return file;
}

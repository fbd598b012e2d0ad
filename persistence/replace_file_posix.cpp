#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <random>
#include <string>

#include "persistence/file_exception.h"
#include "persistence/replace_file.h"

namespace fs = std::filesystem;

namespace {

using Cause = CFileException::Cause;

constexpr int kMostLinks = 40;  // as many as the system follows in one path
constexpr int kNameTries = 100;
constexpr mode_t kNewFileMode = 0666;  // less the user's umask, as for any new file
constexpr mode_t kPermissionBits = 07777;

// The file a save replaces, and its state when it exists.
struct Destination {
  fs::path file;
  std::optional<struct stat> existing;
};

Destination DestinationOf(const fs::path& target) {
  fs::path file = target;
  for (int links = 0;; ++links) {
    struct stat status;
    if (lstat(file.c_str(), &status) != 0) {
      if (errno == ENOENT) return {file, std::nullopt};
      throw CFileException::FromErrno(target);
    }
    if (S_ISREG(status.st_mode)) return {file, status};
    if (!S_ISLNK(status.st_mode)) {
      throw CFileException(S_ISDIR(status.st_mode) ? Cause::isFolder : Cause::notRegularFile, target, 0);
    }
    if (status.st_uid != geteuid()) throw CFileException(Cause::othersLink, target, 0);
    if (links == kMostLinks) throw CFileException::FromErrno(target, ELOOP);
    std::error_code error;
    const fs::path named = fs::read_symlink(file, error);
    if (error) throw CFileException::FromErrno(target, error.value());
    file = file.parent_path() / named;  // a relative link counts from its own folder
  }
}

// "<folder>/.<name>.<six letters or digits>"
fs::path TemporaryName(const fs::path& file, std::mt19937& random) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string name = "." + file.filename().string() + ".";
  for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
  return file.parent_path() / name;
}

// Made in one step with its name: nothing put there in advance is
// followed or overwritten, and two programs saving at once never share one.
int CreateTemporary(const Destination& destination, const fs::path& target, fs::path& temporary) {
  std::random_device seed;
  std::mt19937 random(seed());
  // A replacement starts private and takes the replaced file's permissions
  // before anything is written; a new file gets those of any new file.
  const mode_t mode = destination.existing ? S_IRUSR | S_IWUSR : kNewFileMode;
  for (int i = 0; i < kNameTries; ++i) {
    temporary = TemporaryName(destination.file, random);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0) return fd;
    if (errno != EEXIST) throw CFileException::FromErrno(target);
  }
  throw CFileException::FromErrno(target, EEXIST);
}

// The replaced file's owner where the system lets us give it (else at
// least its group), and its permissions.
void KeepOwnerAndMode(int fd, const struct stat& existing) {
  if (fchown(fd, existing.st_uid, existing.st_gid) != 0) {
    [[maybe_unused]] const int ignored = fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
  }
  fchmod(fd, existing.st_mode & kPermissionBits);
}

// The rename is on the disk only once its folder is.
void SyncFolder(const fs::path& file, const fs::path& target) {
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw CFileException::FromErrno(target);
  const bool synced = fsync(fd) == 0 || errno == EINVAL;  // EINVAL: a file system without folder syncs
  const int error = errno;
  close(fd);
  if (!synced) throw CFileException::FromErrno(target, error);
}

}  // namespace

void ReplaceFile(const fs::path& target, const std::function<void(CFile& output)>& write) {
  const Destination destination = DestinationOf(target);
  fs::path temporary;
  const int fd = CreateTemporary(destination, target, temporary);
  try {
    if (destination.existing) KeepOwnerAndMode(fd, *destination.existing);
    std::FILE* stream = fdopen(fd, "wb");
    if (!stream) {
      const int error = errno;
      close(fd);
      throw CFileException::FromErrno(temporary, error);
    }
    CFile output(stream, temporary);
    write(output);
    output.Flush();
    output.Close();
    if (rename(temporary.c_str(), destination.file.c_str()) != 0) throw CFileException::FromErrno(temporary);
  } catch (const CFileException& error) {
    unlink(temporary.c_str());
    throw CFileException(error.cause(), target, error.systemError());  // the user knows the file by its own name
  } catch (...) {
    unlink(temporary.c_str());
    throw;
  }
  SyncFolder(destination.file, target);
}

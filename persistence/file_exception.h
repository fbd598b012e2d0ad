// Failures of a file itself: it cannot be opened, read or written.
#pragma once

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>

class CFileException : public std::runtime_error {
 public:
  // isFolder, notRegularFile: the path names something else than a file
  // that can be read or replaced; othersLink: a link of another user that
  // a save does not follow.
  enum class Cause { generic, fileNotFound, accessDenied, diskFull, hardIO, isFolder, notRegularFile, othersLink };

  // `systemError`: the errno value, or 0 where no system call failed.
  CFileException(Cause cause, std::filesystem::path path, int systemError);
  // From an errno value after a failed call on `path`.
  static CFileException FromErrno(const std::filesystem::path& path, int error = errno);

  Cause cause() const { return cause_; }
  const std::filesystem::path& path() const { return path_; }
  int systemError() const { return systemError_; }
  // The text shown to the user: 0 Japanese, 1 English.
  std::u16string Message(int language) const;

 private:
  Cause cause_;
  std::filesystem::path path_;
  int systemError_;
};

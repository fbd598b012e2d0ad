#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <iterator>
#include <random>
#include <string>

#include "persistence/file_exception.h"
#include "persistence/replace_file.h"

namespace fs = std::filesystem;

namespace {

using Cause = CFileException::Cause;

constexpr int kNameTries = 100;

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    default:
      return 0;
  }
}

CFileException LastError(const fs::path& target) { return CFileException::FromErrno(target, ErrnoOf(GetLastError())); }

// The file a save replaces: the target, or the file a link there names
// (links need a privilege on Windows, so any link is the user's own doing).
fs::path DestinationOf(const fs::path& target, bool& exists) {
  std::error_code error;
  fs::path file = target;
  // A target not there yet is no error (the status then reports "not found").
  if (fs::is_symlink(fs::symlink_status(target, error))) {
    file = fs::weakly_canonical(target, error);
    if (error) throw CFileException::FromErrno(target, ErrnoOf(static_cast<DWORD>(error.value())));
  }
  const fs::file_status status = fs::status(file, error);
  exists = status.type() != fs::file_type::not_found;
  if (exists && fs::is_directory(status)) throw CFileException(Cause::isFolder, target, 0);
  if (exists && !fs::is_regular_file(status)) throw CFileException(Cause::notRegularFile, target, 0);
  return file;
}

// "<folder>/<name>.<six letters or digits>.tmp"
fs::path TemporaryName(const fs::path& file, std::mt19937& random) {
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
  std::wstring name = file.filename().wstring() + L".";
  for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
  return file.parent_path() / (name + L".tmp");
}

// Made in one step with its name (CREATE_NEW): nothing put there in advance
// is overwritten, and two programs saving at once never share one.
std::FILE* CreateTemporary(const fs::path& file, const fs::path& target, fs::path& temporary) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int i = 0; i < kNameTries; ++i) {
    temporary = TemporaryName(file, random);
    const HANDLE handle =
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      throw LastError(target);
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd == -1) {
      CloseHandle(handle);
      DeleteFileW(temporary.c_str());
      throw CFileException(Cause::generic, target, 0);
    }
    std::FILE* stream = _fdopen(fd, "wb");
    if (!stream) {
      _close(fd);
      DeleteFileW(temporary.c_str());
      throw CFileException(Cause::generic, target, 0);
    }
    return stream;
  }
  throw CFileException(Cause::generic, target, 0);
}

}  // namespace

void ReplaceFile(const fs::path& target, const std::function<void(CFile& output)>& write) {
  bool exists = false;
  const fs::path file = DestinationOf(target, exists);
  fs::path temporary;
  std::FILE* stream = CreateTemporary(file, target, temporary);
  try {
    CFile output(stream, temporary);
    write(output);
    output.Flush();
    output.Close();
    // ReplaceFileW keeps the replaced file's attributes, security and owner.
    const bool moved =
        exists ? ReplaceFileW(file.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                              nullptr) != 0
               : MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!moved) throw LastError(target);
  } catch (const CFileException& error) {
    DeleteFileW(temporary.c_str());
    throw CFileException(error.cause(), target, error.systemError());  // the user knows the file by its own name
  } catch (...) {
    DeleteFileW(temporary.c_str());
    throw;
  }
}

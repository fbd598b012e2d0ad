#include <io.h>
#include <windows.h>

#include <cerrno>

#include "persistence/file_exception.h"
#include "persistence/regular_file.h"

std::FILE* OpenRegularFile(const std::filesystem::path& path, std::uint64_t& length) {
  using Cause = CFileException::Cause;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    throw CFileException(Cause::isFolder, path, 0);
  }
  std::FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) throw CFileException::FromErrno(path);
  // A device name (CON, NUL, a COM port) or a pipe opens like a file.
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  LARGE_INTEGER size{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
    std::fclose(file);
    throw CFileException(Cause::notRegularFile, path, 0);
  }
  length = static_cast<std::uint64_t>(size.QuadPart);
  return file;
}

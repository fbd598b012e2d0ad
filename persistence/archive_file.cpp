#include "persistence/archive_file.h"

#include <cerrno>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif
#include <cstring>

#include "persistence/file_exception.h"
#include "persistence/regular_file.h"

CFile::CFile(const std::filesystem::path& path, Mode mode) : path_(path) {
  if (mode == Mode::read) {
    file_ = OpenRegularFile(path, length_);
    return;
  }
#ifdef _WIN32
  file_ = _wfopen(path.c_str(), L"wb");
#else
  file_ = std::fopen(path.c_str(), "wb");
#endif
  if (!file_) throw CFileException::FromErrno(path);
}

CFile::CFile(std::FILE* file, std::filesystem::path path) : path_(std::move(path)), file_(file) {}

CFile::~CFile() {
  if (file_) std::fclose(file_);
}

std::size_t CFile::Read(void* data, std::size_t size) {
  if (!file_) throw CFileException(CFileException::Cause::generic, path_, EBADF);
  const std::size_t count = std::fread(data, 1, size, file_);
  if (count < size && std::ferror(file_)) throw CFileException::FromErrno(path_);
  position_ += count;
  return count;
}

void CFile::Write(const void* data, std::size_t size) {
  if (!file_) throw CFileException(CFileException::Cause::generic, path_, EBADF);
  if (std::fwrite(data, 1, size, file_) != size) throw CFileException::FromErrno(path_);
  position_ += size;
  length_ = std::max(length_, position_);
}

std::uint64_t CFile::Remaining() const { return length_ > position_ ? length_ - position_ : 0; }

std::uint64_t CFile::Length() const { return length_; }

void CFile::Flush() {
  if (!file_) return;
  if (std::fflush(file_) != 0) throw CFileException::FromErrno(path_);
    // Onto the disk, not only to the system: a file renamed over another
    // afterwards must not turn out empty after a power cut.
#ifdef _WIN32
  if (_commit(_fileno(file_)) != 0) throw CFileException::FromErrno(path_);
#else
  if (fsync(fileno(file_)) != 0) throw CFileException::FromErrno(path_);
#endif
}

void CFile::Close() {
  if (!file_) return;
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0) throw CFileException::FromErrno(path_);
}

std::size_t MemoryFile::Read(void* data, std::size_t size) {
  const std::size_t count = std::min(size, bytes_.size() - position_);
  if (count == 0) return 0;
  std::memcpy(data, bytes_.data() + position_, count);
  position_ += count;
  return count;
}

void MemoryFile::Write(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  bytes_.insert(bytes_.end(), bytes, bytes + size);
}

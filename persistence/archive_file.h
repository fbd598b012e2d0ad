// What an archive reads from and writes to: a binary file on disk, or bytes
// in memory (tests, fuzzing).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

class ArchiveFile {
 public:
  virtual ~ArchiveFile() = default;
  // Reads up to `size` bytes; fewer only at the end of the file.
  virtual std::size_t Read(void* data, std::size_t size) = 0;
  virtual void Write(const void* data, std::size_t size) = 0;
  // Bytes between the current position and the end.
  virtual std::uint64_t Remaining() const = 0;
  // The path shown in messages; empty for an unnamed file.
  virtual std::filesystem::path Path() const { return {}; }
};

// A binary file on disk.  Failures raise CFileException.
class CFile : public ArchiveFile {
 public:
  // read: a regular file only (see regular_file.h); create: create or
  // truncate, write.
  enum class Mode { read, create };
  CFile(const std::filesystem::path& path, Mode mode);
  // Takes over `file`, open for writing; `path` names it in messages.
  CFile(std::FILE* file, std::filesystem::path path);
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  std::size_t Read(void* data, std::size_t size) override;
  void Write(const void* data, std::size_t size) override;
  std::uint64_t Remaining() const override;
  std::filesystem::path Path() const override { return path_; }
  std::uint64_t Length() const;
  // Writes buffered data through to the disk (fsync); raises on failure.
  void Flush();
  void Close();

 private:
  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  std::uint64_t length_ = 0;
  std::uint64_t position_ = 0;
};

// Bytes in memory.
class MemoryFile : public ArchiveFile {
 public:
  MemoryFile() = default;
  explicit MemoryFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(void* data, std::size_t size) override;
  void Write(const void* data, std::size_t size) override;
  std::uint64_t Remaining() const override { return bytes_.size() - position_; }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

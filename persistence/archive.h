// The sequential binary encoding of both files: values one after another,
// little-endian, no names, tags or padding.  Writer and reader agree on the
// order; the file formats give it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "persistence/archive_exception.h"
#include "persistence/archive_file.h"
#include "persistence/date_time.h"

struct ArchiveRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const ArchiveRect&) const = default;
};

class CArchive {
 public:
  enum class Mode { store, load };
  static constexpr std::size_t kBufferSize = 4096;

  CArchive(ArchiveFile& file, Mode mode, std::size_t bufferSize = kBufferSize);
  // Closing is the owner's job (it may fail); a forgotten store is not
  // written from here, where a failure could not be reported.
  ~CArchive() = default;
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsStoring() const { return mode_ == Mode::store; }

  CArchive& operator<<(std::uint8_t value);
  CArchive& operator<<(std::uint16_t value);
  CArchive& operator<<(std::int32_t value);
  CArchive& operator<<(std::uint32_t value);
  CArchive& operator<<(std::uint64_t value);
  CArchive& operator<<(bool value);  // as a 32-bit 0 or 1
  CArchive& operator<<(double value);
  CArchive& operator<<(const ArchiveRect& value);
  CArchive& operator<<(const CDateTime& value);
  CArchive& operator<<(const std::u16string& value);  // always Unicode

  CArchive& operator>>(std::uint8_t& value);
  CArchive& operator>>(std::uint16_t& value);
  CArchive& operator>>(std::int32_t& value);
  CArchive& operator>>(std::uint32_t& value);
  CArchive& operator>>(std::uint64_t& value);
  CArchive& operator>>(bool& value);
  CArchive& operator>>(double& value);
  CArchive& operator>>(ArchiveRect& value);
  CArchive& operator>>(CDateTime& value);
  CArchive& operator>>(std::u16string& value);

  // Old files hold 1-byte texts in the code page of the system that wrote
  // them; the system's own is assumed unless the reader knows better.
  void SetAnsiCodePage(int codePage) { ansiCodePage_ = codePage; }

  // Raw bytes, as they are.
  void Write(const void* data, std::size_t size);
  // Exactly `size` bytes, or the end-of-file error.
  void Read(void* data, std::size_t size);

  // Writes out what is left in the buffer (storing).
  void Close();
  // Loading: the bytes not yet handed out, so that a declared count can be
  // checked against the file before making room for it.
  std::uint64_t BytesLeft() const;

 private:
  [[noreturn]] void Fail(CArchiveException::Cause cause) const;
  void CheckStoring() const;
  void CheckLoading() const;
  template <typename T>
  void Put(T value);
  template <typename T>
  T Take();
  std::u16string ReadUnicodeText(std::uint64_t length);
  std::u16string ReadAnsiText(std::uint64_t length);

  ArchiveFile& file_;
  Mode mode_;
  int ansiCodePage_;
  std::vector<std::uint8_t> buffer_;
  std::size_t begin_ = 0;  // loading: next byte to hand out
  std::size_t end_ = 0;    // loading: end of the bytes read; storing: bytes waiting
};

// One routine serves both directions of a file: `value` is stored or
// loaded as the archive goes.
template <typename T>
void Transfer(CArchive& archive, T& value) {
  if (archive.IsStoring()) {
    archive << value;
  } else {
    archive >> value;
  }
}

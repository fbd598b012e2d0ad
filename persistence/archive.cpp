#include "persistence/archive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "persistence/ansi_code_page.h"

static_assert(std::endian::native == std::endian::little, "the files are little-endian; add byte swapping");
static_assert(sizeof(double) == 8);

CArchive::CArchive(ArchiveFile& file, Mode mode, std::size_t bufferSize)
    : file_(file), mode_(mode), ansiCodePage_(AnsiCodePage()), buffer_(std::max<std::size_t>(bufferSize, 16)) {}

void CArchive::Fail(CArchiveException::Cause cause) const { throw CArchiveException(cause, file_.Path()); }

void CArchive::CheckStoring() const {
  if (!IsStoring()) Fail(CArchiveException::Cause::readOnly);
}

void CArchive::CheckLoading() const {
  if (IsStoring()) Fail(CArchiveException::Cause::writeOnly);
}

std::uint64_t CArchive::BytesLeft() const { return (end_ - begin_) + file_.Remaining(); }

void CArchive::Write(const void* data, std::size_t size) {
  CheckStoring();
  if (end_ + size > buffer_.size()) {
    file_.Write(buffer_.data(), end_);
    end_ = 0;
  }
  if (size >= buffer_.size()) {
    file_.Write(data, size);  // large blocks go straight through
    return;
  }
  std::memcpy(buffer_.data() + end_, data, size);
  end_ += size;
}

void CArchive::Read(void* data, std::size_t size) {
  CheckLoading();
  auto* out = static_cast<std::uint8_t*>(data);
  const std::size_t buffered = std::min(size, end_ - begin_);
  std::memcpy(out, buffer_.data() + begin_, buffered);
  begin_ += buffered;
  out += buffered;
  size -= buffered;
  if (size == 0) return;
  if (size >= buffer_.size()) {
    if (file_.Read(out, size) != size) Fail(CArchiveException::Cause::endOfFile);
    return;
  }
  begin_ = 0;
  end_ = file_.Read(buffer_.data(), buffer_.size());
  if (end_ < size) {
    begin_ = end_;
    Fail(CArchiveException::Cause::endOfFile);
  }
  std::memcpy(out, buffer_.data(), size);
  begin_ = size;
}

void CArchive::Close() {
  if (IsStoring() && end_ > 0) {
    file_.Write(buffer_.data(), end_);
    end_ = 0;
  }
}

template <typename T>
void CArchive::Put(T value) {
  Write(&value, sizeof value);
}

template <typename T>
T CArchive::Take() {
  T value;
  Read(&value, sizeof value);
  return value;
}

CArchive& CArchive::operator<<(std::uint8_t value) {
  Put(value);
  return *this;
}
CArchive& CArchive::operator<<(std::uint16_t value) {
  Put(value);
  return *this;
}
CArchive& CArchive::operator<<(std::int32_t value) {
  Put(value);
  return *this;
}
CArchive& CArchive::operator<<(std::uint32_t value) {
  Put(value);
  return *this;
}
CArchive& CArchive::operator<<(std::uint64_t value) {
  Put(value);
  return *this;
}
CArchive& CArchive::operator<<(bool value) {
  Put<std::int32_t>(value ? 1 : 0);
  return *this;
}
CArchive& CArchive::operator<<(double value) {
  Put(value);
  return *this;
}

CArchive& CArchive::operator<<(const ArchiveRect& value) {
  const std::int32_t sides[4] = {value.left, value.top, value.right, value.bottom};
  Write(sides, sizeof sides);
  return *this;
}

CArchive& CArchive::operator<<(const CDateTime& value) {
  return *this << static_cast<std::int32_t>(value.status()) << value.date();
}

CArchive& CArchive::operator>>(std::uint8_t& value) {
  value = Take<std::uint8_t>();
  return *this;
}
CArchive& CArchive::operator>>(std::uint16_t& value) {
  value = Take<std::uint16_t>();
  return *this;
}
CArchive& CArchive::operator>>(std::int32_t& value) {
  value = Take<std::int32_t>();
  return *this;
}
CArchive& CArchive::operator>>(std::uint32_t& value) {
  value = Take<std::uint32_t>();
  return *this;
}
CArchive& CArchive::operator>>(std::uint64_t& value) {
  value = Take<std::uint64_t>();
  return *this;
}
CArchive& CArchive::operator>>(bool& value) {
  value = Take<std::int32_t>() != 0;
  return *this;
}
CArchive& CArchive::operator>>(double& value) {
  value = Take<double>();
  return *this;
}

CArchive& CArchive::operator>>(ArchiveRect& value) {
  std::int32_t sides[4];
  Read(sides, sizeof sides);
  value = {sides[0], sides[1], sides[2], sides[3]};
  return *this;
}

CArchive& CArchive::operator>>(CDateTime& value) {
  const auto status = Take<std::int32_t>();
  const auto date = Take<double>();
  value = CDateTime(date, static_cast<CDateTime::Status>(status));
  return *this;
}

// Text: the Unicode marker FF FE FF, a length in code units in the shortest
// form that cannot be mistaken for a marker, then UTF-16LE.
CArchive& CArchive::operator<<(const std::u16string& value) {
  const std::uint64_t length = value.size();
  *this << std::uint8_t{0xFF} << std::uint16_t{0xFFFE};
  if (length < 0xFF) {
    *this << static_cast<std::uint8_t>(length);
  } else {
    *this << std::uint8_t{0xFF};
    if (length < 0xFFFE) {
      *this << static_cast<std::uint16_t>(length);
    } else {
      *this << std::uint16_t{0xFFFF};
      if (length < 0xFFFFFFFF) {
        *this << static_cast<std::uint32_t>(length);
      } else {
        *this << std::uint32_t{0xFFFFFFFF} << length;
      }
    }
  }
  Write(value.data(), value.size() * sizeof(char16_t));
  return *this;
}

CArchive& CArchive::operator>>(std::u16string& value) {
  CheckLoading();
  std::size_t unitSize = 1;
  std::uint64_t length = Take<std::uint8_t>();
  if (length == 0xFF) {
    std::uint16_t word = Take<std::uint16_t>();
    if (word == 0xFFFE) {  // the Unicode marker, recognised once
      unitSize = 2;
      length = Take<std::uint8_t>();
      if (length == 0xFF) word = Take<std::uint16_t>();
    }
    if (length == 0xFF) {
      length = word;
      if (word == 0xFFFF) {
        length = Take<std::uint32_t>();
        if (length == 0xFFFFFFFF) {
          length = Take<std::uint64_t>();
          if (length > 0x7FFFFFFF) Fail(CArchiveException::Cause::generic);
        }
      }
    }
  }
  // Refuse a length the file cannot hold before making room for it.
  if (length * unitSize > BytesLeft()) {
    begin_ = end_;
    Fail(CArchiveException::Cause::endOfFile);
  }
  // The room is the text's own and no more; where even that is not there,
  // the file is refused like any other it cannot be read from.
  try {
    value = unitSize == 2 ? ReadUnicodeText(length) : ReadAnsiText(length);
  } catch (const std::bad_alloc&) {
    Fail(CArchiveException::Cause::noMemory);
  }
  return *this;
}

std::u16string CArchive::ReadUnicodeText(std::uint64_t length) {
  std::u16string text(static_cast<std::size_t>(length), u'\0');
  Read(text.data(), text.size() * 2);
  return text;
}

// Converted a buffer at a time straight into the UTF-16 text: a byte never
// gives more than one code unit, so the room made at first is enough.
std::u16string CArchive::ReadAnsiText(std::uint64_t length) {
  std::u16string text;
  text.reserve(static_cast<std::size_t>(length));
  AnsiDecoder decoder(ansiCodePage_);
  char piece[kBufferSize];
  while (length > 0) {
    const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(length, sizeof piece));
    Read(piece, size);
    length -= size;
    decoder.Decode(std::string_view(piece, size), length == 0, text);
  }
  return text;
}

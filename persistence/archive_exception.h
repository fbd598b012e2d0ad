// Failures of the archive's encoding: the file does not hold what the
// reader expects, or an archive is used against its direction.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

class CArchiveException : public std::runtime_error {
 public:
  // noMemory: a value the file declares does not fit in the memory there
  // is; the file may be hostile or the machine short of memory.
  enum class Cause { generic = 1, readOnly = 2, endOfFile = 3, writeOnly = 4, noMemory = 5 };

  CArchiveException(Cause cause, std::filesystem::path path);

  Cause cause() const { return cause_; }
  const std::filesystem::path& path() const { return path_; }
  // The text shown to the user: 0 Japanese, 1 English.
  std::u16string Message(int language) const;

 private:
  Cause cause_;
  std::filesystem::path path_;
};

// A path as shown in messages: the file's own name for it, or "an unnamed file".
std::u16string PathForMessage(const std::filesystem::path& path, int language);
// `text` with its "%1" replaced by the path as shown in messages.
std::u16string FormatWithPath(const char16_t* text, const std::filesystem::path& path, int language);

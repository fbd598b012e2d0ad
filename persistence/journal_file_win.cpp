#include <windows.h>

#include "persistence/journal_file.h"

namespace {

class WinJournalFile : public JournalFile {
 public:
  explicit WinJournalFile(HANDLE handle) : handle_(handle) {}
  ~WinJournalFile() override { CloseHandle(handle_); }

  bool Append(const void* data, std::size_t size) override {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
      const DWORD chunk = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
      DWORD written = 0;
      if (!WriteFile(handle_, bytes, chunk, &written, nullptr) || written == 0) return false;
      bytes += written;
      size -= written;
    }
    return true;
  }
  bool Sync() override { return FlushFileBuffers(handle_) != 0; }

 private:
  HANDLE handle_;
};

}  // namespace

// No sharing for writing or deleting while the program holds it: the
// handle is the lock.
std::unique_ptr<JournalFile> JournalFile::Create(const std::filesystem::path& path) {
  const HANDLE handle = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<WinJournalFile>(handle);
}

// Refusing to share writing fails while a writer has the file open.
bool JournalFile::HeldByAnother(const std::filesystem::path& path) {
  const HANDLE handle =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
  CloseHandle(handle);
  return false;
}

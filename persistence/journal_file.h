// The file a journal grows in: made anew (never over another file, never
// through a link), held locked by the one program that writes it, written
// only at its end, and synced to the disk on demand.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>

class JournalFile {
 public:
  virtual ~JournalFile() = default;
  // Appends all of `size` bytes; false on failure (a full disk).
  virtual bool Append(const void* data, std::size_t size) = 0;
  // Writes what was appended through to the disk.
  virtual bool Sync() = 0;

  // A new file at `path`; null when it exists, cannot be made or is not
  // ours to lock.
  static std::unique_ptr<JournalFile> Create(const std::filesystem::path& path);
  // True while another program holds the journal at `path`: it is that
  // program's, not one left behind.
  static bool HeldByAnother(const std::filesystem::path& path);
};

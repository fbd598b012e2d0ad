// Opening a file to read it.  Only a regular file (or a link to one) is
// opened: a folder, a pipe or a device given as a file is refused at once
// with a message that says what it is, never waited on.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

// Opens `path` for reading and sets `length` to its length; raises
// CFileException.
std::FILE* OpenRegularFile(const std::filesystem::path& path, std::uint64_t& length);

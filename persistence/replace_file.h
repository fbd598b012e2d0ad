// Writing a file so that a failure never destroys what was there: the new
// contents go to a temporary file beside the target, synced, then renamed
// over it.  On any failure the temporary file is removed and the error
// (a CFileException, or what `write` threw) passes on.
#pragma once

#include <filesystem>
#include <functional>

#include "persistence/archive_file.h"

void ReplaceFile(const std::filesystem::path& file, const std::function<void(CFile& output)>& write);

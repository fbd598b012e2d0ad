// Writing a file so that a failure never destroys what was there: the new
// contents go to a temporary file of a name no one else uses, made in the
// target's folder, synced, then renamed over the target, and the folder is
// synced.  On any failure the temporary file is removed and the error (a
// CFileException naming the target, or what `write` threw) passes on.
//
// The target must be a regular file or not exist; a folder, a device or a
// pipe is refused.  A replaced file keeps its permissions and, where the
// system allows, its owner.  A link at the target is written through: the
// file it names is replaced and the link stays, so that a file kept
// elsewhere behind a link goes on being used.  Only the user's own links are
// followed; another user's link in a shared folder could point anywhere.
#pragma once

#include <filesystem>
#include <functional>

#include "persistence/archive_file.h"

// <windows.h> makes ReplaceFile a macro for its own ReplaceFileA/W; ours
// keeps its name, and the system's is called by its full name.
#ifdef ReplaceFile
#undef ReplaceFile
#endif

void ReplaceFile(const std::filesystem::path& file, const std::function<void(CFile& output)>& write);

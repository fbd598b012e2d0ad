#include "persistence/file_exception.h"

#include <cerrno>
#include <cstring>

#include "link/utf16.h"
#include "persistence/localized_text.h"
#include "persistence/archive_exception.h"

namespace {

CFileException::Cause CauseOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return CFileException::Cause::fileNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return CFileException::Cause::accessDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return CFileException::Cause::diskFull;
    case EIO: return CFileException::Cause::hardIO;
    default: return CFileException::Cause::generic;
  }
}

// Indexed by cause.
constexpr LocalizedText kTexts[] = {
    {u"%1 へのアクセス中にエラーが発生しました。", u"An error occurred while accessing %1."},
    {u"%1 が見つかりません。", u"%1 was not found."},
    {u"%1 へのアクセスが拒否されました。", u"Access to %1 was denied."},
    {u"%1 を書き込む空き領域がディスクにありません。", u"There is no space left on the disk to write %1."},
    {u"%1 の読み書き中にハードウェアのエラーが発生しました。", u"A hardware I/O error occurred while accessing %1."},
};

}  // namespace

CFileException::CFileException(Cause cause, std::filesystem::path path, int systemError)
    : std::runtime_error(path.string() + ": " + std::strerror(systemError)),
      cause_(cause),
      path_(std::move(path)),
      systemError_(systemError) {}

CFileException CFileException::FromErrno(const std::filesystem::path& path) {
  const int error = errno;
  return CFileException(CauseOf(error), path, error);
}

std::u16string CFileException::Message(int language) const {
  return FormatWithPath(kTexts[static_cast<int>(cause_)].In(language), path_, language);
}

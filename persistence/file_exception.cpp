#include "persistence/file_exception.h"

#include <cstring>

#include "base/utf16.h"
#include "persistence/archive_exception.h"
#include "persistence/localized_text.h"
#include "text/added_texts.h"

namespace {

CFileException::Cause CauseOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return CFileException::Cause::fileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return CFileException::Cause::accessDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return CFileException::Cause::diskFull;
    case EIO:
      return CFileException::Cause::hardIO;
    case EISDIR:
      return CFileException::Cause::isFolder;
    // A pipe without a reader, a device without its driver.
    case ENXIO:
    case ENODEV:
      return CFileException::Cause::notRegularFile;
    default:
      return CFileException::Cause::generic;
  }
}

// Indexed by cause, up to hardIO; the later ones are added texts.
constexpr LocalizedText kTexts[] = {
    {u"%1 へのアクセス中にエラーが発生しました。", u"An error occurred while accessing %1."},
    {u"%1 が見つかりません。", u"%1 was not found."},
    {u"%1 へのアクセスが拒否されました。", u"Access to %1 was denied."},
    {u"%1 を書き込む空き領域がディスクにありません。", u"There is no space left on the disk to write %1."},
    {u"%1 の読み書き中にハードウェアのエラーが発生しました。", u"A hardware I/O error occurred while accessing %1."},
};

std::u16string TextOf(CFileException::Cause cause, int language) {
  using Cause = CFileException::Cause;
  switch (cause) {
    case Cause::isFolder:
      return std::u16string(Word(AddedText::isFolder, language));
    case Cause::notRegularFile:
      return std::u16string(Word(AddedText::notRegularFile, language));
    case Cause::othersLink:
      return std::u16string(Word(AddedText::othersLink, language));
    default:
      return kTexts[static_cast<int>(cause)].In(language);
  }
}

std::string Description(CFileException::Cause cause, const std::filesystem::path& path, int systemError) {
  if (systemError != 0) return path.string() + ": " + std::strerror(systemError);
  return Utf16ToUtf8(FormatWithPath(TextOf(cause, 1).c_str(), path, 1));
}

}  // namespace

CFileException::CFileException(Cause cause, std::filesystem::path path, int systemError)
    : std::runtime_error(Description(cause, path, systemError)),
      cause_(cause),
      path_(std::move(path)),
      systemError_(systemError) {}

CFileException CFileException::FromErrno(const std::filesystem::path& path, int error) {
  return CFileException(CauseOf(error), path, error);
}

std::u16string CFileException::Message(int language) const {
  return FormatWithPath(TextOf(cause_, language).c_str(), path_, language);
}

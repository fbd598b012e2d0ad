#include "persistence/archive_exception.h"

#include "base/utf16.h"
#include "persistence/localized_text.h"
#include "text/added_texts.h"

namespace {

// Indexed by cause code, up to writeOnly; noMemory is an added text.
constexpr LocalizedText kTexts[] = {
    {u"", u""},
    {u"%1 へのアクセス中に不明なエラーが発生しました。", u"An unknown error occurred while accessing %1."},
    {u"%1 の読み取り中に書き込もうとしました。", u"Tried to write to %1 while reading it."},
    {u"%1 の末尾以降にアクセスしようとしました。", u"An attempt was made to access %1 past its end."},
    {u"%1 へ書き込み中に読み取ろうとしました。", u"Tried to read from %1 while writing it."},
};

std::u16string TextOf(CArchiveException::Cause cause, int language) {
  if (cause == CArchiveException::Cause::noMemory) return std::u16string(Word(AddedText::noMemoryToRead, language));
  return kTexts[static_cast<int>(cause)].In(language);
}

}  // namespace

std::u16string PathForMessage(const std::filesystem::path& path, int language) {
  if (path.empty()) return language == 0 ? u"無題のファイル" : u"an unnamed file";
  return Utf8ToUtf16(path.string());
}

std::u16string FormatWithPath(const char16_t* text, const std::filesystem::path& path, int language) {
  std::u16string message = text;
  message.replace(message.find(u"%1"), 2, PathForMessage(path, language));
  return message;
}

CArchiveException::CArchiveException(Cause cause, std::filesystem::path path)
    : std::runtime_error(Utf16ToUtf8(FormatWithPath(TextOf(cause, 1).c_str(), path, 1))),
      cause_(cause),
      path_(std::move(path)) {}

std::u16string CArchiveException::Message(int language) const {
  return FormatWithPath(TextOf(cause_, language).c_str(), path_, language);
}

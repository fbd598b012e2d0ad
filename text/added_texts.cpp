#include "text/added_texts.h"

#include <iterator>

#include "text/ui_text.h"

namespace {

// In the order of AddedText.
constexpr UiText kAdded[] = {
    {u"%1 はフォルダーです。ファイルを指定してください。", u"%1 is a folder, not a file."},
    {u"%1 は通常のファイルではありません（デバイスやパイプなど）。",
     u"%1 is not a regular file (it is a device, a pipe or the like)."},
    {u"%1 は他のユーザーのリンクのため、たどりません。", u"%1 is a link that belongs to another user; it is not followed."},
    {u"%1 を読み込むためのメモリが足りません。", u"There is not enough memory to read %1."},
    {u"次の文字列には CSV ファイルの文字コード (%1) にない文字があり、その文字は「?」で書かれました。\n\n%2",
     u"These texts hold characters that the code page of the CSV file (%1) lacks; those characters were "
     u"written as \"?\".\n\n%2"},
    {u"ほか", u"and others"},
};
static_assert(std::size(kAdded) == static_cast<std::size_t>(AddedText::csvUnwritableMore) + 1);

}  // namespace

std::u16string_view Word(AddedText text, int language) {
  const UiText& entry = kAdded[static_cast<std::size_t>(text)];
  return language == 0 ? entry.japanese : entry.english;
}

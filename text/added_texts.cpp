#include "text/added_texts.h"

#include <iterator>

#include "text/ui_text.h"

namespace {

// In the order of AddedText.
constexpr UiText kAdded[] = {
    {u"%1 はフォルダーです。ファイルを指定してください。", u"%1 is a folder, not a file."},
    {u"%1 は通常のファイルではありません（デバイスやパイプなど）。",
     u"%1 is not a regular file (it is a device, a pipe or the like)."},
    {u"%1 は他のユーザーのリンクのため、たどりません。",
     u"%1 is a link that belongs to another user; it is not followed."},
    {u"%1 を読み込むためのメモリが足りません。", u"There is not enough memory to read %1."},
    {u"次の文字列には CSV ファイルの文字コード (%1) にない文字があり、その文字は「?」で書かれました。\n\n%2",
     u"These texts hold characters that the code page of the CSV file (%1) lacks; those characters were "
     u"written as \"?\".\n\n%2"},
    {u"ほか", u"and others"},
    {u"前回は保存されていないレコードデータ %1 件を残して終了しました（最後のデータ：%2）。\n\n復元しますか？",
     u"The program ended last time with %1 records that were not saved (the last taken %2).\n\nRecover them?"},
    {u"レコードデータは次のファイルに残しました。後で rv7300s-cli recover で復元できます。\n\n%1",
     u"The records were kept in this file; rv7300s-cli recover can recover them later.\n\n%1"},
    {u"ファイルの破損のため、%1 件のレコードデータを復元できませんでした。",
     u"%1 records could not be recovered because the file is damaged."},
    {u"メーターのケーブルは接続されています (%1、COM%2) が、このユーザーには開く権限がありません。"
     u"プログラムの udev ルール (60-rv7300s.rules、パッケージに含まれます) をインストールしてケーブルを挿し直すか、"
     u"\"dialout\" グループに参加して (sudo adduser $USER dialout) ログインし直してください。",
     u"The meter's cable is plugged in (%1, COM%2), but this user may not open it. Install the program's udev "
     u"rule (60-rv7300s.rules, in the package) and plug the cable in again, or join the \"dialout\" group "
     u"(sudo adduser $USER dialout) and log in again."},
    {u"メーターのケーブルは接続されています (%1、COM%2) が、%3 が使用中です。"
     u"そのプログラムを終了してから、もう一度お試しください。",
     u"The meter's cable is plugged in (%1, COM%2), but %3 is using it. Close that program, then try again."},
    {u"メーターのケーブルは接続されています (%1、COM%2) が、他のプログラム (別の Quorvia のウィンドウ、rv7300s-cli、"
     u"端末プログラム、ModemManager など) が使用中です。そのプログラムを終了してから、もう一度お試しください。",
     u"The meter's cable is plugged in (%1, COM%2), but another program is using it (another Quorvia window, "
     u"rv7300s-cli, a terminal program or ModemManager). Close it, then try again."},
};
static_assert(std::size(kAdded) == static_cast<std::size_t>(AddedText::portBusy) + 1);

}  // namespace

std::u16string_view Word(AddedText text, int language) {
  const UiText& entry = kAdded[static_cast<std::size_t>(text)];
  return language == 0 ? entry.japanese : entry.english;
}

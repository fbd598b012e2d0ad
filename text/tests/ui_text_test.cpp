// The interface text table: its size, the entries whose exact characters are
// easy to lose (tabs, line feeds, trailing spaces, full-width signs, the
// backslash and quote of the file-name message), and what a bad number gives.
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "base/utf16.h"
#include "text/added_texts.h"
#include "text/ui_text.h"

namespace {

std::string Show(std::u16string_view text) { return Utf16ToUtf8(text); }

TEST(UiText, HasOneEntryPerNumber) {
  EXPECT_EQ(kUiTextCount, 189);
  EXPECT_EQ(UiTextEntry(0).english, u"File(&F)");
  EXPECT_EQ(UiTextEntry(188).english, u"Communication Error. Buffer over.");
}

// A name on the wrong entry shows the wrong text: the names at the edges of
// the groups, and those whose texts nearly repeat another's.
TEST(UiText, NamesPointAtTheirEntries) {
  struct Case {
    TextId text;
    std::u16string_view japanese;
    std::u16string_view english;
  };
  const Case cases[] = {
      {TextId::fileMenu, u"ファイル(&F)", u"File(&F)"},
      {TextId::mainLabel, u"メイン\uFF1A", u"Main\uFF1A"},
      {TextId::mainDisplay, u"メイン", u"Main"},
      {TextId::frequencyShort, u"周波数", u"Freq."},
      {TextId::frequency, u"周波数", u"Frequency"},
      {TextId::startTimeLabel, u"スタート", u"Start"},
      {TextId::startButton, u"開始", u"Start"},
      {TextId::takeInStart, u"取り込みスタート", u"Start"},
      {TextId::secondUnit, u"秒", u"s"},
      {TextId::secondSuffix, u"秒", u" sec"},
      {TextId::settingTitle, u"設定", u"Setting"},
      {TextId::csvSubInformation, u"サブ情報", u"Sub Information"},
      {TextId::saveDataQuestion, u"データを保存しますか\uFF1F", u"Save data?"},
      {TextId::bufferOver, u"通信エラー。バッファオーバー。", u"Communication Error. Buffer over."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Word(c.text, 0), c.japanese) << Show(c.english);
    EXPECT_EQ(Word(c.text, 1), c.english) << Show(c.english);
  }
}

// Full-width signs are spelled as code points so that an ASCII look-alike
// in the table cannot pass.
TEST(UiText, KeepsEveryCharacter) {
  struct Case {
    int n;
    std::u16string_view japanese;
    std::u16string_view english;
  };
  const Case cases[] = {
      {1, u"開く(&O)\tCtrl+O", u"Open(&O)\tCtrl+O"},
      {3, u"名前を付けて保存(&A)\tCtrl+Shift+S", u"Save As...(&A)\tCtrl+Shift+S"},
      {14, u"リアルタイムモニタ \uFF08測定値\uFF09", u"Real Time Monitor (Measured value)"},
      {15, u"メイン\uFF1A", u"Main\uFF1A"},
      {48, u"メイン\uFF06サブ", u"Main\uFF06Sub"},
      {88, u" 現在時刻", u"Real time clock"},
      {101, u". \uFF08ピリオド\uFF09", u". \uFF08Period\uFF09"},
      {114, u"分", u" min"},
      {119, u"Excel\n起動", u"Excel\nOpen"},
      {139, u"\u03A9", u"Ohm"},
      {140, u"\u2103", u"Celsius"},
      {142, u"しきい値 ", u"Threshold "},
      {159, u"通信エラー。\n\nUSBケーブルの接続  または\n本体の電源を確認してください。  ",
       u"Communication Error.\n\nCheck USB cable connection, \nor power supply of DMM.  "},
      {162, u"保存先フォルダー名を指定してください ", u"Designate a destination folder for saving.  "},
      {164, u"ファイル名には次の文字は使えません。 \n\n        \\ / : , ; * ? \" < > |",
       u"The following character(s) cannot be used in filename.  \n\n        \\ / : , ; * ? \" < > |"},
      {165, u"指定した保存ファイル名は既に存在します。  \n\n上書き保存してもいいですか\uFF1F",
       u"A file with the designated filename already exists.  \n\nOverwrite?"},
      {181,
       u"本体ソフトのバージョンが対応していません。\n\nこのプログラムは、Ver %s 以上が有効です。\n"
       u"Ver %s 以上にバージョンアップしてから実行してください。    ",
       u"Version of the DMM firmware is not compatible.\n\nThis program is valid for more than or equal to "
       u"Ver %s.\nPlease execute application after the upgrade."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UiTextEntry(c.n).japanese, c.japanese) << c.n << ": " << Show(UiTextEntry(c.n).japanese);
    EXPECT_EQ(UiTextEntry(c.n).english, c.english) << c.n << ": " << Show(UiTextEntry(c.n).english);
  }
  // The forbidden characters are shown one each: a single backslash and a
  // single quote, not their escaped spellings.
  for (std::u16string_view text : {UiTextEntry(164).japanese, UiTextEntry(164).english}) {
    const std::u16string_view tail = text.substr(text.find(u'\n'));
    EXPECT_EQ(tail, u"\n\n        \x5C / : , ; * ? \x22 < > |");
  }
}

TEST(UiText, NumberOutsideTheTableGivesEmptyText) {
  for (int n : {-1, -189, 189, 190, 1000, INT_MIN, INT_MAX}) {
    EXPECT_TRUE(UiTextEntry(n).japanese.empty()) << n;
    EXPECT_TRUE(UiTextEntry(n).english.empty()) << n;
    EXPECT_TRUE(Word(static_cast<TextId>(n), 0).empty()) << n;
    EXPECT_TRUE(Word(static_cast<TextId>(n), 1).empty()) << n;
  }
}

TEST(UiText, EveryEntryHasBothLanguagesAndWordPicksOne) {
  for (int n = 0; n < kUiTextCount; ++n) {
    const UiText& entry = UiTextEntry(n);
    EXPECT_FALSE(entry.japanese.empty()) << n;
    EXPECT_FALSE(entry.english.empty()) << n;
    EXPECT_EQ(Word(static_cast<TextId>(n), 0), entry.japanese) << n;
    for (int language : {1, 2, -1}) {
      EXPECT_EQ(Word(static_cast<TextId>(n), language), entry.english) << n << " " << language;
    }
  }
}

// Each added text in both languages, with the same placeholders in each.
TEST(UiText, AddedTextsHaveBothLanguagesAndTheSamePlaceholders) {
  for (int n = 0; n <= static_cast<int>(AddedText::csvUnwritableMore); ++n) {
    const auto text = static_cast<AddedText>(n);
    const std::u16string_view japanese = Word(text, 0), english = Word(text, 1);
    EXPECT_FALSE(japanese.empty()) << n;
    EXPECT_FALSE(english.empty()) << n;
    EXPECT_NE(japanese, english) << n;
    for (std::u16string_view placeholder : {u"%1", u"%2"}) {
      EXPECT_EQ(japanese.find(placeholder) == japanese.npos, english.find(placeholder) == english.npos)
          << n << " " << Show(placeholder);
    }
  }
}

}  // namespace

// The code page of a CSV file, and the texts it could not hold.
#include <gtest/gtest.h>

#include "persistence/csv_encoder.h"

namespace {

constexpr int kWestern = 1252;

// The Japanese interface on a system without a Japanese code page wrote
// every Japanese character as "?".
TEST(CsvEncoderTest, TheCodePageHoldsTheInterfaceLanguage) {
  struct Case {
    int system;
    int language;
    int codePage;
  };
  const Case cases[] = {
      {kWestern, 0, 932}, {1250, 0, 932},          {932, 0, 932},   {kUtf8CodePage, 0, kUtf8CodePage},
      {932, 1, 932},      {kWestern, 1, kWestern}, {1250, 1, 1250},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CsvCodePage(c.language, c.system), c.codePage) << c.system << " " << c.language;
  }
  CsvEncoder japanese(0, kWestern);
  std::string line;
  japanese.AppendField(line, u"レコードデータ", u',', true);
  EXPECT_EQ(line, "\x83\x8C\x83\x52\x81\x5B\x83\x68\x83\x66\x81\x5B\x83\x5E");
  EXPECT_TRUE(japanese.Losses().texts.empty());
}

TEST(CsvEncoderTest, WhatTheCodePageLacksIsAQuestionMarkAndItsTextIsNotedOnce) {
  CsvEncoder western(1, kWestern);
  std::string line;
  bool first = true;
  for (std::u16string_view field : {u"No", u"温度", u"µA", u"温度", u"a,温", u"\U0001D11E"}) {
    western.AppendField(line, field, u',', first);
    first = false;
  }
  EXPECT_EQ(line,
            "No,??,\xB5"
            "A,??,\"a,?\",?")
      << "a pair of surrogates is one character";
  const CsvLosses& losses = western.Losses();
  EXPECT_EQ(losses.codePage, 1252);
  EXPECT_EQ(losses.texts, (std::vector<std::u16string>{u"温度", u"a,温", u"\U0001D11E"}));
  EXPECT_FALSE(losses.more);
  EXPECT_EQ(CsvLossesMessage(losses, 1),
            u"These texts hold characters that the code page of the CSV file (CP1252) lacks; those characters were "
            u"written as \"?\".\n\n温度\na,温\n\U0001D11E");
  EXPECT_TRUE(CsvLossesMessage(CsvLosses{}, 1).empty());

  CsvEncoder lone(1, kWestern);
  std::string bytes;
  lone.Append(bytes,
              u"\xD800"
              u"A");
  EXPECT_EQ(bytes, "?A") << "a surrogate without its partner is one character, and the next is kept";
}

TEST(CsvEncoderTest, TheNotedTextsStayFewAndShort) {
  CsvEncoder western(1, kWestern);
  std::string bytes;
  western.Append(bytes, std::u16string(100, u'温'));
  for (char16_t c = u'一'; c < u'一' + 12; ++c) western.Append(bytes, std::u16string(1, c));
  const CsvLosses& losses = western.Losses();
  ASSERT_EQ(losses.texts.size(), 10u);
  EXPECT_EQ(losses.texts[0], std::u16string(60, u'温') + u"…");
  EXPECT_TRUE(losses.more);
  const std::u16string message = CsvLossesMessage(losses, 0);
  EXPECT_TRUE(message.starts_with(u"次の文字列には CSV ファイルの文字コード (CP1252) にない文字があり")) << "Japanese";
  EXPECT_TRUE(message.ends_with(u"\nほか"));
}

}  // namespace

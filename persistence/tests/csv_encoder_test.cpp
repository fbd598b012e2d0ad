// The code page of a CSV file, and the texts it could not hold.
#include <cstdlib>

#include <gtest/gtest.h>

#include "base/tests/environment.h"
#include "persistence/csv_encoder.h"

namespace {

class CsvEncoderTest : public testing::Test {
 protected:
  void TearDown() override { UnsetEnvironment("LC_ALL"); }
};

// The Japanese interface on a locale without a Japanese code page wrote
// every Japanese character as "?".
TEST_F(CsvEncoderTest, TheCodePageHoldsTheInterfaceLanguage) {
  struct Case {
    const char* locale;
    int language;
    int codePage;
  };
  const Case cases[] = {
      {"C", 0, 932},           {"en_US.UTF-8", 0, 932}, {"ja_JP.UTF-8", 0, 932},
      {"ja_JP.UTF-8", 1, 932}, {"C", 1, 1252},          {"de_DE.UTF-8", 1, 1252},
  };
  for (const Case& c : cases) {
    SetEnvironment("LC_ALL", c.locale);
    EXPECT_EQ(CsvCodePage(c.language), c.codePage) << c.locale << " " << c.language;
  }
  SetEnvironment("LC_ALL", "C");
  CsvEncoder japanese(0);
  std::string line;
  japanese.AppendField(line, u"レコードデータ", u',', true);
  EXPECT_EQ(line, "\x83\x8C\x83\x52\x81\x5B\x83\x68\x83\x66\x81\x5B\x83\x5E");
  EXPECT_TRUE(japanese.Losses().texts.empty());
}

TEST_F(CsvEncoderTest, WhatTheCodePageLacksIsAQuestionMarkAndItsTextIsNotedOnce) {
  SetEnvironment("LC_ALL", "C");
  CsvEncoder western(1);
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
}

TEST_F(CsvEncoderTest, TheNotedTextsStayFewAndShort) {
  SetEnvironment("LC_ALL", "C");
  CsvEncoder western(1);
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

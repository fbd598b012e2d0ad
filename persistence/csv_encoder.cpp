#include "persistence/csv_encoder.h"

#include <algorithm>

#include "base/text_helpers.h"
#include "persistence/csv_field.h"
#include "text/added_texts.h"

namespace {

// Enough to show the user what is meant without filling the screen.
constexpr std::size_t kKeptTexts = 10;
constexpr std::size_t kShownLength = 60;

bool Ascii(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

std::u16string CodePageName(int codePage) {
  return codePage == kUtf8CodePage ? u"UTF-8" : u"CP" + NumberText(codePage);
}

void ReplaceFirst(std::u16string& text, std::u16string_view placeholder, std::u16string_view value) {
  const std::size_t at = text.find(placeholder);
  if (at != std::u16string::npos) text.replace(at, placeholder.size(), value);
}

}  // namespace

int CsvCodePage(int language, int systemCodePage) {
  const bool holdsJapanese = systemCodePage == kJapaneseCodePage || systemCodePage == kUtf8CodePage;
  return language == 0 && !holdsJapanese ? kJapaneseCodePage : systemCodePage;
}

CsvEncoder::CsvEncoder(int language, int systemCodePage) : encoder_(CsvCodePage(language, systemCodePage)) {
  losses_.codePage = encoder_.CodePage();
}

void CsvEncoder::AppendField(std::string& line, std::u16string_view field, char16_t separator, bool first) {
  quoted_.clear();
  AppendCsvField(quoted_, field, separator, first);
  Encode(line, quoted_, field);
}

void CsvEncoder::Append(std::string& bytes, std::u16string_view text) { Encode(bytes, text, text); }

void CsvEncoder::Encode(std::string& bytes, std::u16string_view text, std::u16string_view noted) {
  // Every code page keeps ASCII as it is, and most fields are ASCII: the
  // converter costs more per call than such a field is worth.
  if (Ascii(text)) {
    bytes.append(text.begin(), text.end());
    return;
  }
  if (!encoder_.Encode(text, bytes)) Note(noted);
}

void CsvEncoder::Note(std::u16string_view text) {
  std::u16string shown(text.substr(0, kShownLength));
  if (text.size() > kShownLength) shown += u"…";
  if (std::find(losses_.texts.begin(), losses_.texts.end(), shown) != losses_.texts.end()) return;
  if (losses_.texts.size() < kKeptTexts) {
    losses_.texts.push_back(std::move(shown));
  } else {
    losses_.more = true;
  }
}

std::u16string CsvLossesMessage(const CsvLosses& losses, int language) {
  if (losses.texts.empty()) return {};
  std::u16string texts;
  for (const std::u16string& text : losses.texts) texts += (texts.empty() ? u"" : u"\n") + text;
  if (losses.more) texts += u"\n" + std::u16string(Word(AddedText::csvUnwritableMore, language));
  std::u16string message(Word(AddedText::csvUnwritable, language));
  ReplaceFirst(message, u"%1", CodePageName(losses.codePage));
  ReplaceFirst(message, u"%2", texts);
  return message;
}

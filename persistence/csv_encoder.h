// The text of a CSV file in a legacy code page, the one in which
// spreadsheets on the user's system open CSV files.  Characters the code
// page lacks are written as '?', and the texts that held them are noted so
// that the user can be told rather than find them gone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "persistence/ansi_code_page.h"

struct CsvLosses {
  int codePage = 0;
  // Each text once, in file order, a long one cut short; `more` when there
  // were more than are kept.
  std::vector<std::u16string> texts;
  bool more = false;
};

// The code page of a CSV file for the interface `language` (0 Japanese):
// the system's, unless the interface is Japanese and the system's code page
// has no Japanese (a Linux locale or a Windows of another language); then
// 932, in which a Japanese user's spreadsheet reads it.
int CsvCodePage(int language, int systemCodePage);

class CsvEncoder {
 public:
  explicit CsvEncoder(int language, int systemCodePage = AnsiCodePage());

  // Appends `field` to `line` by the CSV field rule (csv_field.h), after
  // `separator` unless it is the line's first.
  void AppendField(std::string& line, std::u16string_view field, char16_t separator, bool first);
  // Appends `text` as it is.
  void Append(std::string& bytes, std::u16string_view text);
  const CsvLosses& Losses() const { return losses_; }

 private:
  void Encode(std::string& bytes, std::u16string_view text, std::u16string_view noted);
  void Note(std::u16string_view text);

  CodePageEncoder encoder_;
  CsvLosses losses_;
  std::u16string quoted_;
};

// Tells in `language` which texts the code page could not hold; empty when
// there were none.
std::u16string CsvLossesMessage(const CsvLosses& losses, int language);

#include "persistence/csv_field.h"

void AppendCsvField(std::u16string& line, std::u16string_view field, char16_t separator, bool first) {
  if (!first) line += separator;
  const char16_t special[] = {separator, u'"', u'\r', u'\n'};
  if (field.find_first_of(std::u16string_view(special, 4)) == std::u16string_view::npos) {
    line += field;
    return;
  }
  line += u'"';
  for (const char16_t c : field) {
    if (c == u'"') line += u'"';
    line += c;
  }
  line += u'"';
}

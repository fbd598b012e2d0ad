#include "excel/spreadsheet.h"

#include <array>

SheetCell ExcelLimits(std::u16string_view version) {
  // Up to Excel 2003 a sheet had 256 columns and 65536 rows; 2007 ("12.0")
  // made it 16384 by 1048576.  Anything unknown is taken as a newer one.
  static constexpr std::array<std::u16string_view, 6> kSmallSheets = {u"5.0", u"7.0", u"8.0", u"9.0", u"10.0", u"11.0"};
  for (const std::u16string_view small : kSmallSheets) {
    if (version == small) return {256 - 10, 65536};
  }
  return {16384 - 10, 1048576};
}

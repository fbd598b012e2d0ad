#include "cli/format_command.h"

#include <algorithm>
#include <iostream>
#include <optional>

#include "base/decimal.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "catalogue/value_format.h"
#include "cli/help_command.h"
#include "link/identification.h"

namespace {

int Usage(const std::string& problem) { return UsageError("format", problem); }

std::optional<int> Model(const std::string& text) {
  if (const auto index = ParseDecimal(text)) {
    if (*index >= 0 && *index < kModelCount) return index;
    return std::nullopt;
  }
  const int index = ModelIndexOfName(text);
  return index == kNoModel ? std::nullopt : std::optional<int>(index);
}

// Columns a record can hold: the ranges, and the extra unit and count cells
// that readings under REL reach.
int ColumnCount(Family family, int row, bool peak) {
  if (row == -1) return static_cast<int>(TablesOf(family).frequency.names.size());
  const RangeSet& set = RangeSetOf(family, row, peak ? RangeSetKind::peak : RangeSetKind::normal);
  return static_cast<int>(std::max({set.names.size(), set.units.size(), set.counts.size(), set.decimals.size()}));
}

}  // namespace

int FormatCommand(const std::vector<std::string>& args) {
  std::optional<std::string> model, function, range, count;
  bool peak = false, fahrenheit = false, sub = false;
  int flags = 0;
  std::u16string mark = u".";
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& flag = args[i];
    if (flag == "--peak") {
      peak = true;
      continue;
    }
    if (flag == "--fahrenheit") {
      fahrenheit = true;
      continue;
    }
    if (flag == "--sub") {
      sub = true;
      continue;
    }
    if (i + 1 >= args.size()) return Usage(flag + " needs a value");
    const std::string& value = args[++i];
    if (flag == "--model")
      model = value;
    else if (flag == "--function")
      function = value;
    else if (flag == "--range")
      range = value;
    else if (flag == "--count")
      count = value;
    else if (flag == "--flags") {
      const auto parsed = ParseDecimal(value);
      if (!parsed || *parsed < 0 || *parsed > 63) return Usage("--flags takes a number from 0 to 63");
      flags = *parsed;
    } else if (flag == "--mark") {
      if (value != "." && value != ",") return Usage("--mark takes . or ,");
      mark = Utf8ToUtf16(value);
    } else {
      return Usage("unknown option " + flag);
    }
  }
  if (!model || !function || !range || !count) return Usage("--model, --function, --range and --count are needed");

  const auto modelIndex = Model(*model);
  if (!modelIndex) return Usage("no model " + *model);
  const Family family = FamilyOf(*modelIndex);
  std::optional<int> row = ParseDecimal(*function);
  if (row && *row == -1 && !sub) return Usage("function -1 (frequency) is a sub value: add --sub");
  if (!row) row = FindFunction(family, *function);
  if (!row || *row < -1 || *row >= RowCount(family)) return Usage("no function " + *function);
  const bool usePeak = peak && family != Family::RV732X;
  std::optional<int> column = ParseDecimal(*range);
  if (!column && *row >= 0) {
    column = FindRange(family, *row, usePeak ? RangeSetKind::peak : RangeSetKind::normal, *range);
  }
  if (!column && *row == -1) column = FindFrequencyRange(family, *range);
  if (!column || *column < 0 || *column >= ColumnCount(family, *row, usePeak)) return Usage("no range " + *range);
  if (!ParseDecimal(*count)) return Usage("--count takes a whole number");

  const bool temperature = *row >= 0 && IsTemperature(family, *row);
  const int decimals =
      sub ? SubDecimals(*modelIndex, *row, *column, peak) : MainDecimals(*modelIndex, *row, *column, peak);
  const StoredValue value{
      *modelIndex, *count, decimals, mark, *row, *column, temperature ? (fahrenheit ? 1 : 0) : (peak ? 1 : 0),
      flags,       sub};
  std::cout << Utf16ToUtf8(FormatStoredValue(value)) << '\n';
  return 0;
}
